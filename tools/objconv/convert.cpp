#include "objconv/convert.h"

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "objconv/cdb.h"
#include "objconv/image.h"
#include "objconv/object_writer.h"
#include "objconv/source_scan.h"

namespace objconv {

namespace {

// Storage classes and type codes of the debugger's symbol tables.
constexpr uint8_t kStatic = 1, kArgument = 2, kAuto = 3, kRegister = 4, kRegisterArg = 5, kFirstRegArg = 7,
                  kEnumMember = 12, kStaticArg = 15, kTypedef = 17, kLocalFunction = 18, kGlobalFunction = 19;
constexpr uint8_t kBool = 0x01;
constexpr uint8_t kFileStart = 0x40, kFunctionStart = 0x20, kFunctionEnd = 0x10, kLine = 0x08,
                  kFunctionLine = 0x01, kFunctionExit = 0x02;

struct MapInfo {
  std::map<std::string, uint32_t> areaStart, areaLength;  // from s_NAME / l_NAME
  std::map<std::string, std::pair<uint32_t, std::string>> globals;  // _name -> value, module
};

MapInfo parseMap(const std::string& text) {
  MapInfo m;
  std::istringstream in(text);
  std::string line;
  static const std::regex row(R"(^\s*(?:C:)?\s*([0-9A-Fa-f]{4,8})\s+(\S+)\s*(\S*)\s*$)");
  std::smatch g;
  while (std::getline(in, line)) {
    if (line.size() > 400 || !std::regex_match(line, g, row)) continue;
    const uint32_t v = static_cast<uint32_t>(std::stoul(g[1].str(), nullptr, 16));
    const std::string name = g[2].str();
    if (name.rfind("s_", 0) == 0) m.areaStart[name.substr(2)] = v;
    else if (name.rfind("l_", 0) == 0) m.areaLength[name.substr(2)] = v;
    else if (name[0] == '_') m.globals[name] = {v, g[3].str()};
  }
  return m;
}

struct TypeOut {
  uint32_t word = 0;
  std::vector<uint32_t> slots;  // extension slots (aggregate offsets patched in as they are)
};

class Converter {
 public:
  Converter(const ConvertInput& in, ConvertResult& res) : in_(in), res_(res) {}

  bool run() {
    if (!parseCdb(in_.cdb, cdb_, res_.error)) return false;
    map_ = parseMap(in_.map);
    std::vector<ImageRun> runs;
    if (!parseImage(in_.image, runs, res_.error)) return false;
    scanSources();
    buildFunctions();
    for (const std::string& mod : cdb_.modules) writeModule(mod);
    std::vector<OutSection> sections;
    for (const ImageRun& r : runs) {
      sections.push_back({".text", r.address, static_cast<uint32_t>(r.bytes.size()), r.bytes});
    }
    addArea(sections, ".bsct", {"DSEG", "OSEG"});
    addArea(sections, ".data", {"XISEG"});
    addArea(sections, ".bss", {"XSEG"});
    sections.push_back({".debug", 0, dbg_.here(), dbg_.bytes()});
    if (sections.size() > 255) return res_.error = "too many sections", false;
    std::vector<OutLabel> labels;
    for (const auto& [name, v] : map_.globals) {
      labels.push_back({v.first, static_cast<uint8_t>(inCode(runs, v.first) ? 0x01 : 0x02), 0, name});
    }
    // The reset vector names the start-up code.
    const std::optional<uint16_t> entry = wordAt(runs, 0xFFFE);
    if (entry) {
      labels.push_back({*entry, 0x01, 0, "__stext"});
      res_.startupStack = startupStack(runs, *entry);
    }
    // At one address: file start, function start, function line, lines, exit, end.
    auto rank = [](uint8_t kind) {
      switch (kind) {
        case kFileStart: return 0;
        case kFunctionStart: return 1;
        case kFunctionLine: return 2;
        case kLine: return 3;
        case kFunctionExit: return 4;
        default: return 5;
      }
    };
    std::stable_sort(records_.begin(), records_.end(), [&](const OutRecord& a, const OutRecord& b) {
      return a.value != b.value ? a.value < b.value : rank(a.kind) < rank(b.kind);
    });
    res_.object = writeObject(sections, labels, records_);
    return true;
  }

