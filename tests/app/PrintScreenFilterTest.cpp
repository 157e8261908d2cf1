#include "app/PrintScreenFilter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Action = PrintScreenFilter::Action;
constexpr unsigned kPrint = PrintScreenFilter::kPrintScreen;

struct Event {
    unsigned vk;
    bool up;
    bool modifier;
    Action expected;
};

struct Case {
    const char* name;
    std::vector<Event> events;
};

TEST(PrintScreenFilterTest, TakesPlainPrintScreenOncePerPressAndPassesEverythingElse) {
    const Case cases[] = {
        {"plain press and release",
         {{kPrint, false, false, Action::Shoot}, {kPrint, true, false, Action::Swallow}}},
        {"repeats while held shoot once",
         {{kPrint, false, false, Action::Shoot},
          {kPrint, false, false, Action::Swallow},
          {kPrint, false, false, Action::Swallow},
          {kPrint, true, false, Action::Swallow},
          {kPrint, false, false, Action::Shoot}}},
        {"with a modifier the press and its release pass",
         {{kPrint, false, true, Action::Pass}, {kPrint, true, false, Action::Pass}}},
        {"a modifier let go during a passed press does not turn its repeats into shots",
         {{kPrint, false, true, Action::Pass},
          {kPrint, false, false, Action::Pass},
          {kPrint, true, false, Action::Pass},
          {kPrint, false, false, Action::Shoot}}},
        {"a modifier pressed during a taken press keeps the release ours",
         {{kPrint, false, false, Action::Shoot}, {kPrint, true, true, Action::Swallow}}},
        {"a release without its press passes", {{kPrint, true, false, Action::Pass}}},
        {"other keys pass, held or not",
         {{'J', false, false, Action::Pass},
          {0x2D, false, false, Action::Pass}, // Insert
          {0xA4, false, false, Action::Pass}, // left Alt
          {kPrint, false, false, Action::Shoot},
          {'J', true, false, Action::Pass},
          {kPrint, true, false, Action::Swallow}}},
    };
    for (const Case& c : cases) {
        PrintScreenFilter filter;
        for (size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            EXPECT_EQ(filter.OnKey(e.vk, e.up, e.modifier), e.expected) << c.name << ", event " << i;
        }
    }
}

} // namespace
