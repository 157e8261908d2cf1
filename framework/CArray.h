// A growable array with the index-based operations of the program's lists.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class T, class ARG = const T&> class CArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int size) { m_items.resize(size < 0 ? 0 : static_cast<size_t>(size)); }
    void RemoveAll() { m_items.clear(); }

    T& operator[](int index) { return m_items[static_cast<size_t>(index)]; }
    const T& operator[](int index) const { return m_items[static_cast<size_t>(index)]; }
    const T& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }

    int Add(ARG item) {
        m_items.push_back(item);
        return GetSize() - 1;
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};