 private:
  struct Func {
    const CdbFunction* cdb = nullptr;
    uint32_t start = 0, end = 0;
    uint32_t firstLine = 0, lastLine = 0;
    std::string file;
  };

  static std::optional<uint8_t> byteAt(const std::vector<ImageRun>& runs, uint32_t a) {
    for (const ImageRun& r : runs)
      if (a >= r.address && a - r.address < r.bytes.size()) return r.bytes[a - r.address];
    return std::nullopt;
  }
  static std::optional<uint16_t> wordAt(const std::vector<ImageRun>& runs, uint32_t a) {
    const std::optional<uint8_t> hi = byteAt(runs, a), lo = byteAt(runs, a + 1);
    if (!hi || !lo) return std::nullopt;
    return static_cast<uint16_t>(*hi << 8 | *lo);
  }
  // SDCC's start-up code begins with `ldhx #top+1` `txs`: the SP it sets.
  static std::optional<uint16_t> startupStack(const std::vector<ImageRun>& runs, uint16_t entry) {
    constexpr uint8_t kLdhxImmediate = 0x45, kTxs = 0x94;
    const std::optional<uint16_t> top = wordAt(runs, entry + 1u);
    if (byteAt(runs, entry) != kLdhxImmediate || !top || byteAt(runs, entry + 3u) != kTxs) return std::nullopt;
    return static_cast<uint16_t>(*top - 1);
  }

  static bool inCode(const std::vector<ImageRun>& runs, uint32_t a) {
    for (const ImageRun& r : runs)
      if (a >= r.address && a < r.address + r.bytes.size()) return true;
    return false;
  }

  void addArea(std::vector<OutSection>& s, const char* name, std::initializer_list<const char*> areas) {
    uint32_t lo = 0xFFFFFFFF, hi = 0;
    for (const char* a : areas) {
      auto st = map_.areaStart.find(a);
      auto ln = map_.areaLength.find(a);
      if (st == map_.areaStart.end() || ln == map_.areaLength.end() || ln->second == 0) continue;
      lo = std::min(lo, st->second);
      hi = std::max(hi, st->second + ln->second);
    }
    if (hi > lo) s.push_back({name, lo, hi - lo, {}});
  }

  std::string sourceName(const std::string& module) const {
    auto it = moduleFile_.find(module);
    return it != moduleFile_.end() ? it->second : module + ".c";
  }

  void scanSources() {
    // The file name of each module comes from its line records.
    for (const CdbLine& l : cdb_.lines) {
      const size_t dot = l.file.rfind('.');
      moduleFile_.try_emplace(l.file.substr(0, dot), l.file);
    }
    for (const std::string& mod : cdb_.modules) {
      SourceInfo& info = sources_[mod];
      std::set<std::string> seen;
      std::vector<std::string> todo{sourceName(mod)};
      while (!todo.empty() && seen.size() < 64) {
        const std::string name = todo.back();
        todo.pop_back();
        if (!seen.insert(name).second || !in_.readSource) continue;
        const std::optional<std::string> text = in_.readSource(name);
        if (!text) {
          res_.warnings.push_back("source not found: " + name + " (enum members, typedefs and parameter names of " +
                                  mod + " are missing)");
          continue;
        }
        const size_t before = info.includes.size();
        scanSource(*text, info);
        for (size_t i = before; i < info.includes.size(); ++i) todo.push_back(info.includes[i]);
      }
    }
  }

