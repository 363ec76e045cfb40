#include "model/symbols.h"

namespace yav {

const LabelEntry* LabelTable::rensym(std::string_view name) const {
  auto it = byName_.find(std::string(name));
  return it == byName_.end() ? nullptr : &*it->second;
}

void LabelTable::index(List::iterator it) {
  byName_.try_emplace(it->name, it);
  if (!it->isDebuggerVariable()) byValue_.emplace(it->value, it);
}

void LabelTable::unindexValue(List::iterator it) {
  if (it->isDebuggerVariable()) return;
  auto [lo, hi] = byValue_.equal_range(it->value);
  for (auto v = lo; v != hi; ++v) {
    if (v->second == it) {
      byValue_.erase(v);
      return;
    }
  }
}

void LabelTable::append(LabelEntry e) {
  list_.push_back(std::move(e));
  index(std::prev(list_.end()));
}

void LabelTable::insertOrdered(LabelEntry e) {
  // Before the first program label whose value is larger; debugger variables never count as
  // larger, so the new entry goes after them.
  auto larger = byValue_.upper_bound(e.value);
  auto pos = larger == byValue_.end() ? list_.end() : larger->second;
  index(list_.insert(pos, std::move(e)));
}

void LabelTable::order() {
  List old;
  old.swap(list_);
  byName_.clear();
  byValue_.clear();
  for (LabelEntry& e : old) insertOrdered(std::move(e));
}

void LabelTable::createVariable(std::string_view name, uint32_t value) {
  deleteVariable(name);
  LabelEntry e;
  e.name = std::string(name);
  e.value = value;
  insertOrdered(std::move(e));
}

bool LabelTable::deleteVariable(std::string_view name) {
  auto it = byName_.find(std::string(name));
  if (it == byName_.end()) return false;
  unindexValue(it->second);
  list_.erase(it->second);
  byName_.erase(it);
  // Another entry of the same name (a label read twice) takes the index.
  for (auto l = list_.begin(); l != list_.end(); ++l) {
    if (l->name == name) {
      byName_.emplace(std::string(name), l);
      break;
    }
  }
  return true;
}

void LabelTable::dropLabels() {
  for (auto it = list_.begin(); it != list_.end();) {
    if (it->isDebuggerVariable()) {
      ++it;
    } else {
      it = list_.erase(it);
    }
  }
  byName_.clear();
  byValue_.clear();
  for (auto it = list_.begin(); it != list_.end(); ++it) index(it);
}

const LabelEntry* LabelTable::underscoreLabelAt(uint32_t value) const {
  for (const LabelEntry& e : list_) {
    if (e.value == value && !e.name.empty() && e.name[0] == '_') return &e;
  }
  return nullptr;
}

}  // namespace yav
