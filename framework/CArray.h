// A growable array with the index-based operations of the program's lists.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

template <class T, class ARG = const T&> class CArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }
    void SetSize(int size) { m_items.resize(size < 0 ? 0 : static_cast<size_t>(size)); }
    void RemoveAll() { m_items.clear(); }

    T& operator[](int index) { return m_items[static_cast<size_t>(index)]; }
    const T& operator[](int index) const { return m_items[static_cast<size_t>(index)]; }
    T& ElementAt(int index) { return m_items[static_cast<size_t>(index)]; }
    const T& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
    void SetAt(int index, ARG item) { m_items[static_cast<size_t>(index)] = item; }
    T* GetData() { return m_items.data(); }
    const T* GetData() const { return m_items.data(); }

    int Add(ARG item) {
        m_items.push_back(item);
        return GetSize() - 1;
    }
    void InsertAt(int index, ARG item, int count = 1) {
        if (index < 0)
            index = 0;
        if (index > GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count < 0 ? 0 : count), item);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || index >= GetSize() || count <= 0)
            return;
        size_t end = std::min(m_items.size(), static_cast<size_t>(index) + static_cast<size_t>(count));
        m_items.erase(m_items.begin() + index, m_items.begin() + static_cast<std::ptrdiff_t>(end));
    }
    void Append(const CArray& other) {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    void Copy(const CArray& other) { m_items = other.m_items; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};
