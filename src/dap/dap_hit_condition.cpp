#include "dap/dap_hit_condition.h"

#include <limits>

namespace yav::dap {

namespace {

// The operators an editor writes in front of the count, longest first so that ">=" is not read
// as ">".
struct Operator {
  std::string_view text;
  Event::HitRule rule;
  int32_t added;  // "> n" is ">= n + 1"
};
constexpr Operator kOperators[] = {
    {">=", Event::HitRule::FromNth, 0}, {"==", Event::HitRule::NthOnly, 0}, {">", Event::HitRule::FromNth, 1},
    {"%", Event::HitRule::EveryNth, 0}, {"=", Event::HitRule::NthOnly, 0},
};

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::variant<HitCondition, std::string> readHitCondition(std::string_view text) {
  const std::string refusal = "hit condition \"" + std::string(text) +
                              "\" is not one of N, == N, >= N, > N or % N (N a number of passages from 1)";
  std::string_view rest = trimmed(text);
  HitCondition hit{Event::HitRule::NthOnly, 0};
  int32_t added = 0;
  for (const Operator& op : kOperators) {
    if (!rest.starts_with(op.text)) continue;
    hit.rule = op.rule;
    added = op.added;
    rest = trimmed(rest.substr(op.text.size()));
    break;
  }
  if (rest.empty() || rest.size() > 9) return refusal;
  int64_t n = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return refusal;
    n = n * 10 + (c - '0');
  }
  n += added;
  if (n < 1 || n > std::numeric_limits<int32_t>::max()) return refusal;
  hit.count = static_cast<int32_t>(n);
  return hit;
}

}  // namespace yav::dap