  void buildFunctions() {
    for (const CdbFunction& f : cdb_.functions) {
      const std::string key = f.fileStatic ? "F" + f.module + "$" + f.name + "$0$0" : "G$" + f.name + "$0$0";
      auto s = cdb_.addresses.find(key);
      auto e = cdb_.functionEnds.find(key);
      if (s == cdb_.addresses.end()) continue;
      Func fn;
      fn.cdb = &f;
      fn.start = s->second;
      fn.end = e != cdb_.functionEnds.end() ? std::max(e->second, s->second) : s->second;
      fn.file = fileOfCode(fn.start, fn.end, sourceName(f.module));
      funcs_[f.module].push_back(fn);
    }
    // Line records inside a function's code; the rest (start-up code) has no function.
    for (const CdbLine& l : cdb_.lines) {
      for (auto& [mod, list] : funcs_) {
        for (Func& fn : list) {
          if (l.address < fn.start || l.address > fn.end || fn.file != l.file) continue;
          if (!fn.firstLine || l.line < fn.firstLine) fn.firstLine = l.line;
          fn.lastLine = std::max(fn.lastLine, l.line);
          records_.push_back({l.address, kLine, l.file + ":" + std::to_string(l.line)});
        }
      }
    }
    for (auto& [mod, list] : funcs_) {
      std::sort(list.begin(), list.end(), [](const Func& a, const Func& b) { return a.start < b.start; });
      for (Func& fn : list) {
        if (!fn.firstLine) fn.firstLine = fn.lastLine = 1;
        const std::string base = fn.file + "~" + fn.cdb->name + ":";
        records_.push_back({fn.start, kFunctionStart,
                            base + std::to_string(fn.firstLine) + "-" + std::to_string(fn.lastLine)});
        records_.push_back({prologueEnd(mod, fn), kFunctionLine, base + std::to_string(fn.firstLine) + ".0"});
        records_.push_back({fn.end, kFunctionExit, base});
        records_.push_back({fn.end, kFunctionEnd, base});
      }
    }
  }

  // Where a function has saved its register-passed first argument. A non-reentrant function
  // stores it into its static place, a reentrant one into its stack slot, and one SDCC keeps in a
  // register moves it there from the registers of the call, with its first instructions, before
  // the code of its first statement: until there the argument's value is where the call put it.
  uint32_t prologueEnd(const std::string& module, const Func& fn) const {
    const auto params = sources_.find(module);
    if (params == sources_.end()) return fn.start;
    const auto list = params->second.params.find(fn.cdb->name);
    if (list == params->second.params.end() || list->second.empty()) return fn.start;
    const std::string& first = list->second.front();
    const bool described = std::any_of(cdb_.symbols.begin(), cdb_.symbols.end(), [&](const CdbSymbol& sym) {
      return sym.scope == 'L' && sym.module == module && sym.function == fn.cdb->name && sym.name == first;
    });
    if (!described) return fn.start;
    uint32_t statement = fn.start;
    for (const CdbLine& l : cdb_.lines) {
      if (l.address > fn.start && l.address <= fn.end && l.file == fn.file &&
          (statement == fn.start || l.address < statement)) {
        statement = l.address;
      }
    }
    return statement;
  }

  // The source file of a function's code: that of its first line record (a header for a
  // function defined there), else the module's own file.
  std::string fileOfCode(uint32_t start, uint32_t end, const std::string& fallback) const {
    const CdbLine* first = nullptr;
    for (const CdbLine& l : cdb_.lines) {
      if (l.address < start || l.address > end) continue;
      if (!first || l.address < first->address) first = &l;
    }
    return first ? first->file : fallback;
  }

