#include <algorithm>
#include <unordered_set>

#include "model/loader.h"

namespace yav {

namespace {

constexpr int kMaxAggregateDepth = 64;
const char* const kInconsistent = "INCONSISTENT DEBUG INFO\n\nPROBABLE TARGET MISMATCH\n";

// Reads inside the debug section only: offsets are relative to its start.
class DebugInfo {
 public:
  explicit DebugInfo(Program& p) : prog_(p), src_(*p.file) {}
  bool be32(uint32_t off, uint32_t& v) { return inside(off, 4) && src_.be32(prog_.debugBase + off, v); }
  bool le32(uint32_t off, uint32_t& v) { return inside(off, 4) && src_.le32(prog_.debugBase + off, v); }
  bool u8(uint32_t off, uint8_t& v) { return inside(off, 1) && src_.u8(prog_.debugBase + off, v); }
  // A name and the offset just past its terminator.
  bool name(uint32_t off, std::string& s, uint32_t& after) {
    if (!inside(off, 1)) return false;
    const size_t limit = std::min<uint64_t>(4096, prog_.debugSize - off);
    if (!src_.cstring(prog_.debugBase + off, s, limit)) return false;
    after = off + static_cast<uint32_t>(s.size()) + 1;
    return true;
  }
  uint32_t size() const { return prog_.debugSize; }

 private:
  bool inside(uint32_t off, uint32_t n) const { return static_cast<uint64_t>(off) + n <= prog_.debugSize; }
  Program& prog_;
  ByteSource& src_;
};

bool isAggregateCode(uint8_t c) { return c == tc::Struct || c == tc::Union || isEnumCode(c); }

struct TypeSlots {
  uint16_t valueAttributes = 0;
  uint32_t bitWord = 0;
  AuxList aux;
};

// Where a bit-field or _Bool sits: a bit-field's slot gives width and lowest bit; a _Bool's gives
// its bit, or, without one, the bit is the low three bits of the value, which then counts bytes.
void placeBits(uint32_t type, const TypeSlots& ts, uint32_t& value, uint8_t& bitNumber, uint8_t& bitWidth) {
  if (!isPlain(type)) return;
  const uint8_t code = baseCode(type);
  if (code == tc::Bool) {
    if (ts.bitWord != 0) {
      bitNumber = static_cast<uint8_t>(ts.bitWord >> 8);
    } else {
      bitNumber = static_cast<uint8_t>(value & 7);
      value >>= 3;
    }
  } else if (isBitFieldCode(code)) {
    bitWidth = static_cast<uint8_t>(ts.bitWord & 0xFF);
    bitNumber = static_cast<uint8_t>(ts.bitWord >> 8);
  }
}

class FileReader {
 public:
  FileReader(Program& p, LoadHost& h) : prog_(p), host_(h), info_(p) {}

  LoadOutcome readSlots(uint32_t type, uint32_t off, TypeSlots& out, int depth) {
    // Slots are consecutive words; an offset of 0 means the type needs none or has none.
    auto next = [&](uint32_t& w) {
      if (off == 0) {
        w = 0;
        return true;
      }
      const bool ok = info_.be32(off, w);
      off += 4;
      return ok;
    };
    uint32_t w = 0;
    if (prog_.pointerAttributeWords) {
      if (!next(w)) return readFailure();
      out.valueAttributes = static_cast<uint16_t>(w);
    }
    const uint8_t code = baseCode(type);
    if (isBitFieldCode(code) || code == tc::Bool) {
      if (!next(w)) return readFailure();
      out.bitWord = w;
    }
    for (uint32_t t = type; outermost(t) != Derivation::None; t = removeOutermost(t)) {
      if (outermost(t) == Derivation::Function) continue;
      if (!next(w)) return readFailure();
      out.aux.push_back({w, nullptr});
    }
    if (isAggregateCode(code)) {
      if (!next(w)) return readFailure();
      const AggregateDescriptor* d = nullptr;
      if (w != 0) {
        LoadOutcome r = aggregate(w, depth + 1, d);
        if (!r.ok) return r;
      }
      out.aux.push_back({0, d});
      // Every word names the descriptor too, so it is found from any level of the type.
      for (AuxWord& a : out.aux) a.descriptor = d;
    }
    return {};
  }

