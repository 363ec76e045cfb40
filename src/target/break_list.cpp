#include "target/break_list.h"

#include <algorithm>

namespace yav::target {

namespace {
bool byAddress(const BreakEntry& e, uint32_t address) { return e.address < address; }
}  // namespace

void insertBreak(BreakList& list, const BreakEntry& entry) {
  auto at = std::lower_bound(list.entries.begin(), list.entries.end(), entry.address, byAddress);
  if (at != list.entries.end() && at->address == entry.address) return;
  list.entries.insert(at, entry);
  const int weight = (entry.kind == kBreakData && entry.size > 1) ? 2 : 1;
  list.total += weight;
  if (entry.kind == kBreakData) list.data += weight;
  else list.code += 1;
}

const BreakEntry* findBreak(const BreakList& list, uint32_t address) {
  auto at = std::lower_bound(list.entries.begin(), list.entries.end(), address, byAddress);
  return (at != list.entries.end() && at->address == address) ? &*at : nullptr;
}

void clearBreakList(BreakList& list) { list = BreakList{}; }

void clearBreakCounters(BreakList& list) { list.total = list.data = list.code = 0; }

}  // namespace yav::target