  // Type word and extension slots of an SDCC type chain.
  TypeOut typeOf(const TypeChain& t, const std::string& module, const std::string& varName) {
    TypeOut out;
    uint8_t code = 0x50;
    const bool s = t.isSigned;
    uint32_t baseSize = t.size;
    for (const auto& d : t.derived) {
      if (d.kind == 'A' && d.length) baseSize /= d.length;
    }
    if (t.spec == "SC") code = s ? 0x08 : 0x0a;  // SDCC's plain char is unsigned: signed means "signed char"
    else if (t.spec == "Bool") code = kBool;
    else if (t.spec == "SS") code = s ? 0x10 : 0x11;
    else if (t.spec == "SI") code = s ? 0x18 : 0x1a;
    else if (t.spec == "SL") code = s ? 0x20 : 0x21;
    else if (t.spec == "SF") code = 0x28;
    else if (t.spec == "SV") code = 0x50;
    else if (t.spec == "SB") code = t.bitWidth <= 8 ? 0x0b : 0x19;
    else if (t.spec == "SX") code = kBool;
    else if (t.spec == "ST") code = sources_[module].unionTags.count(t.tag) ? 0x49 : 0x48;
    const EnumDef* en = nullptr;
    if (code < 0x28 && code != kBool && code != 0x0b && code != 0x19 && !varName.empty()) {
      const SourceInfo& si = sources_[module];
      auto v = si.enumVars.find(varName);
      if (v != si.enumVars.end()) {
        auto d = si.enums.find(v->second);
        if (d != si.enums.end()) en = &d->second;
      }
    }
    if (en) code = baseSize == 1 ? 0x4b : baseSize == 4 ? 0x4e : 0x4a;
    uint32_t word = code;
    for (auto it = t.derived.rbegin(); it != t.derived.rend(); ++it) {
      const uint32_t d = it->kind == 'P' ? 1 : it->kind == 'F' ? 2 : 3;
      word = (word & 0xFF) | (((word >> 10) << 8) & 0x3FFFFF00u) | (d << 30);
    }
    out.word = word;
    if (t.spec == "SB") out.slots.push_back(t.bitWidth | t.bitOffset << 8);
    for (const auto& d : t.derived) {
      if (d.kind == 'A') out.slots.push_back(d.length);
      else if (d.kind == 'P') out.slots.push_back(0);
    }
    if (code == 0x48 || code == 0x49) out.slots.push_back(structDescriptor(module, t.tag));
    else if (en) out.slots.push_back(enumDescriptor(*en, baseSize));
    return out;
  }

  uint32_t writeSlots(const TypeOut& t) {
    if (t.slots.empty()) return 0;
    const uint32_t at = dbg_.here();
    for (uint32_t w : t.slots) dbg_.be32(w);
    return at;
  }

  // A 16-byte local or member record written later, once names and slots exist.
  struct PendingRecord {
    uint32_t name, value, type, slots;
  };
  // A _Bool's place is a bit address: its byte's address times 8 plus the bit (SDCC keeps a
  // _Bool in bit 0 of a whole byte).
  static uint32_t placeValue(const PendingRecord& r) { return r.type == kBool ? r.value << 3 : r.value; }
  uint32_t writeRecords(const std::vector<PendingRecord>& list) {
    const uint32_t at = dbg_.here();
    for (const PendingRecord& r : list) {
      dbg_.be32(r.name);
      dbg_.be32(placeValue(r));
      dbg_.le32(r.type);
      dbg_.be32(r.slots);
    }
    dbg_.be32(0);
    dbg_.be32(0);
    dbg_.be32(0);
    dbg_.be32(0);
    return at;
  }

  uint32_t structDescriptor(const std::string& module, const std::string& tag) {
    const std::string key = module + "$" + tag;
    auto done = structs_.find(key);
    if (done != structs_.end()) return done->second;
    const CdbType* type = aggregate(module, tag);
    // The descriptor's place is fixed first so that members may point back at it.
    const uint32_t tagName = dbg_.string(tag);
    std::vector<PendingRecord> members;
    const uint32_t reserve = dbg_.here();
    structs_[key] = reserve;
    const size_t count = type ? type->members.size() : 0;
    dbg_.be32(tagName);
    for (size_t i = 0; i < count + 1; ++i)
      for (int w = 0; w < 4; ++w) dbg_.be32(0);
    dbg_.be32(0);  // size
    uint32_t size = 0;
    for (size_t i = 0; i < count; ++i) {
      const CdbMember& m = type->members[i];
      const TypeOut to = typeOf(m.type, module, m.name);
      const uint32_t slots = writeSlots(to);
      const uint32_t name = dbg_.name(m.name, 0);
      members.push_back({name, m.offset, to.word, slots});
      size = std::max(size, m.offset + m.type.size);
    }
    for (size_t i = 0; i < members.size(); ++i) {
      const uint32_t r = reserve + 4 + static_cast<uint32_t>(i) * 16;
      dbg_.patchBe32(r, members[i].name);
      dbg_.patchBe32(r + 4, placeValue(members[i]));
      const uint32_t t = members[i].type;
      const uint32_t le = (t & 0xFF) << 24 | (t >> 8 & 0xFF) << 16 | (t >> 16 & 0xFF) << 8 | t >> 24;
      dbg_.patchBe32(r + 8, le);
      dbg_.patchBe32(r + 12, members[i].slots);
    }
    dbg_.patchBe32(reserve + 4 + static_cast<uint32_t>(count) * 16 + 4, size);
    return reserve;
  }

