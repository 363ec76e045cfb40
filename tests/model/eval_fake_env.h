// A small program for the evaluator tests: globals of every kind, a function with locals and
// register arguments, a struct, an enum, typedefs, labels, registers and target memory.
#pragma once
#include <bit>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/eval_env.h"
#include "model/registers.h"

namespace yav::test {

class EvalFakeMemory : public TargetMemory {
 public:
  bool read(uint8_t, uint32_t address, std::span<uint8_t> out) override {
    ++reads;
    if (onRead) onRead();
    for (size_t i = 0; i < out.size(); ++i) {
      auto it = bytes.find(address + static_cast<uint32_t>(i));
      if (it == bytes.end()) return false;
      out[i] = it->second;
    }
    return true;
  }
  void put(uint32_t address, std::initializer_list<uint8_t> b) {
    for (uint8_t v : b) bytes[address++] = v;
  }
  void putWord(uint32_t a, uint16_t v) { put(a, {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}); }
  void putLong(uint32_t a, uint32_t v) {
    put(a, {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
  }
  uint16_t word(uint32_t a) const { return static_cast<uint16_t>(bytes.at(a) << 8 | bytes.at(a + 1)); }
  uint32_t longAt(uint32_t a) const { return static_cast<uint32_t>(word(a)) << 16 | word(a + 2); }

  std::map<uint32_t, uint8_t> bytes;
  int reads = 0;
  std::function<void()> onRead;
};

// Addresses of the globals.
namespace at {
inline constexpr uint32_t i = 0x100, c = 0x102, sc = 0x103, l = 0x104, uc = 0x108, f = 0x10A, d = 0x110;
inline constexpr uint32_t arr = 0x120, p = 0x140, s = 0x150, ps = 0x158, col = 0x15A, flag = 0x15C, bf = 0x15E;
inline constexpr uint32_t ui = 0x160, str = 0x162, hello = 0x170, var = 0x180, bits = 0x190, lbl = 0x300;
inline constexpr uint32_t ul = 0x1A0, us = 0x1A4, ucmax = 0x1A6;
inline constexpr uint32_t frameBase = 0x200, mainEntry = 0x8000, fnEntry = 0x8100;
}  // namespace at

class FakeEvalEnv : public EvalEnv {
 public:
  FakeEvalEnv() {
    point.size = 6;
    point.tag = "point";
    point.members = {{"x", tc::Int, {}, 0, 0}, {"y", tc::Int, {}, 2, 0}, {"tag", tc::Char, {}, 4, 0}};
    // struct bits { int count; unsigned mode : 3 (bits 4-6); _Bool ready (bit 1 of the byte at 4); }
    bitsStruct.size = 5;
    bitsStruct.tag = "bits";
    bitsStruct.members = {{"count", tc::Int, {}, 0, 0},
                          {"mode", tc::BitField, {}, 2, 0, 0, 4, 3},
                          {"ready", tc::Bool, {}, 4, 0, 0, 1, 0}};
    color.size = 2;
    color.tag = "color";
    color.members = {{"RED", tc::Int, {}, 0, 0}, {"GREEN", tc::Int, {}, 1, 0}, {"BLUE", tc::Int, {}, 2, 0}};

    global("i", tc::Int, at::i);
    global("c", tc::Char, at::c);
    global("sc", tc::SignedChar, at::sc);
    global("l", tc::Long, at::l);
    global("uc", tc::UnsignedChar, at::uc);
    global("f", tc::Float, at::f);
    global("d", tc::Double, at::d);
    global("arr", addDerivation(tc::Int, Derivation::Array), at::arr, {{10, nullptr}});
    global("p", addPointer(tc::Int), at::p, {{0, nullptr}});
    global("s", tc::Struct, at::s, {{0, &point}});
    global("ps", addPointer(tc::Struct), at::ps, {{0, &point}, {0, &point}});
    global("col", tc::Enum, at::col, {{0, &color}});
    global("flag", tc::Bool, at::flag).bitNumber = 3;
    EvalSymbol& b = global("bf", tc::BitField, at::bf);
    b.bitNumber = 4;
    b.bitWidth = 3;
    global("ui", tc::UnsignedInt, at::ui);
    global("ul", tc::UnsignedLong, at::ul);
    global("us", tc::UnsignedShort, at::us);
    global("ucmax", tc::UnsignedChar, at::ucmax);
    global("fl", tc::Struct, at::bits, {{0, &bitsStruct}});
    global("str", addPointer(tc::Char), at::str, {{0, nullptr}});

    local("loc", tc::Int, 3, 2);
    local("arg", tc::Int, 2, 1);
    local("ra", tc::Int, 7, 3);
    local("rc", tc::Char, 7, 5);
    local("r5", tc::Char, 5, 4).secondAddress = REG_A;
    local("rx", tc::Char, 5, 6).secondAddress = REG_X;  // a second char argument, passed in X
    local("rnone", tc::Char, 4, 0);  // a register variable whose register is not recorded

    functions["main"] = {at::mainEntry, tc::Int, {}, 0, 0, 19};
    functions["fn"] = {at::fnEntry, tc::Void, {}, 0, 0, 18};
    typedefs["uint8"] = {tc::UnsignedChar, {}, 0};
    typedefs["pointT"] = {tc::Struct, {{0, &point}}, 0};
    typedefs["intptr"] = {addPointer(tc::Int), {{0, nullptr}}, 0};
    typedefs["arrT"] = {addDerivation(tc::Int, Derivation::Array), {{4, nullptr}}, 0};
    labels["lbl"] = at::lbl;
    labels["_var"] = at::var;

    mem.putWord(at::i, 1234);
    mem.put(at::c, {'A', 0xFF});
    mem.putLong(at::l, 0x12345678);
    mem.put(at::uc, {200, 0});
    mem.putLong(at::ul, 3000000000u);
    mem.putWord(at::us, 65535);
    mem.put(at::ucmax, {255});
    mem.putLong(at::f, std::bit_cast<uint32_t>(1.5f));
    const uint64_t dbits = std::bit_cast<uint64_t>(2.25);
    mem.putLong(at::d, static_cast<uint32_t>(dbits >> 32));
    mem.putLong(at::d + 4, static_cast<uint32_t>(dbits));
    for (uint32_t k = 0; k < 10; ++k) mem.putWord(at::arr + 2 * k, static_cast<uint16_t>(10 * k));
    mem.putWord(at::p, at::arr);
    mem.putWord(at::s, 3);
    mem.putWord(at::s + 2, 4);
    mem.put(at::s + 4, {'z', 0});
    mem.putWord(at::ps, at::s);
    mem.putWord(at::col, 1);
    mem.put(at::flag, {0x08, 0});
    mem.putWord(at::bf, 0x0050);
    mem.putWord(at::ui, 0xFFFF);
    mem.putWord(at::bits, 7);
    mem.putWord(at::bits + 2, 0x8F5F);  // mode = 5, the other bits set
    mem.put(at::bits + 4, {0xF2});      // ready = 1
    mem.putWord(at::str, at::hello);
    mem.put(at::hello, {'h', 'e', 'l', 'l', 'o', 0});
    mem.put(at::var, {0x7F, 0x01, 0x02, 0x03});
    mem.putWord(at::lbl, 0x4E71);
    for (uint32_t a = at::frameBase - 8; a < at::frameBase + 8; ++a) mem.bytes[a] = static_cast<uint8_t>(a);
    regs.a = 0x12;
    regs.hx = 0x5634;
    regs.pc = 0x8000;
  }

  std::optional<EvalSymbol> lookupVariable(const QualifiedName& q, bool) override {
    ++lookups;
    if (q.hasFunction) {
      if (!q.function.empty() && q.function != "fn") return std::nullopt;
      return find(locals, q.variable, registerArgumentsSaved);
    }
    if (q.hasFile) {
      if (q.file != "demo.c") return std::nullopt;
      return find(globals, q.variable, true);
    }
    if (auto s = find(locals, q.variable, registerArgumentsSaved)) return s;
    return find(globals, q.variable, true);
  }
  std::optional<uint32_t> frameBase(const EvalSymbol& s) override {
    if (s.scope != &locals) return std::nullopt;
    return hasFrame ? std::optional<uint32_t>(at::frameBase) : std::nullopt;
  }
  std::optional<EvalFunction> findFunction(std::string_view file, std::string_view name) override {
    if (!file.empty() && file != "demo.c") return std::nullopt;
    auto it = functions.find(std::string(name));
    if (it == functions.end()) return std::nullopt;
    return it->second;
  }
  std::optional<EvalType> findTypedef(std::string_view name) override {
    auto it = typedefs.find(std::string(name));
    if (it == typedefs.end()) return std::nullopt;
    return it->second;
  }
  std::optional<EvalType> findTag(uint8_t kind, std::string_view tag) override {
    if (kind == tc::Struct && tag == "point") return EvalType{tc::Struct, {{0, &point}}, 0};
    if (kind == tc::Enum && tag == "color") return EvalType{tc::Enum, {{0, &color}}, 0};
    return std::nullopt;
  }
  std::optional<uint32_t> findLabel(std::string_view name) override {
    auto it = labels.find(std::string(name));
    if (it == labels.end()) return std::nullopt;
    return it->second;
  }
  void setDebuggerVariable(std::string_view name, uint32_t value) override { labels[std::string(name)] = value; }
  int registerByName(std::string_view name) override { return yav::registerByName(name); }
  std::optional<uint32_t> readRegister(int number) override {
    ++registerReads;
    return yav::readRegister(regs, number);
  }
  bool setRegister(int number, uint32_t value) override {
    if (refusedRegisters.count(number)) return false;
    writeRegister(regs, number, value);
    return true;
  }
  uint32_t currentPc() override { return pagedPc(regs); }
  void pcChanged() override { ++pcNotifications; }
  TargetMemory* memory() override { return &mem; }
  bool writeMemory(uint8_t, uint32_t address, std::span<const uint8_t> b) override {
    if (refuseWrites) return false;
    ++writes;
    for (uint8_t v : b) mem.bytes[address++] = v;
    return true;
  }

  AggregateDescriptor point, color, bitsStruct;
  std::map<std::string, EvalSymbol> globals, locals;
  std::map<std::string, EvalFunction> functions;
  std::map<std::string, EvalType> typedefs;
  std::map<std::string, uint32_t> labels;
  EvalFakeMemory mem;
  RegisterFile regs;
  std::set<int> refusedRegisters;
  bool registerArgumentsSaved = false;
  bool hasFrame = true;
  bool refuseWrites = false;
  int writes = 0, registerReads = 0, pcNotifications = 0, lookups = 0;

 private:
  EvalSymbol& global(const std::string& name, uint32_t type, uint32_t address, AuxList aux = {}) {
    EvalSymbol& s = globals[name];
    s.link = address;
    s.storageClass = 1;
    s.type = type;
    s.aux = std::move(aux);
    s.address = address;
    s.scope = &globals;
    return s;
  }
  EvalSymbol& local(const std::string& name, uint32_t type, uint8_t storageClass, uint32_t offset) {
    EvalSymbol& s = locals[name];
    s.storageClass = storageClass;
    s.type = type;
    s.address = offset;
    s.scope = &locals;
    return s;
  }
  static std::optional<EvalSymbol> find(const std::map<std::string, EvalSymbol>& m, const std::string& name, bool saved) {
    auto it = m.find(name);
    if (it == m.end()) return std::nullopt;
    EvalSymbol s = it->second;
    s.registerArgumentsSaved = saved;
    return s;
  }
};

}  // namespace yav::test

#include <memory>

#include "model/evaluator.h"

namespace yav::test {

struct Evaluated {
  int error = 0;
  std::unique_ptr<ValueRecord> v;
  size_t cursor = 0;
};

inline Evaluated evaluateIn(FakeEvalEnv& env, std::string_view text, bool evaluate = true) {
  Evaluator ev(env);
  Evaluated r;
  r.v = xexpr(ev, text, r.cursor, r.error, evaluate);
  return r;
}

}  // namespace yav::test
