#include "launcher/schedule.h"

#include <memory>

namespace {

constexpr uint16_t kWeekends = 1;

bool IsWeekend(uint16_t dayOfWeek) { return dayOfWeek == 0 || dayOfWeek == 6; }

}  // namespace

bool RunsOn(const SAppData& record, const SCalendarDay& day) {
    bool keep = false;
    if (record.DOWEnable && record.DOW == day.dayOfWeek) keep = true;
    if (record.DOMEnable && record.DOM == day.dayOfMonth) keep = true;
    if (record.WorkWeekEnable) {
        bool wantWeekend = record.WorkWeek == kWeekends;
        if (wantWeekend == IsWeekend(day.dayOfWeek)) keep = true;
    }
    return keep;
}

void ApplyDailyFilter(CAppList& list, const SCalendarDay& day) {
    // The index advances only past a kept record: a removal moves the next
    // record into place.
    uint32_t i = 0;
    while (i < list.Count()) {
        if (RunsOn(*list.Item(i), day))
            ++i;
        else
            list.Remove(i);
    }
}

bool LauncherTick(CAppList& list, uint16_t& elapsed, const StartApplication& start) {
    elapsed = static_cast<uint16_t>(elapsed + kTickSeconds);  // wraps modulo 65536 on purpose
    uint32_t i = 0;
    while (i < list.Count()) {
        if (list.Item(i)->Delay >= elapsed) {
            ++i;
            continue;
        }
        // Out of the list before it starts, so a start that fails (or throws)
        // never leaves it behind to be started again.
        std::unique_ptr<SAppData> due = list.Remove(i);
        if (start) start(due->path.get(), due->nCmdShow);
    }
    return list.Count() == 0;
}
