#include "framework/MessageMap.h"

#include <gtest/gtest.h>

namespace {

std::intptr_t A(CWnd*, std::uintptr_t, std::intptr_t, bool&) {
    return 1;
}
std::intptr_t B(CWnd*, std::uintptr_t, std::intptr_t, bool&) {
    return 2;
}
std::intptr_t C(CWnd*, std::uintptr_t, std::intptr_t, bool&) {
    return 3;
}

unsigned registeredMessage = 0xC123;

const MessageEntry baseEntries[] = {{0x000F, 0, 0, 0, nullptr, A},          // WM_PAINT
                                    {kMsgCommand, 0, 100, 100, nullptr, A}, // command 100
                                    {kMsgCommand, 0, 200, 210, nullptr, A}, // range
                                    {0, 0, 0, 0, nullptr, nullptr}};
const MessageMap baseMap = {nullptr, baseEntries};

const MessageEntry derivedEntries[] = {{kMsgCommand, 0, 100, 100, nullptr, B},  // overrides the base row
                                       {kMsgCommand, 0x0300, 5, 5, nullptr, B}, // EN_CHANGE from control 5
                                       {kMsgNotify, static_cast<unsigned>(-290), 7, 7, nullptr, C},
                                       {kReflectBase + kMsgCommand, 0, 0, 0, nullptr, C},
                                       {kRegisteredMarker, 0, 0, 0, &registeredMessage, C},
                                       {0, 0, 0, 0, nullptr, nullptr}};
const MessageMap derivedMap = {&baseMap, derivedEntries};

std::intptr_t Invoke(const MessageEntry* e) {
    bool handled = true;
    return e ? e->thunk(nullptr, 0, 0, handled) : 0;
}

TEST(MessageMap, DerivedRowsWinAndBaseRowsAreInherited) {
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kMsgCommand, 0, 100)), 2);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, 0x000F, 0, 0)), 1);
    EXPECT_EQ(Invoke(FindMessageEntry(&baseMap, kMsgCommand, 0, 100)), 1);
    EXPECT_EQ(FindMessageEntry(&derivedMap, 0x0010, 0, 0), nullptr);
}

TEST(MessageMap, CommandRowsMatchCodeAndIdRange) {
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kMsgCommand, 0, 200)), 1);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kMsgCommand, 0, 210)), 1);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kMsgCommand, 0, 211), nullptr);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kMsgCommand, 0, 199), nullptr);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kMsgCommand, 0x0300, 5)), 2);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kMsgCommand, 0x0400, 5), nullptr);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kMsgCommand, 0x0300, 6), nullptr);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kMsgNotify, static_cast<unsigned>(-290), 7)), 3);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kMsgNotify, static_cast<unsigned>(-290), 8), nullptr);
}

TEST(MessageMap, ReflectedRowsIgnoreTheIdAndRegisteredRowsReadTheirNumber) {
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, kReflectBase + kMsgCommand, 0, 12345)), 3);
    EXPECT_EQ(FindMessageEntry(&derivedMap, kReflectBase + kMsgCommand, 1, 0), nullptr);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, 0xC123, 0, 0)), 3);
    registeredMessage = 0xC124;
    EXPECT_EQ(FindMessageEntry(&derivedMap, 0xC123, 0, 0), nullptr);
    EXPECT_EQ(Invoke(FindMessageEntry(&derivedMap, 0xC124, 0, 0)), 3);
    registeredMessage = 0;
    // An unregistered (zero) number never matches message 0.
    EXPECT_EQ(FindMessageEntry(&derivedMap, 0, 0, 0), nullptr);
    registeredMessage = 0xC123;
}

} // namespace
