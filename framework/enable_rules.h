// Enabling rules: a control ID maps to a predicate of the owning window that
// says whether controls with that ID are enabled. IDs without a rule are left
// alone. Host-independent, so the lookup is tested without a window system.
#pragma once

#include <cstddef>
#include <cstdint>

namespace framework {

template <class Owner>
struct TEnableRule {
    uint32_t id;
    bool (Owner::*enabled)() const;
};

enum class TEnableState { NoRule, Enabled, Disabled };

template <class Owner, std::size_t N>
TEnableState EnableStateFor(const Owner& owner, const TEnableRule<Owner> (&rules)[N], uint32_t id) {
    for (const TEnableRule<Owner>& rule : rules) {
        if (rule.id == id)
            return (owner.*rule.enabled)() ? TEnableState::Enabled : TEnableState::Disabled;
    }
    return TEnableState::NoRule;
}

}  // namespace framework
