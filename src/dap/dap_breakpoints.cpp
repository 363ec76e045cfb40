// Breakpoints the editor sets: lines, functions, instructions and data, each made a kernel event
// that carries the breakpoint's condition, hit rule and log message. A set request replaces every
// breakpoint of its kind (of its source file, for lines).
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "dap/dap_address_text.h"
#include "dap/dap_arguments.h"
#include "dap/dap_hit_condition.h"
#include "dap/dap_session.h"
#include "engine/events.h"
#include "engine/locspec.h"
#include "model/loader.h"

namespace yav::dap {

namespace {

constexpr const char* kNotLoaded = "not set until the program is loaded";

std::string baseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The first line at or after `line` of the file that holds code, or 0.
uint32_t lineWithCode(const SymbolTables& t, const FileEntry& file, uint32_t line) {
  uint32_t best = 0;
  for (const DebugRecord& r : t.records) {
    if (!(r.kind & (rk::Line | rk::FunctionStart | rk::FunctionExit)) || r.startLine < line) continue;
    const bool inFile = r.function && r.function->file ? r.function->file == &file : r.fileName == file.name;
    if (inFile && (best == 0 || r.startLine < best)) best = r.startLine;
  }
  return best;
}

// What every kind of breakpoint may carry: a condition, a hit condition, a log message.
Breakpoint readCommon(const json& item, Breakpoint::Kind kind) {
  if (!item.is_object()) throw ArgumentError{{"each breakpoint must be an object"}};
  Breakpoint b;
  b.kind = kind;
  b.condition = optionalString(item, "condition");
  b.logMessage = optionalString(item, "logMessage");
  if (const std::string hit = optionalString(item, "hitCondition"); !hit.empty()) {
    const auto read = readHitCondition(hit);
    if (const auto* rule = std::get_if<HitCondition>(&read)) {
      b.hitRule = rule->rule;
      b.hitCount = rule->count;
    } else {
      b.message = std::get<std::string>(read);
    }
  }
  return b;
}

bool sameSettings(const Breakpoint& a, const Breakpoint& b) {
  return a.condition == b.condition && a.logMessage == b.logMessage && a.hitRule == b.hitRule &&
         a.hitCount == b.hitCount;
}

}  // namespace

Breakpoint* Session::findBreakpoint(int id) {
  for (Breakpoint& b : breakpoints_) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

json Session::breakpointBody(const Breakpoint& b) {
  json j{{"id", b.id}, {"verified", b.verified}};
  if (!b.message.empty()) j["message"] = b.message;
  if (b.kind == Breakpoint::Kind::Line) {
    j["source"] = {{"path", b.source}, {"name", baseName(b.source)}};
    j["line"] = lineOut(static_cast<uint32_t>(b.verified ? b.actualLine : b.line));
  }
  if (b.kind == Breakpoint::Kind::Instruction) j["instructionReference"] = hexAddress(b.address);
  return j;
}

void Session::removeEvent(Breakpoint& b) {
  if (b.ownsEvent && b.eventNum != 0 && findEvent(k_, b.eventNum)) {
    // Another breakpoint at the same place keeps the event.
    Breakpoint* heir = nullptr;
    for (Breakpoint& other : breakpoints_) {
      if (&other != &b && other.eventNum == b.eventNum) heir = &other;
    }
    if (heir) heir->ownsEvent = true;
    else rmevent(k_, b.eventNum, 0);
  }
  b.eventNum = 0;
  b.ownsEvent = false;
  b.verified = false;
  b.unplaced = false;
}

void Session::placeBreakpoint(Breakpoint& b) {
  if (!b.message.empty()) return;  // refused when read
  EventState& events = eventState(k_);
  std::string placeText;
  switch (b.kind) {
    case Breakpoint::Kind::Line: {
      const SymbolTables& tables = k_.prog.program->tables;
      const FileEntry* file = sources_.fileOf(tables, k_.prog.program->fileName, b.source);
      if (!file) {
        b.message = "no debug information for " + b.source;
        return;
      }
      b.actualLine = static_cast<int>(lineWithCode(tables, *file, static_cast<uint32_t>(b.line)));
      if (b.actualLine == 0) {
        b.message = "no code at or after line " + std::to_string(b.line);
        return;
      }
      placeText = file->name + ":" + std::to_string(b.actualLine);
      break;
    }
    case Breakpoint::Kind::Function: placeText = b.source + "()"; break;
    case Breakpoint::Kind::Instruction: placeText = "@" + hexAddress(b.address); break;
    case Breakpoint::Kind::Data: break;
  }
  const bool quiet = events.quietListing;
  const uint16_t lastBefore = events.lastNumber;
  events.quietListing = true;
  events.lastNumber = 0;
  errors_.clear();
  bool made;
  if (b.kind == Breakpoint::Kind::Data) {
    DataEventRequest request;
    request.access = b.access;
    made = setDataEvent(k_, b.source, request);
  } else {
    LocSpec place;
    locspec(placeText.c_str(), place);
    CodeEventRequest request;
    request.entryOnly = b.kind == Breakpoint::Kind::Function;
    made = setCodeEvent(k_, place, request);
  }
  events.quietListing = quiet;
  if (!made) {
    events.lastNumber = lastBefore;
    b.message = reportedErrors();
    if (b.message.empty()) b.message = "refused";
    return;
  }
  b.verified = true;
  if (events.lastNumber != 0) {
    b.eventNum = events.lastNumber;
    b.ownsEvent = true;
  } else {
    // An event of that place was already there: it serves both.
    events.lastNumber = lastBefore;
    for (const Breakpoint& other : breakpoints_) {
      const bool samePlace = other.kind == b.kind && other.source == b.source && other.actualLine == b.actualLine &&
                             other.address == b.address;
      if (&other != &b && other.eventNum != 0 && samePlace) b.eventNum = other.eventNum;
    }
  }
  configureEvent(b);
  checkPlacement(b);
}

void Session::configureEvent(Breakpoint& b) {
  Event* e = findEvent(k_, b.eventNum);
  if (!e) return;
  if (!b.ownsEvent) {
    for (const Breakpoint& other : breakpoints_) {
      if (&other == &b || other.eventNum != b.eventNum || sameSettings(other, b)) continue;
      b.verified = false;
      b.eventNum = 0;
      b.message = "another breakpoint at this place has a different condition, hit condition or log message";
      return;
    }
    return;
  }
  e->condition = b.condition;
  e->logMessage = b.logMessage;
  e->hitRule = b.hitRule;
  e->count = e->left = b.hitCount;
  e->passages = 0;
}

void Session::checkPlacement(Breakpoint& b) {
  if (!b.verified || !b.ownsEvent || !k_.target) return;
  const std::optional<std::string> problem = k_.target->breakPlacementProblem();
  if (!problem) return;
  setEventOn(k_, b.eventNum, false);
  b.verified = false;
  b.unplaced = true;
  b.message = *problem;
  while (!b.message.empty() && (b.message.back() == '\n' || b.message.back() == ' ')) b.message.pop_back();
}

void Session::retryUnplaced() {
  if (!k_.target) return;
  for (Breakpoint& b : breakpoints_) {
    if (!b.unplaced || !findEvent(k_, b.eventNum)) continue;
    setEventOn(k_, b.eventNum, true);
    if (k_.target->breakPlacementProblem()) {
      setEventOn(k_, b.eventNum, false);
      continue;
    }
    b.unplaced = false;
    b.verified = true;
    b.message.clear();
    sendEvent("breakpoint", {{"reason", "changed"}, {"breakpoint", breakpointBody(b)}});
  }
}

void Session::replaceBreakpoints(Breakpoint::Kind kind, const std::string& source, std::vector<Breakpoint> wanted,
                                 json& body) {
  const auto replaced = [&](const Breakpoint& b) {
    return b.kind == kind && (kind != Breakpoint::Kind::Line || b.source == source);
  };
  for (Breakpoint& b : breakpoints_) {
    if (replaced(b)) removeEvent(b);
  }
  std::erase_if(breakpoints_, replaced);
  // Those waiting for break hardware may fit now that some are gone.
  retryUnplaced();
  json list = json::array();
  for (Breakpoint& b : wanted) {
    b.id = nextBreakpointId_++;
    breakpoints_.push_back(b);
    Breakpoint& kept = breakpoints_.back();
    if (launched_) placeBreakpoint(kept);
    else if (kept.message.empty()) kept.message = kNotLoaded;
    list.push_back(breakpointBody(kept));
  }
  body = {{"breakpoints", list}};
}

void Session::placePendingBreakpoints() {
  for (Breakpoint& b : breakpoints_) {
    if (b.verified) continue;
    if (b.message == kNotLoaded) b.message.clear();
    placeBreakpoint(b);
    sendEvent("breakpoint", {{"reason", "changed"}, {"breakpoint", breakpointBody(b)}});
  }
}

void Session::syncConsoleBreakpoints() {
  // Gone: removed by a command.
  for (Breakpoint& b : breakpoints_) {
    if (b.eventNum == 0 || findEvent(k_, b.eventNum)) continue;
    b.eventNum = 0;
    b.ownsEvent = false;
    sendEvent("breakpoint", {{"reason", "removed"}, {"breakpoint", {{"id", b.id}, {"verified", false}}}});
    b.id = 0;
  }
  std::erase_if(breakpoints_, [](const Breakpoint& b) { return b.id == 0; });
  // New: user breakpoints no editor breakpoint stands for.
  for (const auto& e : eventState(k_).list) {
    if (!e->user || e->watch != 0 || e->kind == ev::Change) continue;
    const bool known = std::any_of(breakpoints_.begin(), breakpoints_.end(),
                                   [&](const Breakpoint& b) { return b.eventNum == e->num; });
    if (known) continue;
    Breakpoint b;
    b.id = nextBreakpointId_++;
    b.eventNum = e->num;
    b.ownsEvent = true;
    b.verified = e->on;
    if (e->isData()) {
      b.kind = Breakpoint::Kind::Data;
      b.source = e->expr ? e->expr->text : hexAddress(e->addr);
      b.access = e->kind;
    } else if (e->kind == ev::Line && e->file) {
      b.kind = Breakpoint::Kind::Line;
      const json where = sourceOf(e->file->name);
      b.source = where.contains("path") ? where["path"].get<std::string>() : e->file->name;
      b.line = b.actualLine = static_cast<int>(e->first);
    } else if (e->kind == ev::Symbol) {
      b.kind = Breakpoint::Kind::Function;
      b.source = e->name;
    } else {
      b.kind = Breakpoint::Kind::Instruction;
      b.address = e->addr;
    }
    breakpoints_.push_back(b);
    sendEvent("breakpoint", {{"reason", "new"}, {"breakpoint", breakpointBody(breakpoints_.back())}});
  }
}

void Session::setBreakpoints(const json& args, json& body) {
  const json& source = objectArg(args, "source");
  const std::string path = hasArg(source, "path") ? stringArg(source, "path") : stringArg(source, "name");
  std::vector<Breakpoint> wanted;
  for (const json& item : arrayArg(args, "breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Line);
    b.source = path;
    const int64_t line = integerArg(item, "line");
    if (line < 0 || line > 1000000) throw ArgumentError{{"line must lie between 0 and 1000000"}};
    b.line = static_cast<int>(line) + (linesStartAt1_ ? 0 : 1);
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Line, path, std::move(wanted), body);
}

void Session::setFunctionBreakpoints(const json& args, json& body) {
  std::vector<Breakpoint> wanted;
  for (const json& item : arrayArg(args, "breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Function);
    b.source = stringArg(item, "name");
    if (b.source.size() > 2 && b.source.ends_with("()")) b.source.resize(b.source.size() - 2);
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Function, {}, std::move(wanted), body);
}

void Session::setInstructionBreakpoints(const json& args, json& body) {
  std::vector<Breakpoint> wanted;
  for (const json& item : arrayArg(args, "breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Instruction);
    const std::string reference = stringArg(item, "instructionReference");
    char* end = nullptr;
    const unsigned long address = std::strtoul(reference.c_str(), &end, 0);
    if (reference.empty() || *end != '\0') b.message = "instruction reference \"" + reference + "\" is not an address";
    b.address = static_cast<uint32_t>(address + static_cast<unsigned long>(optionalInteger(item, "offset", 0)));
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Instruction, {}, std::move(wanted), body);
}

void Session::setExceptionBreakpoints(const json&, json& body) { body = {{"breakpoints", json::array()}}; }

void Session::dataBreakpointInfo(const json& args, json& body) {
  size_t frame = 0;
  const std::string expression = expressionOfPart(args, frame);
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k_, frame, expression, 0, error);
  if (!v || !v->fixedPlace) {
    body = {{"dataId", nullptr},
            {"description", v ? expression + " is not a statically allocated variable" : expression + ": " + error}};
    return;
  }
  body = {{"dataId", expression},
          {"description", expression},
          {"accessTypes", json::array({"read", "write", "readWrite"})},
          {"canPersist", false}};
}

void Session::setDataBreakpoints(const json& args, json& body) {
  std::vector<Breakpoint> wanted;
  for (const json& item : arrayArg(args, "breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Data);
    b.source = stringArg(item, "dataId");
    const std::string access = optionalString(item, "accessType", "write");
    if (access == "read") b.access = ev::DataRead;
    else if (access == "write") b.access = ev::DataWrite;
    else if (access == "readWrite") b.access = ev::DataAccess;
    else b.message = "access type \"" + access + "\" is not read, write or readWrite";
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Data, {}, std::move(wanted), body);
}

}  // namespace yav::dap
