// Which applications run today, and when each one is due.
//
// Timing: a 5-second timer drives the launcher. Each tick adds 5 to the
// elapsed count before anything is looked at, so the first tick sees 5. A
// record is due on the first tick whose count exceeds its Delay, that is
// 5 * (Delay / 5 + 1) seconds after the timer starts: Delay 0 and 4 at 5 s,
// Delay 5 at 10 s, Delay 30 and 31 at 35 s. Records due on the same tick
// start in list order. The count is 16 bits wide and the tick wraps it on
// purpose; the largest count is 65535, so a record with Delay 65535 is never
// due and keeps the launcher waiting until the user stops it.
//
// The calendar rules are joined by "or": a record runs today when any of its
// enabled rules matches today's date, and a record with no rule enabled never
// runs.
#pragma once

#include <cstdint>
#include <functional>

#include "config/app_data.h"

struct SCalendarDay {
    uint16_t dayOfWeek;   // 0 Sunday ... 6 Saturday
    uint16_t dayOfMonth;  // 1 ... 31
};

// True when one of the record's enabled calendar rules matches `day`.
bool RunsOn(const SAppData& record, const SCalendarDay& day);

// Removes and releases every record that does not run on `day`; the others
// keep their order.
void ApplyDailyFilter(CAppList& list, const SCalendarDay& day);

// Hands a due record's path and show command over to be started.
using StartApplication = std::function<void(const char* path, int32_t nCmdShow)>;

constexpr uint16_t kTickSeconds = 5;

// One timer tick: adds kTickSeconds to `elapsed` (wrapping), then starts and
// removes each due record in list order. True when the list is now empty.
bool LauncherTick(CAppList& list, uint16_t& elapsed, const StartApplication& start);