  uint32_t enumDescriptor(const EnumDef& en, uint32_t size) {
    auto done = enums_.find(en.tag);
    if (done != enums_.end()) return done->second;
    std::vector<PendingRecord> members;
    for (const auto& [name, value] : en.members) {
      members.push_back({dbg_.name(name, kEnumMember), static_cast<uint32_t>(value), 0x18, 0});
    }
    const uint32_t tagName = dbg_.string(en.tag);
    const uint32_t at = dbg_.here();
    dbg_.be32(tagName);
    for (const PendingRecord& r : members) {
      dbg_.be32(r.name);
      dbg_.be32(r.value);
      dbg_.le32(r.type);
      dbg_.be32(0);
    }
    dbg_.be32(0);
    dbg_.be32(size);
    dbg_.be32(0);
    dbg_.be32(0);
    enums_[en.tag] = at;
    return at;
  }

  static uint32_t registerNumber(const std::vector<std::string>& regs) {
    if (regs.size() == 1) return regs[0] == "a" ? 16 : regs[0] == "x" ? 32 : regs[0] == "h" ? 48 : 0;
    if (regs.size() == 2 && regs[0] == "a" && regs[1] == "x") return 32;  // X:A
    if (regs.size() == 2 && regs[0] == "x" && regs[1] == "h") return 80;  // HX
    return 0;
  }

  // Locals of one function mapped onto the storage classes the frame rules resolve.
  std::vector<PendingRecord> localsOf(const std::string& module, const Func& fn) {
    std::vector<const CdbSymbol*> syms;
    for (const CdbSymbol& s : cdb_.symbols) {
      if (s.scope == 'L' && s.module == module && s.function == fn.cdb->name && s.name.rfind("sloc", 0) != 0 &&
          s.space != 'Z') {
        syms.push_back(&s);
      }
    }
    const std::vector<std::string>& params = sources_[module].params[fn.cdb->name];
    auto paramIndex = [&](const std::string& n) {
      auto it = std::find(params.begin(), params.end(), n);
      return it == params.end() ? -1 : static_cast<int>(it - params.begin());
    };
    // A first argument saved on the stack shifts the frame base the debugger computes.
    int32_t shift = 0;
    for (const CdbSymbol* s : syms) {
      if (paramIndex(s->name) == 0 && s->onStack && s->stackOffset < 0) {
        shift = (s->type.size == 1 && s->type.derived.empty() && s->stackOffset == -1) ? 1 : 2;
      }
    }
    std::vector<PendingRecord> out;
    // Arguments in their declared order, then the other locals.
    std::stable_sort(syms.begin(), syms.end(), [&](const CdbSymbol* a, const CdbSymbol* b) {
      const int ia = paramIndex(a->name), ib = paramIndex(b->name);
      return (ia < 0 ? 1000 : ia) < (ib < 0 ? 1000 : ib);
    });
    std::set<std::string> seen;
    for (const CdbSymbol* s : syms) {
      if (!seen.insert(s->name).second) continue;
      const int pi = paramIndex(s->name);
      uint8_t cls = kStatic;
      uint32_t value = 0;
      uint32_t name = 0;
      if (pi >= 0 && !s->onStack && s->space == 'R') {
        // A parameter that lives in a register: an argument held in a register, whose second
        // address (a frame slot) SDCC does not have.
        cls = kRegisterArg;
        value = registerNumber(s->registers);
        name = dbg_.name(s->name, cls);
        dbg_.be32(0);
      } else if (s->onStack) {
        if (pi == 0 && s->stackOffset < 0) {
          cls = kFirstRegArg;
          value = static_cast<uint32_t>(s->stackOffset + shift);
        } else if (pi >= 0 && s->stackOffset > 0) {
          cls = kArgument;
          value = static_cast<uint32_t>(s->stackOffset - 2 + shift);
        } else {
          cls = kAuto;
          value = static_cast<uint32_t>(-s->stackOffset - shift);
        }
      } else if (s->space == 'R') {
        cls = kRegister;
        value = registerNumber(s->registers);
      } else {
        auto a = cdb_.addresses.find(s->key);
        if (a == cdb_.addresses.end()) continue;
        value = a->second;
        // Parameters of non-reentrant functions live in static data (the first one is stored
        // there from A or X:A by the function itself).
        cls = pi >= 0 ? kStaticArg : kStatic;
      }
      if (!name) name = dbg_.name(s->name, cls);
      const TypeOut to = typeOf(s->type, module, s->name);
      const uint32_t slots = writeSlots(to);
      out.push_back({name, value, to.word, slots});
    }
    return out;
  }

