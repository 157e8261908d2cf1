#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, TheOpenFolderSwitchIsAWordOfItsOwnInAnyCase) {
    const struct {
        const char16_t* line;
        bool asks;
    } cases[] = {{u"", false},
                 {u"\"C:\\Program Files\\Frimlet2\\Frimlet2.exe\"", false},
                 {u"\"C:\\Program Files\\Frimlet2\\Frimlet2.exe\" /openfolder", true},
                 {u"Frimlet2.exe   /OpenFolder  ", true},
                 {u"/openfolder", true},
                 {u"\"C:\\x /openfolder\\Frimlet2.exe\"", false}, // inside the quoted path
                 {u"Frimlet2.exe /openfolders", false},
                 {u"Frimlet2.exe -openfolder", false},
                 {u"Frimlet2.exe\t/openfolder", true}};
    for (const auto& c : cases)
        EXPECT_EQ(CommandLine::AsksToOpenFolder(c.line), c.asks) << "case " << (&c - cases);
}

} // namespace
