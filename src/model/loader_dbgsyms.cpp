#include <algorithm>
#include <charconv>

#include "model/format.h"
#include "model/loader.h"

namespace yav {

namespace {

// Reads a decimal number at `p`; stops at the first non-digit.
uint32_t number(std::string_view s, size_t& p) {
  uint64_t v = 0;
  while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
    v = std::min<uint64_t>(v * 10 + static_cast<uint64_t>(s[p] - '0'), 0xFFFFFFFFull);
    ++p;
  }
  return static_cast<uint32_t>(v);
}

uint16_t line16(uint32_t v) { return static_cast<uint16_t>(std::min<uint32_t>(v, 0xFFFF)); }

// "[+]line[.col][-line[.col]]"
void parseLinePart(std::string_view s, RecordName& r) {
  size_t p = 0;
  if (p < s.size() && s[p] == '+') {
    r.flags |= kPlusFlag;
    ++p;
  }
  r.startLine = line16(number(s, p));
  if (p < s.size() && s[p] == '.') {
    ++p;
    r.startColumn = line16(number(s, p));
  }
  r.endLine = r.startLine;
  r.endColumn = r.startColumn;
  if (p < s.size() && s[p] == '-') {
    ++p;
    r.endLine = line16(number(s, p));
    r.endColumn = r.startColumn;
    if (p < s.size() && s[p] == '.') {
      ++p;
      r.endColumn = line16(number(s, p));
    }
  }
}

// "[-]first[.[+]second][.number]"
void parseItemPart(std::string_view s, RecordName& r) {
  size_t p = 0;
  bool negative = false;
  if (p < s.size() && s[p] == '-') {
    negative = true;
    ++p;
  }
  const uint32_t first = number(s, p);
  r.startLine = static_cast<uint16_t>(negative ? 0u - first : first);
  if (p < s.size() && s[p] == '.') {
    ++p;
    if (p < s.size() && s[p] == '+') {
      r.flags |= kPlusFlag;
      ++p;
    }
    r.startColumn = line16(number(s, p));
    if (p < s.size() && s[p] == '.') {
      ++p;
      r.number = number(s, p);
    }
  }
  r.endLine = r.startLine;
  r.endColumn = r.startColumn;
}

}  // namespace

RecordName parseRecordName(uint8_t kind, std::string_view name) {
  RecordName r;
  const size_t colon = name.rfind(':');
  const std::string_view head = colon == std::string_view::npos ? name : name.substr(0, colon);
  const std::string_view tail = colon == std::string_view::npos ? std::string_view() : name.substr(colon + 1);
  if (kind == rk::Line) {
    r.fileName = std::string(head);
    parseLinePart(tail, r);
    return r;
  }
  if (kind == rk::AsmLine) {
    r.functionName = std::string(name);
    return r;
  }
  const size_t tilde = head.find('~');
  r.fileName = std::string(head.substr(0, tilde));
  if (tilde != std::string_view::npos) r.functionName = std::string(head.substr(tilde + 1));
  if (kind == rk::FunctionStart) parseLinePart(tail, r);
  else if (kind == rk::FunctionLine || kind == rk::FileStart) parseItemPart(tail, r);
  return r;
}

namespace {

// Places the records of one address in the order repeated insertion gives: each goes after the
// records already there, except that a function end goes before a function start of a
// different file.
void orderSameAddress(std::vector<DebugRecord>& recs, size_t lo, size_t hi) {
  bool anyEnd = false;
  for (size_t i = lo; i < hi && !anyEnd; ++i) anyEnd = recs[i].kind == rk::FunctionEnd;
  if (!anyEnd || hi - lo < 2) return;
  std::vector<DebugRecord> out;
  out.reserve(hi - lo);
  for (size_t i = lo; i < hi; ++i) {
    auto at = out.end();
    if (recs[i].kind == rk::FunctionEnd) {
      at = std::find_if(out.begin(), out.end(), [&](const DebugRecord& o) {
        return o.kind == rk::FunctionStart && o.fileName != recs[i].fileName;
      });
    }
    out.insert(at, std::move(recs[i]));
  }
  std::move(out.begin(), out.end(), recs.begin() + static_cast<ptrdiff_t>(lo));
}

LoadOutcome passChecks(std::vector<DebugRecord>& recs, std::vector<bool>& removed) {
  size_t current = kNoRecord, lastNamed = kNoRecord, prevLine = kNoRecord;
  for (size_t i = 0; i < recs.size(); ++i) {
    DebugRecord& r = recs[i];
    switch (r.kind) {
      case rk::FunctionStart:
        current = i;
        prevLine = kNoRecord;
        if (!r.functionName.empty()) {
          lastNamed = i;
        } else if (i + 1 < recs.size() && recs[i + 1].kind == rk::Line) {
          r.startLine = recs[i + 1].startLine;
          r.startColumn = recs[i + 1].startColumn;
          r.endLine = recs[i + 1].endLine;
          r.endColumn = recs[i + 1].endColumn;
        }
        break;
      case rk::Line: {
        if (current == kNoRecord) {
          return LoadOutcome::abandon(fmtstr("Missing function for Line: %p %ul", r.fileName, r.startLine));
        }
        r.functionName = recs[current].functionName;
        if (prevLine != kNoRecord) {
          if (recs[current].functionName.empty()) {
            if (recs[prevLine].startLine == r.startLine) {
              removed[i] = true;
              break;
            }
          } else if (recs[prevLine].address == r.address) {
            removed[prevLine] = true;
          }
        }
        prevLine = i;
        break;
      }
      case rk::FunctionEnd:
        if (current == kNoRecord) {
          return LoadOutcome::abandon(fmtstr("MISSING START INFO FOR: %p at: 0x%hl", r.fileName, r.address));
        }
        for (size_t j = lastNamed == kNoRecord ? 0 : lastNamed + 1; j < i; ++j) {
          if (recs[j].address == r.address && recs[j].kind != rk::FileStart && recs[j].kind != rk::FileReturnPoint) removed[j] = true;
        }
        prevLine = kNoRecord;
        break;
      default:
        break;
    }
  }
  return {};
}

}  // namespace

