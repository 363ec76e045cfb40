// An editor's hit condition, read as the rule of the kernel's event: "% n" every n-th passage,
// ">= n" from the n-th passage on ("> n" from the one after it), "n" or "== n" at the n-th only.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "engine/events.h"

namespace yav::dap {

struct HitCondition {
  Event::HitRule rule = Event::HitRule::EveryNth;
  int32_t count = 1;
};

// The rule of `text`, or the reason it cannot be read.
std::variant<HitCondition, std::string> readHitCondition(std::string_view text);

}  // namespace yav::dap