  // Variables of a module's outer scope: its file statics and the globals it defines.
  std::vector<PendingRecord> globalsOf(const std::string& module) {
    std::vector<PendingRecord> out;
    std::set<std::string> seen;
    for (const CdbSymbol& s : cdb_.symbols) {
      // SDCC's own: string literals and the flash copies of initialised variables.
      if (s.module != module || s.scope == 'L' || s.name.rfind("__str", 0) == 0 || s.name.rfind("__xinit_", 0) == 0) {
        continue;
      }
      if (!s.type.derived.empty() && s.type.derived.front().kind == 'F') continue;
      if (s.scope == 'G') {
        auto g = map_.globals.find("_" + s.name);
        const bool mine = g == map_.globals.end() ? cdb_.modules.size() == 1 : g->second.second == module;
        if (!mine) continue;
      }
      auto a = cdb_.addresses.find(s.key);
      if (a == cdb_.addresses.end() || !seen.insert(s.name).second) continue;
      const TypeOut to = typeOf(s.type, module, s.name);
      const uint32_t slots = writeSlots(to);
      out.push_back({dbg_.name(s.name, kStatic), a->second, to.word, slots});
    }
    for (const TypedefDef& d : sources_[module].typedefs) {
      std::optional<TypeChain> chain = typedefChain(module, d);
      if (!chain || !seen.insert(d.name).second) continue;
      const TypeOut to = typeOf(*chain, module, d.name);
      const uint32_t slots = writeSlots(to);
      out.push_back({dbg_.name(d.name, kTypedef), 0, to.word, slots});
    }
    return out;
  }

  const CdbType* aggregate(const std::string& module, const std::string& tag) const {
    const CdbType* any = nullptr;
    for (const CdbType& t : cdb_.types) {
      if (t.tag != tag) continue;
      if (t.module == module) return &t;
      any = &t;
    }
    return any;
  }

  // The SDCC type chain a typedef of the sources stands for; none when the .cdb does not know
  // its struct or union.
  std::optional<TypeChain> typedefChain(const std::string& module, const TypedefDef& d) {
    struct Base {
      const char* c;
      const char* spec;
      bool isSigned;
      uint32_t size;
    };
    static constexpr Base kBases[] = {
        {"char", "SC", false, 1},           {"signed char", "SC", true, 1},
        {"unsigned char", "SC", false, 1},  {"short", "SS", true, 2},
        {"unsigned short", "SS", false, 2}, {"int", "SI", true, 2},
        {"unsigned int", "SI", false, 2},   {"long", "SL", true, 4},
        {"unsigned long", "SL", false, 4},  {"float", "SF", true, 4},
        {"void", "SV", false, 1},           {"_Bool", "Bool", false, 1},
    };
    TypeChain t;
    uint32_t size = 0;
    if (d.base == "struct" || d.base == "union") {
      const CdbType* agg = aggregate(module, d.tag);
      if (!agg) return std::nullopt;
      t.spec = "ST";
      t.tag = d.tag;
      for (const CdbMember& m : agg->members) size = std::max(size, m.offset + m.type.size);
    } else if (d.base == "enum") {
      const SourceInfo& si = sources_[module];
      auto en = si.enums.find(d.tag);
      bool small = en != si.enums.end();
      if (small)
        for (const auto& m : en->second.members) small = small && m.second >= 0 && m.second <= 0xFF;
      t.spec = small ? "SC" : "SI";
      size = small ? 1 : 2;
    } else {
      const Base* b = nullptr;
      for (const Base& k : kBases)
        if (d.base == k.c) b = &k;
      if (!b) return std::nullopt;
      t.spec = b->spec;
      t.isSigned = b->isSigned;
      size = b->size;
    }
    for (const auto& [kind, length] : d.derived) t.derived.push_back({kind, length});
    for (auto it = d.derived.rbegin(); it != d.derived.rend(); ++it) size = it->first == 'P' ? 2 : size * it->second;
    t.size = size;
    if (t.derived.size() > 12) return std::nullopt;
    return t;
  }