  LoadOutcome aggregate(uint32_t off, int depth, const AggregateDescriptor*& out) {
    auto found = prog_.tables.aggregates.find(off);
    if (found != prog_.tables.aggregates.end()) {
      out = found->second.get();
      return {};
    }
    if (depth > kMaxAggregateDepth) return LoadOutcome::abandon(kInconsistent, "Error");
    auto desc = std::make_unique<AggregateDescriptor>();
    AggregateDescriptor* d = desc.get();
    d->identity = off;
    prog_.tables.aggregates.emplace(off, std::move(desc));  // before the members: they may refer back
    out = d;
    uint32_t tagOff = 0, after = 0;
    if (!info_.be32(off, tagOff)) return readFailure();
    if (tagOff != 0 && !info_.name(tagOff, d->tag, after)) return readFailure();
    uint32_t m = off + 4;
    for (;; m += 16) {
      uint32_t nameOff = 0;
      if (!info_.be32(m, nameOff)) return readFailure();
      if (nameOff == 0) break;
      AggregateMember mem;
      uint32_t value = 0, type = 0, slots = 0;
      if (!info_.name(nameOff, mem.name, after) || !info_.be32(m + 4, value) || !info_.le32(m + 8, type) ||
          !info_.be32(m + 12, slots)) {
        return readFailure();
      }
      mem.value = static_cast<int32_t>(value);
      mem.type = type;
      // The storage-class byte after the name marks enum members; an older file may lack it.
      if (!info_.u8(after, mem.storageClass)) mem.storageClass = 0;
      TypeSlots ts;
      LoadOutcome r = readSlots(type, slots, ts, depth);
      if (!r.ok) return r;
      mem.aux = std::move(ts.aux);
      mem.pointerAttributes = pointerAttributesOf(type, ts);
      placeBits(type, ts, value, mem.bitNumber, mem.bitWidth);
      mem.value = static_cast<int32_t>(value);
      d->members.push_back(std::move(mem));
    }
    if (!info_.be32(m + 4, d->size)) return readFailure();
    return {};
  }

  LoadOutcome readLocals(uint32_t off, FunctionEntry& fn, const DebugRecord* start) {
    std::vector<SymbolEntry> args, others;
    for (uint32_t count = 0;; off += 16, ++count) {
      if (count > info_.size() / 16) return LoadOutcome::abandon(kInconsistent, "Error");
      uint32_t nameOff = 0;
      if (!info_.be32(off, nameOff)) return readFailure();
      if (nameOff == 0) break;
      SymbolEntry s;
      uint32_t value = 0, type = 0, slots = 0, after = 0;
      if (!info_.name(nameOff, s.name, after) || !info_.u8(after, s.storageClass) || !info_.be32(off + 4, value) ||
          !info_.le32(off + 8, type) || !info_.be32(off + 12, slots)) {
        return readFailure();
      }
      if (hasSecondAddress(s.storageClass) && !info_.be32(after + 1, s.secondAddress)) return readFailure();
      s.value = value;
      s.type = type;
      s.addressSpace = fn.addressSpace;
      TypeSlots ts;
      LoadOutcome r = readSlots(type, slots, ts, 0);
      if (!r.ok) return r;
      s.aux = std::move(ts.aux);
      s.pointerAttributes = pointerAttributesOf(type, ts);
      placeBits(type, ts, s.value, s.bitNumber, s.bitWidth);
      if (isArgumentClass(s.storageClass)) s.value += fn.frameAdjustment();
      if (hasSecondAddress(s.storageClass)) std::swap(s.value, s.secondAddress);
      if (s.storageClass == sc::Argument && start && (start->flags & kPlusFlag)) s.value += 1;
      s.size = typeSize(s.type, s.aux, s.pointerAttributes);
      s.symbolLink = nameOff;
      if (isArgumentClass(s.storageClass)) {
        if (isRegisterHeldClass(s.storageClass)) fn.hasRegisterArgument = true;
        args.push_back(std::move(s));
      } else {
        others.push_back(std::move(s));
      }
    }
    fn.argumentCount = static_cast<uint16_t>(std::min<size_t>(args.size(), 0xFFFF));
    fn.locals = std::move(args);
    for (SymbolEntry& s : others) fn.locals.push_back(std::move(s));
    return {};
  }

