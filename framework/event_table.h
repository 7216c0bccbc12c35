// Event tables: a notification from a control, named by its control ID and
// notification code, goes to the handler of the row with both values.
// Host-independent, so the lookup is tested without a window system.
#pragma once

#include <cstddef>
#include <cstdint>

namespace framework {

template <class Owner>
struct TEventRow {
    uint32_t id;
    uint32_t code;
    void (Owner::*handler)();
};

// The first row for (id, code), or null.
template <class Owner, std::size_t N>
const TEventRow<Owner>* FindEvent(const TEventRow<Owner> (&table)[N], uint32_t id, uint32_t code) {
    for (const TEventRow<Owner>& row : table) {
        if (row.id == id && row.code == code) return &row;
    }
    return nullptr;
}

// Runs the handler of the row for (id, code); false when the table has none,
// so the caller can go on to the next table of its chain.
template <class Owner, std::size_t N>
bool DispatchEvent(Owner& owner, const TEventRow<Owner> (&table)[N], uint32_t id, uint32_t code) {
    const TEventRow<Owner>* row = FindEvent(table, id, code);
    if (!row) return false;
    (owner.*row->handler)();
    return true;
}

}  // namespace framework