  // A module's own file with its globals, then each header that holds code of the module.
  void writeModule(const std::string& module) {
    const std::string own = sourceName(module);
    std::vector<std::string> files{own};
    for (const Func& fn : funcs_[module])
      if (std::find(files.begin(), files.end(), fn.file) == files.end()) files.push_back(fn.file);
    for (const std::string& file : files) writeFile(module, file, file == own);
  }

  void writeFile(const std::string& module, const std::string& file, bool withGlobals) {
    std::vector<uint32_t> fnRecords;
    std::vector<const Func*> list;
    for (const Func& fn : funcs_[module])
      if (fn.file == file) list.push_back(&fn);
    for (const Func* f : list) {
      const Func& fn = *f;
      const std::vector<PendingRecord> locals = localsOf(module, fn);
      const uint32_t localsAt = locals.empty() ? 0 : writeRecords(locals);
      const TypeOut ret = typeOf(returnChain(fn.cdb->type), module, "");
      const uint32_t slots = writeSlots(ret);
      const uint32_t name = dbg_.name(fn.cdb->name, fn.cdb->fileStatic ? kLocalFunction : kGlobalFunction);
      fnRecords.push_back(functionRecord(name, fn.firstLine, fn.lastLine, ret.word, slots, localsAt));
    }
    const std::vector<PendingRecord> globals = withGlobals ? globalsOf(module) : std::vector<PendingRecord>{};
    const uint32_t globalsAt = globals.empty() ? 0 : writeRecords(globals);
    fnRecords.push_back(functionRecord(0, 0, 0, 0x50, 0, globalsAt));
    for (size_t i = 0; i + 1 < fnRecords.size(); ++i) dbg_.patchBe32(fnRecords[i], fnRecords[i + 1]);
    const uint32_t fileName = dbg_.string(file);
    dbg_.byte(0x8c);
    const uint32_t fileRecord = dbg_.be32(fileName);
    dbg_.be32(fnRecords.front());
    uint32_t base = 0;
    if (!list.empty()) base = list.front()->start;
    records_.push_back({base, kFileStart, file + "~:1.0." + std::to_string(fileRecord)});
  }

  uint32_t functionRecord(uint32_t name, uint32_t first, uint32_t last, uint32_t type, uint32_t slots, uint32_t locals) {
    const uint32_t at = dbg_.be32(0);  // next, patched
    dbg_.be32(0);
    dbg_.be32(name);
    dbg_.be32(first);
    dbg_.be32(last);
    dbg_.le32(type);
    dbg_.be32(slots);
    dbg_.be32(locals);
    dbg_.be32(0);
    return at;
  }

  static TypeChain returnChain(TypeChain t) {
    if (!t.derived.empty() && t.derived.front().kind == 'F') t.derived.erase(t.derived.begin());
    return t;
  }

  const ConvertInput& in_;
  ConvertResult& res_;
  Cdb cdb_;
  MapInfo map_;
  DebugWriter dbg_;
  std::vector<OutRecord> records_;
  std::map<std::string, std::vector<Func>> funcs_;
  std::map<std::string, SourceInfo> sources_;
  std::map<std::string, std::string> moduleFile_;
  std::map<std::string, uint32_t> structs_, enums_;
};

}  // namespace

ConvertResult convert(const ConvertInput& in) {
  ConvertResult res;
  Converter c(in, res);
  res.ok = c.run();
  return res;
}

}  // namespace objconv
