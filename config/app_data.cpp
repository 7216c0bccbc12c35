#include "config/app_data.h"

#include <cstring>

CAppList* AppList = nullptr;

CAppList::CAppList() : items_(new SAppData*[kInitialCapacity]), capacity_(kInitialCapacity) {}

CAppList::~CAppList() {
    for (uint32_t i = 0; i < count_; ++i) delete items_[i];
    delete[] items_;
}

SAppData* CAppList::Append(std::unique_ptr<SAppData> record) {
    if (Full()) return nullptr;
    if (count_ == capacity_) {
        uint32_t grown = capacity_ + kGrowth;
        SAppData** larger = new SAppData*[grown];
        std::memcpy(larger, items_, count_ * sizeof *items_);
        delete[] items_;
        items_ = larger;
        capacity_ = grown;
    }
    items_[count_] = record.release();
    return items_[count_++];
}

std::unique_ptr<SAppData> CAppList::Remove(uint32_t index) {
    if (index >= count_) return nullptr;
    std::unique_ptr<SAppData> record(items_[index]);
    std::memmove(items_ + index, items_ + index + 1, (count_ - index - 1) * sizeof *items_);
    --count_;
    return record;
}