LoadOutcome readDebugSymbols(Program& prog, ByteSource& src, uint64_t offset, uint32_t count, LoadHost& host) {
  std::vector<DebugRecord> recs;
  uint64_t pos = offset;
  for (uint32_t n = 0; n < count; ++n) {
    uint8_t head[7];
    // A truncated table means a damaged file: the load stops here.
    if (!src.read(pos, head, 7)) return LoadOutcome::abandon("read error debug symbol\n");
    std::string name(head[6], '\0');
    if (!src.read(pos + 7, name.data(), head[6])) return LoadOutcome::abandon("read error debug symbol\n");
    pos += 7 + head[6];
    uint32_t value = static_cast<uint32_t>(head[0]) << 24 | static_cast<uint32_t>(head[1]) << 16 |
                     static_cast<uint32_t>(head[2]) << 8 | head[3];
    const uint8_t kind = head[4], section = head[5];
    if (section != 0 && section <= prog.tables.sections.size()) {
      value += static_cast<uint32_t>(prog.tables.sections[section - 1].bias);
    }
    RecordName parsed = parseRecordName(kind, name);
    DebugRecord r;
    r.kind = kind;
    r.address = value;
    r.fileName = std::move(parsed.fileName);
    r.functionName = std::move(parsed.functionName);
    r.flags = parsed.flags;
    r.startLine = parsed.startLine;
    r.startColumn = parsed.startColumn;
    r.endLine = parsed.endLine;
    r.endColumn = parsed.endColumn;
    r.number = parsed.number;
    if (kind & rk::Segment) {
      prog.tables.segmentRecords.push_back(std::move(r));
    } else if (kind == rk::AsmLine) {
      if (r.functionName.size() >= 2 && r.functionName[1] == '#') prog.defineRecords.push_back(r);
      prog.tables.asmLines.push_back(std::move(r));
    } else {
      recs.push_back(std::move(r));
    }
    if ((n & 0x3FF) == 0x3FF && host.cancelled()) break;
  }
  auto byAddress = [](const DebugRecord& a, const DebugRecord& b) { return a.address < b.address; };
  std::stable_sort(prog.tables.asmLines.begin(), prog.tables.asmLines.end(), byAddress);
  std::stable_sort(prog.defineRecords.begin(), prog.defineRecords.end(), byAddress);
  std::stable_sort(recs.begin(), recs.end(), byAddress);
  for (size_t lo = 0; lo < recs.size();) {
    size_t hi = lo + 1;
    while (hi < recs.size() && recs[hi].address == recs[lo].address) ++hi;
    orderSameAddress(recs, lo, hi);
    lo = hi;
  }
  std::vector<bool> removed(recs.size(), false);
  LoadOutcome checked = passChecks(recs, removed);
  if (!checked.ok) return checked;
  prog.tables.records.reserve(recs.size());
  for (size_t i = 0; i < recs.size(); ++i) {
    if (removed[i]) continue;
    // A return point survives its function's end record in the file; in the tables it is the
    // function's exit entry, which the frame chain pops at.
    if (recs[i].kind == rk::FileReturnPoint) recs[i].kind = rk::FunctionExit;
    prog.tables.records.push_back(std::move(recs[i]));
  }
  for (const DebugRecord& r : prog.tables.records) {
    if (r.kind == rk::FileStart) prog.fileRecordOffsets.push_back(r.number);
  }
  return {};
}

}  // namespace yav
