// The single-instance mutex with the real kernel and with the answers Wine
// does not give: a mutex made by an elevated copy refuses this one access.
#include "app/SingleInstanceMutex.h"

#include <gtest/gtest.h>

namespace {

HANDLE WINAPI RefusedAsByAnElevatedCopy(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

HANDLE WINAPI FailsOtherwise(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST(SingleInstanceMutexTest, AnExistingOrRefusedMutexMeansAnotherCopyRuns) {
    {
        SingleInstanceMutex first;
        EXPECT_FALSE(first.AnotherCopyRuns());
        SingleInstanceMutex second;
        EXPECT_TRUE(second.AnotherCopyRuns());
        first.Release();
    }
    EXPECT_FALSE(SingleInstanceMutex().AnotherCopyRuns()) << "the mutex outlived its copies";
    EXPECT_TRUE(SingleInstanceMutex(RefusedAsByAnElevatedCopy).AnotherCopyRuns());
    // Any other failure leaves the program to run, as without the mutex.
    EXPECT_FALSE(SingleInstanceMutex(FailsOtherwise).AnotherCopyRuns());
}

} // namespace
