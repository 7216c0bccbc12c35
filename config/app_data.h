// One configured application and the program-wide ordered list of them.
//
// The list is one contiguous array of record pointers that starts with room
// for 11 and grows by 10 whenever an append finds it full; it never shrinks.
// It holds at most 65535 records, because the launcher walks it with a 16-bit
// index: an append beyond that is refused.
#pragma once

#include <cstdint>
#include <memory>

#include "config/heap_text.h"

struct SAppData {
    HeapText path;             // command line for WinExec; never null once in the list
    int32_t nCmdShow = 0;      // ShowWindow numbering: 1 normal, 2 minimized, 3 maximized
    uint16_t Delay = 0;        // seconds after the launcher starts
    uint8_t WorkWeekEnable = 0;
    uint16_t WorkWeek = 0;     // 1 weekends, anything else workdays
    uint8_t DOWEnable = 0;
    uint16_t DOW = 0;          // 0 Sunday ... 6 Saturday
    uint8_t DOMEnable = 0;
    uint16_t DOM = 0;          // 1 ... 31
};

class CAppList {
public:
    static constexpr uint32_t kMaxCount = 65535;
    static constexpr uint32_t kInitialCapacity = 11;
    static constexpr uint32_t kGrowth = 10;

    CAppList();
    ~CAppList();  // releases every record it still holds
    CAppList(const CAppList&) = delete;
    CAppList& operator=(const CAppList&) = delete;

    uint32_t Count() const { return count_; }
    uint32_t Capacity() const { return capacity_; }
    bool Full() const { return count_ >= kMaxCount; }
    SAppData* Item(uint32_t index) const { return index < count_ ? items_[index] : nullptr; }
    SAppData* Last() const { return count_ ? items_[count_ - 1] : nullptr; }

    // Takes the record over and makes it the last one. Returns the record, or
    // null (releasing it) when the list already holds kMaxCount records.
    SAppData* Append(std::unique_ptr<SAppData> record);

    // The record leaves the list and goes back to the caller; later records
    // move down by one. Null for an index at or above the count.
    std::unique_ptr<SAppData> Remove(uint32_t index);

private:
    SAppData** items_;
    uint32_t count_ = 0;
    uint32_t capacity_;
};

// The program-wide list: created by LoadConfig, released by FreeAppList.
extern CAppList* AppList;
