#include "app/SingleInstanceMutex.h"

SingleInstanceMutex::SingleInstanceMutex(CreateMutexFn createMutex) {
    ::SetLastError(ERROR_SUCCESS);
    m_hMutex.reset(createMutex(nullptr, true, L"CFrimlet2App"));
    const DWORD error = ::GetLastError();
    // Opening an existing mutex asks for every right on it; one made by an
    // elevated copy refuses that to this one.
    m_bAnotherCopyRuns = error == ERROR_ALREADY_EXISTS || (!m_hMutex && error == ERROR_ACCESS_DENIED);
}

void SingleInstanceMutex::Release() {
    if (m_hMutex && !m_bAnotherCopyRuns)
        ::ReleaseMutex(m_hMutex.get());
}
