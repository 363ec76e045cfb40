#include "model/symbols.h"

namespace yav {

namespace {

// The timing cell a debugger variable's name connects, or -1: ".name" or "..name".
int timingCellOf(std::string_view name) {
  if (name.starts_with("..")) {
    name.remove_prefix(2);
  } else if (name.starts_with(".")) {
    name.remove_prefix(1);
  } else {
    return -1;
  }
  for (size_t i = 0; i < kTimingCellNames.size(); ++i) {
    if (kTimingCellNames[i] == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

const LabelEntry* LabelTable::rensym(std::string_view name) const {
  auto it = byName_.find(std::string(name));
  return it == byName_.end() ? nullptr : &*it->second;
}

void LabelTable::index(List::iterator it) {
  const bool named = byName_.try_emplace(it->name, it).second;
  if (!it->isDebuggerVariable()) byValue_.emplace(it->value, it);
  if (const int c = timingCellOf(it->name); named && c >= 0) cells_[static_cast<size_t>(c)] = &it->value;
}

void LabelTable::reconnect(size_t cell) {
  cells_[cell] = nullptr;
  const std::string base(kTimingCellNames[cell]);
  for (const std::string& name : {".." + base, "." + base}) {
    if (auto it = byName_.find(name); it != byName_.end()) {
      cells_[cell] = &it->second->value;
      return;
    }
  }
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
  cells_ = {};
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
  if (const int c = timingCellOf(name); c >= 0) reconnect(static_cast<size_t>(c));
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
  cells_ = {};
  for (auto it = list_.begin(); it != list_.end(); ++it) index(it);
}

const LabelEntry* LabelTable::underscoreLabelAt(uint32_t value) const {
  for (const LabelEntry& e : list_) {
    if (e.value == value && !e.name.empty() && e.name[0] == '_') return &e;
  }
  return nullptr;
}

}  // namespace yav
