#include "app/SingleInstanceMutex.h"

SingleInstanceMutex::SingleInstanceMutex(CreateMutexFn createMutex) {
    ::SetLastError(ERROR_SUCCESS);
    m_mutex.reset(createMutex(nullptr, TRUE, L"CFrimlet2App"));
    const DWORD error = ::GetLastError();
    // Opening an existing mutex asks for every right on it; one made by an
    // elevated copy refuses that to this one.
    m_anotherCopyRuns = error == ERROR_ALREADY_EXISTS || (!m_mutex && error == ERROR_ACCESS_DENIED);
}

void SingleInstanceMutex::Release() {
    if (m_mutex && !m_anotherCopyRuns)
        ::ReleaseMutex(m_mutex.get());
}