  LoadOutcome readFile(uint32_t fileOff) {
    uint32_t nameOff = 0, firstFunction = 0, after = 0;
    auto file = std::make_unique<FileEntry>();
    if (!info_.be32(fileOff, nameOff) || !info_.be32(fileOff + 4, firstFunction) ||
        !info_.name(nameOff, file->name, after)) {
      return readFailure();
    }
    uint8_t model = 0x8c;
    if (!info_.u8(after, model)) return readFailure();
    if (model < 0x8a || model > 0x8d) model = 0x8c;
    file->addressSpaceByte = model;
    file->addressSpace = (model == 0x8b || model == 0x8d) ? 1 : 0;
    if (FileEntry* existing = prog_.tables.findFile(file->name)) {
      if (existing->flags & fileflag::Replaceable) {
        removeFile(existing);
      } else {
        file->flags |= fileflag::Duplicate;
        const std::string opt = host_.noDupFiles();
        if (!opt.empty() && (opt[0] == 'y' || opt[0] == 'Y')) return {};
      }
    }
    std::unordered_set<uint32_t> seen;
    std::vector<std::unique_ptr<FunctionEntry>> named;
    std::unique_ptr<FunctionEntry> outer;
    for (uint32_t off = firstFunction; off != 0;) {
      if (!seen.insert(off).second) return LoadOutcome::abandon(kInconsistent, "Error");
      auto fn = std::make_unique<FunctionEntry>();
      fn->file = file.get();
      fn->addressSpace = file->addressSpace;
      uint32_t next = 0, fnName = 0, type = 0, slots = 0, locals = 0;
      if (!info_.be32(off, next) || !info_.be32(off + 8, fnName) || !info_.be32(off + 12, fn->firstLine) ||
          !info_.be32(off + 16, fn->lastLine) || !info_.le32(off + 20, type) || !info_.be32(off + 24, slots) ||
          !info_.be32(off + 28, locals)) {
        return readFailure();
      }
      if (fnName != 0) {
        if (!info_.name(fnName, fn->name, after) || !info_.u8(after, fn->storageClass)) return readFailure();
      }
      fn->type = type;
      if (!hasTypeName(baseCode(type))) return LoadOutcome::abandon(kInconsistent, "Error");
      TypeSlots ts;
      LoadOutcome r = readSlots(removeOutermostFunction(type), slots, ts, 0);
      if (!r.ok) return r;
      fn->aux = std::move(ts.aux);
      fn->pointerAttributes = ts.valueAttributes;
      fn->description = functionDescription(fn->storageClass, removeOutermostFunction(type), fn->aux);
      const DebugRecord* start = nullptr;
      if (!fn->name.empty()) {
        const size_t si = startRecordOf(file->name, fn->name);
        if (si == kNoRecord) {  // a function without code
          off = next;
          continue;
        }
        linkRecords(*fn, si);
        start = &prog_.tables.records[si];
      }
      if (locals != 0) {
        if (prog_.loadState != loadstate::Object) {
          return LoadOutcome::abandon(prog_.loadState == 2 || prog_.loadState == 3 ? "V3 Format not SUpported "
                                                                                     : "Unknown format for Locals ");
        }
        r = readLocals(locals, *fn, start);
        if (!r.ok) return r;
      }
      file->lastFirstLine = fn->firstLine;
      file->lastLastLine = fn->lastLine;
      if (fn->name.empty()) {
        if (!outer) outer = std::move(fn);
      } else {
        named.push_back(std::move(fn));
      }
      off = next;
      if (host_.cancelled()) break;
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return startAddress(*a) < startAddress(*b); });
    if (!outer) {
      outer = std::make_unique<FunctionEntry>();
      outer->file = file.get();
      outer->addressSpace = file->addressSpace;
      outer->type = tc::Void;
    }
    for (auto& f : named) file->functions.push_back(std::move(f));
    prog_.tables.namelessScopes.push_back(outer.get());
    file->functions.push_back(std::move(outer));
    for (auto& f : file->functions) f->tables = &prog_.tables;
    prog_.tables.insertFile(std::move(file));
    return {};
  }

 private:
  static uint32_t removeOutermostFunction(uint32_t type) {
    return outermost(type) == Derivation::Function ? removeOutermost(type) : type;
  }
  static uint32_t startAddress(const FunctionEntry& f) { return f.tables ? f.address() : 0; }
  static uint16_t pointerAttributesOf(uint32_t type, const TypeSlots& ts) {
    if (outermost(type) == Derivation::Pointer && !ts.aux.empty()) return static_cast<uint16_t>(ts.aux.front().word);
    return ts.valueAttributes;
  }
  LoadOutcome readFailure() { return LoadOutcome::abandon("read error debug information\n"); }

  size_t startRecordOf(const std::string& file, const std::string& fn) {
    auto& starts = prog_.functionStarts;
    if (!prog_.functionStartsIndexed) {
      for (size_t i = 0; i < prog_.tables.records.size(); ++i) {
        const DebugRecord& r = prog_.tables.records[i];
        if (r.kind == rk::FunctionStart) starts.try_emplace(r.fileName + '\n' + r.functionName, i);
      }
      prog_.functionStartsIndexed = true;
    }
    auto it = starts.find(file + '\n' + fn);
    return it == starts.end() ? kNoRecord : it->second;
  }

  void linkRecords(FunctionEntry& fn, size_t si) {
    auto& recs = prog_.tables.records;
    fn.startRecord = si;
    fn.tables = &prog_.tables;
    recs[si].function = &fn;
    for (size_t i = si + 1; i < recs.size(); ++i) {
      if (recs[i].kind == rk::FunctionStart) break;
      recs[i].function = &fn;
      if (recs[i].kind == rk::Line && fn.firstLineRecord == kNoRecord) fn.firstLineRecord = i;
      if (recs[i].kind == rk::FunctionEnd) {
        fn.endRecord = i;
        break;
      }
    }
  }

  void removeFile(FileEntry* f) {
    auto& files = prog_.tables.files;
    for (auto& fn : f->functions) {
      for (DebugRecord& r : prog_.tables.records) {
        if (r.function == fn.get()) r.function = nullptr;
      }
      auto& nl = prog_.tables.namelessScopes;
      nl.erase(std::remove(nl.begin(), nl.end(), fn.get()), nl.end());
    }
    files.erase(std::remove_if(files.begin(), files.end(), [f](const auto& e) { return e.get() == f; }), files.end());
  }

  Program& prog_;
  LoadHost& host_;
  DebugInfo info_;
};

}  // namespace

LoadOutcome readFileDebugInfo(Program& prog, uint32_t fileRecordOffset, LoadHost& host) {
  if (!prog.file || !prog.hasDebugSection) return {};
  FileReader reader(prog, host);
  return reader.readFile(fileRecordOffset);
}

}  // namespace yav
