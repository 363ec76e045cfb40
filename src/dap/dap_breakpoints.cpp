// Breakpoints the editor sets: lines, functions, instructions and data, each made a kernel event.
// A set request replaces every breakpoint of its kind (of its source file, for lines).
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "dap/dap_address_text.h"
#include "dap/dap_session.h"
#include "engine/events.h"
#include "engine/locspec.h"
#include "model/loader.h"

namespace yav::dap {

namespace {

std::string baseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The passages a hit condition asks for: a positive count ("3", ">= 3" and "== 3" read alike).
std::optional<int> hitCount(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '=' || c == '>'; }),
             text.end());
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit)) return std::nullopt;
  const int n = std::stoi(text);
  return n > 0 ? std::optional<int>(n) : std::nullopt;
}

// The first line at or after `line` of the file that holds code, or 0.
uint32_t lineWithCode(const SymbolTables& t, const std::string& file, uint32_t line) {
  uint32_t best = 0;
  for (const DebugRecord& r : t.records) {
    if (!(r.kind & (rk::Line | rk::FunctionStart | rk::FunctionExit)) || r.startLine < line) continue;
    const std::string& name = r.function && r.function->file ? r.function->file->name : r.fileName;
    if (name == file && (best == 0 || r.startLine < best)) best = r.startLine;
  }
  return best;
}

Breakpoint readCommon(const json& item, Breakpoint::Kind kind) {
  Breakpoint b;
  b.kind = kind;
  b.condition = item.value("condition", std::string());
  b.logMessage = item.value("logMessage", std::string());
  if (const auto hit = item.find("hitCondition"); hit != item.end() && !hit->get<std::string>().empty()) {
    const std::optional<int> n = hitCount(hit->get<std::string>());
    if (n) b.hits = *n;
    else b.message = "hit condition \"" + hit->get<std::string>() + "\" is not a number of passages";
  }
  return b;
}

}  // namespace

Breakpoint* Session::findBreakpoint(int id) {
  for (Breakpoint& b : breakpoints_) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

json Session::breakpointBody(const Breakpoint& b) const {
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
  if (b.ownsEvent && b.eventNum != 0 && findEvent(k_, b.eventNum)) rmevent(k_, b.eventNum, 0);
  b.eventNum = 0;
  b.ownsEvent = false;
  b.verified = false;
}

void Session::placeBreakpoint(Breakpoint& b) {
  if (!b.message.empty()) return;  // refused when read
  EventState& events = eventState(k_);
  std::string placeText;
  switch (b.kind) {
    case Breakpoint::Kind::Line: {
      const FileEntry* file = k_.prog.program->tables.findFile(b.source);
      if (!file) file = k_.prog.program->tables.findFile(baseName(b.source));
      if (!file) {
        b.message = "no debug information for " + baseName(b.source);
        return;
      }
      b.actualLine = static_cast<int>(lineWithCode(k_.prog.program->tables, file->name, static_cast<uint32_t>(b.line)));
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
    request.count = b.hits;
    made = setDataEvent(k_, b.source, request);
  } else {
    LocSpec place;
    locspec(placeText.c_str(), place);
    CodeEventRequest request;
    request.count = b.hits;
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
    return;
  }
  // An event of that place was already there and took the new count: it serves both.
  events.lastNumber = lastBefore;
  for (const Breakpoint& other : breakpoints_) {
    const bool samePlace = other.kind == b.kind && other.source == b.source && other.actualLine == b.actualLine &&
                           other.address == b.address;
    if (&other != &b && other.eventNum != 0 && samePlace) b.eventNum = other.eventNum;
  }
}

void Session::replaceBreakpoints(Breakpoint::Kind kind, const std::string& source, std::vector<Breakpoint> wanted,
                                 json& body) {
  for (Breakpoint& b : breakpoints_) {
    if (b.kind == kind && (kind != Breakpoint::Kind::Line || b.source == source)) removeEvent(b);
  }
  std::erase_if(breakpoints_, [&](const Breakpoint& b) {
    return b.kind == kind && (kind != Breakpoint::Kind::Line || b.source == source);
  });
  json list = json::array();
  for (Breakpoint& b : wanted) {
    b.id = nextBreakpointId_++;
    breakpoints_.push_back(b);
    Breakpoint& kept = breakpoints_.back();
    if (launched_) placeBreakpoint(kept);
    else if (kept.message.empty()) kept.message = "not set until the program is loaded";
    list.push_back(breakpointBody(kept));
  }
  body = {{"breakpoints", list}};
}

void Session::placePendingBreakpoints() {
  for (Breakpoint& b : breakpoints_) {
    if (b.verified) continue;
    if (b.message == "not set until the program is loaded") b.message.clear();
    placeBreakpoint(b);
    sendEvent("breakpoint", {{"reason", "changed"}, {"breakpoint", breakpointBody(b)}});
  }
}

void Session::setBreakpoints(const json& args, json& body) {
  const json& source = args.at("source");
  const std::string path = source.contains("path") ? source["path"].get<std::string>() : source.at("name").get<std::string>();
  std::vector<Breakpoint> wanted;
  for (const json& item : args.value("breakpoints", json::array())) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Line);
    b.source = path;
    b.line = item.at("line").get<int>();
    if (!linesStartAt1_) ++b.line;
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Line, path, std::move(wanted), body);
}

void Session::setFunctionBreakpoints(const json& args, json& body) {
  std::vector<Breakpoint> wanted;
  for (const json& item : args.at("breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Function);
    b.source = item.at("name").get<std::string>();
    if (b.source.size() > 2 && b.source.ends_with("()")) b.source.resize(b.source.size() - 2);
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Function, {}, std::move(wanted), body);
}

void Session::setInstructionBreakpoints(const json& args, json& body) {
  std::vector<Breakpoint> wanted;
  for (const json& item : args.at("breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Instruction);
    const std::string reference = item.at("instructionReference").get<std::string>();
    char* end = nullptr;
    const unsigned long address = std::strtoul(reference.c_str(), &end, 0);
    if (reference.empty() || *end != '\0') b.message = "instruction reference \"" + reference + "\" is not an address";
    b.address = static_cast<uint32_t>(address + static_cast<unsigned long>(item.value("offset", 0)));
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
  for (const json& item : args.at("breakpoints")) {
    Breakpoint b = readCommon(item, Breakpoint::Kind::Data);
    b.source = item.at("dataId").get<std::string>();
    const std::string access = item.value("accessType", std::string("write"));
    if (access == "read") b.access = ev::DataRead;
    else if (access == "write") b.access = ev::DataWrite;
    else if (access == "readWrite") b.access = ev::DataAccess;
    else b.message = "access type \"" + access + "\" is not read, write or readWrite";
    wanted.push_back(b);
  }
  replaceBreakpoints(Breakpoint::Kind::Data, {}, std::move(wanted), body);
}

}  // namespace yav::dap
