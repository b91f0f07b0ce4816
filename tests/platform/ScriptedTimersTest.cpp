// The scripted timers: ticks in time order, equal moments in the order of the last start,
// handlers that start and stop timers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ScriptedTimers.h"

namespace {

// A timers object whose every tick is written down as "moment:id".
class Recorder {
public:
    void Start(int id, int period, std::function<void()> extra = {}) {
        timers.StartTimer(id, period, [this, id, extra] {
            ticks.push_back(std::to_string(timers.Now()) + ":" + std::to_string(id));
            if (extra) {
                extra();
            }
        });
    }
    std::string Log() const {
        std::string s;
        for (const auto& t : ticks) {
            s += (s.empty() ? "" : " ") + t;
        }
        return s;
    }

    CScriptedTimers timers;
    std::vector<std::string> ticks;
};

struct SOrderCase {
    const char* name;
    std::function<void(Recorder&)> run;
    const char* expected;
};

class ScriptedTimersOrder : public ::testing::TestWithParam<SOrderCase> {};

TEST_P(ScriptedTimersOrder, FiresInTimeOrderThenLastStartOrder) {
    Recorder r;
    GetParam().run(r);
    EXPECT_EQ(r.Log(), GetParam().expected);
}

const SOrderCase kOrderCases[] = {
    {"SplashTickBeforeClockTickAt3000",
     [](Recorder& r) {
         int splash = 0;
         r.Start(1, 200, [&r, splash]() mutable {
             if (++splash == 15) {
                 r.timers.StopTimer(1);
             }
         });
         r.Start(10, 1000);
         r.timers.Advance(2999);
         r.ticks.clear();
         r.timers.Advance(1001);
     },
     "3000:1 3000:10 4000:10"},
    {"StartedLaterFiresLaterAtTheSameMoment",
     [](Recorder& r) {
         r.Start(10, 1000);
         r.Start(1, 200);
         r.timers.Advance(1000);
     },
     "200:1 400:1 600:1 800:1 1000:10 1000:1"},
    {"RestartMovesATimerBehindAndCountsFromNow",
     [](Recorder& r) {
         r.Start(1, 500);
         r.Start(10, 1000);
         r.timers.Advance(500);
         r.Start(1, 500);  // now due at 1000, after timer 10
         r.timers.Advance(500);
     },
     "500:1 1000:10 1000:1"},
    {"TheEndOfTheSpanIsIncluded",
     [](Recorder& r) {
         r.Start(10, 1000);
         r.timers.Advance(999);
         r.timers.Advance(1);
         r.timers.Advance(0);
     },
     "1000:10"},
    {"PiecesFireAsOneSpanDoes",
     [](Recorder& r) {
         r.Start(1, 300);
         r.Start(10, 700);
         for (int i = 0; i < 21; ++i) {
             r.timers.Advance(100);
         }
     },
     "300:1 600:1 700:10 900:1 1200:1 1400:10 1500:1 1800:1 2100:1 2100:10"},
    {"AHandlerStopsItselfAndStartsAnotherDueInTheSameSpan",
     [](Recorder& r) {
         r.Start(1, 200, [&r] {
             r.timers.StopTimer(1);
             r.Start(10, 300);
         });
         r.timers.Advance(1000);
     },
     "200:1 500:10 800:10"},
    {"AHandlerRestartsItsOwnTimerWithAnotherPeriod",
     [](Recorder& r) {
         r.Start(1, 100, [&r] { r.Start(1, 400); });
         r.timers.Advance(1000);
     },
     "100:1 500:1 900:1"},
    {"StoppingATimerThatIsNotRunningChangesNothing",
     [](Recorder& r) {
         r.timers.StopTimer(7);
         r.Start(1, 250);
         r.timers.StopTimer(7);
         r.timers.Advance(500);
     },
     "250:1 500:1"},
    {"AZeroPeriodTicksEveryMillisecondInsteadOfForever",
     [](Recorder& r) {
         r.Start(3, 0);
         r.timers.Advance(3);
     },
     "1:3 2:3 3:3"},
    {"ANegativeSpanDoesNotTurnTimeBack",
     [](Recorder& r) {
         r.timers.Advance(250);
         r.Start(10, 1000);
         r.timers.Advance(-5);
         r.timers.Advance(1000);
     },
     "1250:10"},
    {"HaltStopsTheTicksButNotTheClock",
     [](Recorder& r) {
         r.Start(1, 100, [&r] {
             if (r.timers.Now() == 200) {
                 r.timers.Halt();
             }
         });
         r.timers.Advance(1000);
         r.timers.Advance(1000);
         r.ticks.push_back("now" + std::to_string(r.timers.Now()));
     },
     "100:1 200:1 now2000"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ScriptedTimersOrder, ::testing::ValuesIn(kOrderCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
