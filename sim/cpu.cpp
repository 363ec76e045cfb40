// HCS08 instruction execution. Decoding (operation, addressing form, length and cycles) comes
// from the dispatch table built from the shared opcode table; this file gives each operation
// its effect. The run loop keeps the registers in locals and reads plain memory through the
// chip's page tables, calling the chip only for registers, flash writes and watched addresses.
#include "sim/cpu.h"

#include "model/hc08_opcodes.h"
#include "sim/cpu_dispatch.h"
#include "sim/flags.h"

namespace yav::sim {

namespace {
constexpr uint8_t kInterruptCycles = 11;  // stacking the registers and fetching the vector
}

using dispatch::Form;
using dispatch::kind;
using dispatch::Op;

std::string_view stop_reason_text(StopReason r) {
  switch (r) {
    case StopReason::none: return "none";
    case StopReason::until: return "until";
    case StopReason::max: return "max";
    case StopReason::bgnd: return "bgnd";
    case StopReason::stop: return "stop";
    case StopReason::wait: return "wait";
    case StopReason::illegal: return "illegal";
  }
  return "none";
}

Cpu::Cpu(MemoryMap& memory)
    : mem_(memory), pe_(memory.peripherals() ? memory.peripherals() : &idle_), paging_(memory.has_paging()) {}

void Cpu::reset() {
  pe_->now = cycles;
  mem_.reset();
  regs = Registers{};
  regs.pc = read16(0xFFFE);
  if (calls) calls->clear();
}

bool Cpu::interrupt(uint16_t vector) {
  if (regs.cc & kI) return false;
  const uint16_t sp_before = regs.sp, interrupted = regs.pc;
  push_pc();
  push(x());
  push(regs.a);
  push(regs.cc);
  regs.cc |= kI;
  regs.pc = read16(vector);
  if (calls) calls->enter(regs.pc, interrupted, sp_before, regs.sp, true);
  cycles += kInterruptCycles;
  return true;
}

namespace {

struct NoStop {
  bool operator()(uint16_t) const { return false; }
};
struct StopAtOne {
  uint16_t address;
  bool operator()(uint16_t pc) const { return pc == address; }
};
struct StopAtAny {
  std::span<const uint16_t> addresses;
  bool operator()(uint16_t pc) const {
    for (const uint16_t a : addresses)
      if (pc == a) return true;
    return false;
  }
};

}  // namespace

StopReason Cpu::step() {
  const StopReason r = execute(1, NoStop{});
  return r == StopReason::max ? StopReason::none : r;
}

StopReason Cpu::run(uint64_t max, std::optional<uint16_t> until) {
  return until ? execute(max, StopAtOne{*until}) : execute(max, NoStop{});
}

StopReason Cpu::run(uint64_t max, std::span<const uint16_t> stops) {
  if (stops.empty()) return execute(max, NoStop{});
  if (stops.size() == 1) return execute(max, StopAtOne{stops[0]});
  return execute(max, StopAtAny{stops});
}

#define YAV_INLINE __attribute__((always_inline))

// The code of each kind of instruction is a label in the run loop; `labels` maps the dispatch
// table's kinds to them, and every piece of code ends by dispatching the next instruction.
#define HANDLER(op, form) L_##op##_##form:
#define REGISTER(op, form) labels[kind(Op::op, Form::form)] = &&L_##op##_##form;

// Code for an operation in a memory form; `ea` is the operand's address.
#define FORM_CASE(op, form, address, ...) \
  HANDLER(op, form) {                     \
    const uint16_t ea = (address);        \
    __VA_ARGS__;                          \
  }                                       \
  NEXT;

// Every memory form of an operation.
#define MEMORY_FORMS(op, ...)                                            \
  FORM_CASE(op, dir, FETCH8(), __VA_ARGS__)                              \
  FORM_CASE(op, ext, FETCH16(), __VA_ARGS__)                             \
  FORM_CASE(op, ix, hx, __VA_ARGS__)                                     \
  FORM_CASE(op, ix1, static_cast<uint16_t>(hx + FETCH8()), __VA_ARGS__)  \
  FORM_CASE(op, ix2, static_cast<uint16_t>(hx + FETCH16()), __VA_ARGS__) \
  FORM_CASE(op, sp1, static_cast<uint16_t>(sp + FETCH8()), __VA_ARGS__)  \
  FORM_CASE(op, sp2, static_cast<uint16_t>(sp + FETCH16()), __VA_ARGS__)
#define REGISTER_MEMORY(op) \
  REGISTER(op, dir) REGISTER(op, ext) REGISTER(op, ix) REGISTER(op, ix1) REGISTER(op, ix2) REGISTER(op, sp1) REGISTER(op, sp2)

// An operation on an 8-bit operand `m`, immediate or from memory.
#define READ_FORMS(op, ...)       \
  HANDLER(op, imm) {              \
    const uint8_t m = FETCH8();   \
    __VA_ARGS__;                  \
  }                               \
  NEXT;                           \
  MEMORY_FORMS(op, const uint8_t m = RD(ea); __VA_ARGS__)
#define REGISTER_READ(op) REGISTER(op, imm) REGISTER_MEMORY(op)

// A read-modify-write operation on A, X or memory.
#define RMW_FORMS(op, fn)          \
  HANDLER(op, a) {                 \
    const Result8 r = fn(cc, a);   \
    a = r.value;                   \
    cc = r.cc;                     \
  }                                \
  NEXT;                            \
  HANDLER(op, x) {                 \
    const Result8 r = fn(cc, X()); \
    SET_X(r.value);                \
    cc = r.cc;                     \
  }                                \
  NEXT;                            \
  MEMORY_FORMS(op, const Result8 r = fn(cc, RD(ea)); WR(ea, r.value); cc = r.cc)
#define REGISTER_RMW(op) REGISTER(op, a) REGISTER(op, x) REGISTER_MEMORY(op)

// A relative branch on the condition of `opcode`.
#define BRANCH_CASE(op, opcode)                                           \
  L_##op##_##opcode : {                                                   \
    const int8_t off = static_cast<int8_t>(FETCH8());                     \
    if (branch_taken(opcode, cc)) pc = static_cast<uint16_t>(pc + off);   \
  }                                                                       \
  NEXT;
#define REGISTER_BRANCH(op, opcode) labels[kind(Op::op, (opcode) & 0x0F)] = &&L_##op##_##opcode;

// Before each instruction: the stop address, the instruction budget, then decode and go.
#define NEXT                                                    \
  do {                                                          \
    if (cyc >= pe.next_event) [[unlikely]]                      \
      goto event;                                               \
    if (stop_at(pc)) {                                          \
      why = StopReason::until;                                  \
      goto done;                                                \
    }                                                           \
    if (left == 0) goto done;                                   \
    --left;                                                     \
    e = &run.ops[FETCH8()];                                     \
    cyc += e->cycles;                                           \
    goto* e->code;                                              \
  } while (0)

namespace {

// Plain memory through the page tables, the chip for everything else.
// The chip's slow path is told the time (the cycles at the end of the instruction).
struct Clock {
  uint64_t& now;
  const uint64_t& cycles;
};
YAV_INLINE inline uint8_t read8(const uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t address) {
  const uint8_t* p = pages[address >> 8];
  if (p) [[likely]]
    return p[address & 0xFF];
  clock.now = clock.cycles;
  return mem.read(address);
}
YAV_INLINE inline void write8(uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t address, uint8_t v) {
  uint8_t* p = pages[address >> 8];
  if (p) [[likely]] {
    p[address & 0xFF] = v;
  } else {
    clock.now = clock.cycles;
    mem.write(address, v);
  }
}
YAV_INLINE inline uint16_t read_word(const uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t address) {
  const uint16_t hi = read8(pages, mem, clock, address);
  return static_cast<uint16_t>((hi << 8) | read8(pages, mem, clock, static_cast<uint16_t>(address + 1)));
}
YAV_INLINE inline void write_word(uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t address, uint16_t v) {
  write8(pages, mem, clock, address, static_cast<uint8_t>(v >> 8));
  write8(pages, mem, clock, static_cast<uint16_t>(address + 1), static_cast<uint8_t>(v));
}
YAV_INLINE inline uint16_t fetch_word(const uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t& pc) {
  const uint16_t hi = read8(pages, mem, clock, pc++);
  return static_cast<uint16_t>((hi << 8) | read8(pages, mem, clock, pc++));
}
YAV_INLINE inline void pull_word(const uint8_t* const* pages, MemoryMap& mem, Clock clock, uint16_t& sp, uint16_t& pc) {
  const uint16_t hi = read8(pages, mem, clock, ++sp);
  pc = static_cast<uint16_t>((hi << 8) | read8(pages, mem, clock, ++sp));
}

constexpr size_t kKinds = static_cast<size_t>(Op::count_) * 16;
constexpr size_t kPrefixLabel = kKinds;  // the code of the 0x9e prefix, after the kinds' code
// An opcode as the run loop takes it: where its code is, its cycles and its bit mask.
struct RunEntry {
  const void* code;
  uint8_t cycles;
  uint8_t bit;
};
// What the run loop needs at hand: both opcode pages ([256, 512) after the prefix), each with
// the address of its code (one load less per instruction than going through its kind).
struct RunTables {
  std::array<RunEntry, 512> ops;
};
}  // namespace

// Label addresses are code addresses, valid for the whole program; GCC 12 takes them for
// addresses of locals.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
template <class StopAt>
StopReason Cpu::execute(uint64_t max, StopAt stop_at, const void** labels) {
  if (labels) {
    // Every piece of code below has its line here (the compiler reports a label left out as
    // unused); kinds without code are illegal.
    for (size_t k = 0; k < kKinds; ++k) labels[k] = &&L_illegal;
    labels[kPrefixLabel] = &&L_prefix;
    REGISTER_READ(lda) REGISTER_READ(ldx) REGISTER_READ(and_) REGISTER_READ(ora) REGISTER_READ(eor)
    REGISTER_READ(bit) REGISTER_READ(add) REGISTER_READ(adc) REGISTER_READ(sub) REGISTER_READ(sbc)
    REGISTER_READ(cmp) REGISTER_READ(cpx)
    REGISTER_MEMORY(sta) REGISTER_MEMORY(stx) REGISTER(ldhx, imm) REGISTER_MEMORY(ldhx) REGISTER_MEMORY(sthx)
    REGISTER(cphx, imm) REGISTER_MEMORY(cphx)
    REGISTER_RMW(neg) REGISTER_RMW(com) REGISTER_RMW(lsr) REGISTER_RMW(asr) REGISTER_RMW(asl) REGISTER_RMW(rol)
    REGISTER_RMW(ror) REGISTER_RMW(dec) REGISTER_RMW(inc)
    REGISTER(clr, a) REGISTER(clr, x) REGISTER_MEMORY(clr) REGISTER(tst, a) REGISTER(tst, x) REGISTER_MEMORY(tst)
    REGISTER_MEMORY(jmp) REGISTER_MEMORY(jsr) REGISTER(bsr, none)
    REGISTER(cbeq, a) REGISTER(cbeq, x) REGISTER(cbeq, dir) REGISTER(cbeq, sp1) REGISTER(cbeq, ix) REGISTER(cbeq, ix1)
    REGISTER(dbnz, a) REGISTER(dbnz, x) REGISTER(dbnz, dir) REGISTER(dbnz, ix) REGISTER(dbnz, ix1) REGISTER(dbnz, sp1)
    REGISTER(bset, none) REGISTER(bclr, none) REGISTER(brset, none) REGISTER(brclr, none)
    REGISTER_BRANCH(branch, 0x20) REGISTER_BRANCH(branch, 0x21) REGISTER_BRANCH(branch, 0x22)
    REGISTER_BRANCH(branch, 0x23) REGISTER_BRANCH(branch, 0x24) REGISTER_BRANCH(branch, 0x25)
    REGISTER_BRANCH(branch, 0x26) REGISTER_BRANCH(branch, 0x27) REGISTER_BRANCH(branch, 0x28)
    REGISTER_BRANCH(branch, 0x29) REGISTER_BRANCH(branch, 0x2A) REGISTER_BRANCH(branch, 0x2B)
    REGISTER_BRANCH(branch, 0x2C) REGISTER_BRANCH(branch, 0x2D) REGISTER_BRANCH(branch, 0x2E)
    REGISTER_BRANCH(branch, 0x2F) REGISTER_BRANCH(signed_branch, 0x90) REGISTER_BRANCH(signed_branch, 0x91)
    REGISTER_BRANCH(signed_branch, 0x92) REGISTER_BRANCH(signed_branch, 0x93)
    REGISTER(mov_imm_dir, none) REGISTER(mov_dir_dir, none) REGISTER(mov_ixp_dir, none) REGISTER(mov_dir_ixp, none)
    REGISTER(mul, none) REGISTER(div, none) REGISTER(daa, none) REGISTER(nsa, none)
    REGISTER(clrh, none) REGISTER(aix, none) REGISTER(ais, none) REGISTER(tax, none) REGISTER(txa, none)
    REGISTER(tap, none) REGISTER(tpa, none) REGISTER(tsx, none) REGISTER(txs, none) REGISTER(rsp, none)
    REGISTER(psha, none) REGISTER(pshx, none) REGISTER(pshh, none) REGISTER(pula, none) REGISTER(pulx, none)
    REGISTER(pulh, none) REGISTER(clc, none) REGISTER(sec, none) REGISTER(cli, none) REGISTER(sei, none)
    REGISTER(nop, none) REGISTER(rts, none) REGISTER(rti, none) REGISTER(swi, none) REGISTER(call, none)
    REGISTER(rtc, none) REGISTER(bgnd, none) REGISTER(stop, none) REGISTER(wait, none)
    return StopReason::none;
  }
  static const RunTables run = [this] {
    const void* labels[kKinds + 1];
    execute(0, StopAt{}, labels);
    RunTables t;
    const dispatch::Table& decoded = dispatch::table();
    for (size_t i = 0; i < decoded.size(); ++i) t.ops[i] = RunEntry{labels[decoded[i].kind], decoded[i].cycles, decoded[i].bit};
    t.ops[hc08::kPrefix] = RunEntry{labels[kPrefixLabel], 0, 0};
    return t;
  }();

  const uint8_t* const* const read_pages = mem_.read_page_table();
  uint8_t* const* const write_pages = mem_.write_page_table();
  MemoryMap& mem = mem_;
  Peripherals& pe = *pe_;
  const bool paging = paging_;
  StopReason sleep_why = StopReason::wait;
  uint64_t slept = 0;  // budget spent asleep, not instructions
  uint16_t vector = 0;

  uint8_t a = regs.a, cc = regs.cc;
  uint16_t hx = regs.hx, sp = regs.sp, pc = regs.pc;
  uint64_t cyc = cycles, left = max;
  StopReason why = StopReason::max;
  const RunEntry* e = run.ops.data();
  const Clock clock{pe.now, cyc};
  CallRecord* const record = calls;

  // Memory and the stack (macros over the helpers above, so that the registers stay locals).
#define RD(address) read8(read_pages, mem, clock, (address))
#define WR(address, v) write8(write_pages, mem, clock, (address), (v))
#define FETCH8() RD(pc++)
#define FETCH16() fetch_word(read_pages, mem, clock, pc)
#define READ16(address) read_word(read_pages, mem, clock, (address))
#define WRITE16(address, v) write_word(write_pages, mem, clock, (address), (v))
#define PUSH(v) WR(sp--, (v))
#define PULL() RD(++sp)
#define PUSH_PC() (PUSH(static_cast<uint8_t>(pc)), PUSH(static_cast<uint8_t>(pc >> 8)))
#define PULL_PC() pull_word(read_pages, mem, clock, sp, pc)
  // The call record: a call or interrupt entry that pushed `pushed` bytes and went to `target`
  // (the PC is still the return address), and a return (SP and PC already pulled).
#define ENTERED(target, pushed, interrupt)                                              \
  do {                                                                                  \
    if (record) [[unlikely]]                                                            \
      record->enter((target), pc, static_cast<uint16_t>(sp + (pushed)), sp, (interrupt)); \
  } while (0)
#define RETURNED()                    \
  do {                                \
    if (record) [[unlikely]]          \
      record->leave(sp, pc);          \
  } while (0)
#define X() static_cast<uint8_t>(hx)
#define SET_X(v) (hx = static_cast<uint16_t>((hx & 0xFF00) | (v)))
#define H() static_cast<uint8_t>(hx >> 8)
#define SET_H(v) (hx = static_cast<uint16_t>((hx & 0x00FF) | ((v) << 8)))
#define ARITH(result)                \
  do {                               \
    const Result8 res = (result);    \
    a = res.value;                   \
    cc = res.cc;                     \
  } while (0)
  // The branch byte of dbnz and cbeq.
#define BRANCH_IF(taken)                                      \
  do {                                                        \
    const int8_t off = static_cast<int8_t>(FETCH8());         \
    if (taken) pc = static_cast<uint16_t>(pc + off);          \
  } while (0)

  NEXT;

  // Loads, logic and arithmetic on A and X.
  READ_FORMS(lda, a = m; cc = logic_flags(cc, a))
  READ_FORMS(ldx, SET_X(m); cc = logic_flags(cc, m))
  READ_FORMS(and_, a &= m; cc = logic_flags(cc, a))
  READ_FORMS(ora, a |= m; cc = logic_flags(cc, a))
  READ_FORMS(eor, a ^= m; cc = logic_flags(cc, a))
  READ_FORMS(bit, cc = logic_flags(cc, a & m))
  READ_FORMS(add, ARITH(add8(cc, a, m, false)))
  READ_FORMS(adc, ARITH(add8(cc, a, m, cc & kC)))
  READ_FORMS(sub, ARITH(sub8(cc, a, m, false)))
  READ_FORMS(sbc, ARITH(sub8(cc, a, m, cc & kC)))
  READ_FORMS(cmp, cc = sub8(cc, a, m, false).cc)
  READ_FORMS(cpx, cc = sub8(cc, X(), m, false).cc)
  // Stores and the 16-bit index register.
  MEMORY_FORMS(sta, WR(ea, a); cc = logic_flags(cc, a))
  MEMORY_FORMS(stx, WR(ea, X()); cc = logic_flags(cc, X()))
  HANDLER(ldhx, imm) {
    hx = FETCH16();
    cc = logic_flags16(cc, hx);
  }
  NEXT;
  MEMORY_FORMS(ldhx, hx = READ16(ea); cc = logic_flags16(cc, hx))
  MEMORY_FORMS(sthx, WRITE16(ea, hx); cc = logic_flags16(cc, hx))
  HANDLER(cphx, imm) { cc = sub16(cc, hx, FETCH16()).cc; }
  NEXT;
  MEMORY_FORMS(cphx, cc = sub16(cc, hx, READ16(ea)).cc)
  // Read-modify-write.
  RMW_FORMS(neg, neg8)
  RMW_FORMS(com, com8)
  RMW_FORMS(lsr, lsr8)
  RMW_FORMS(asr, asr8)
  RMW_FORMS(asl, asl8)
  RMW_FORMS(rol, rol8)
  RMW_FORMS(ror, ror8)
  RMW_FORMS(dec, dec8)
  RMW_FORMS(inc, inc8)
  HANDLER(clr, a) {
    a = 0;
    cc = clr8(cc).cc;
  }
  NEXT;
  HANDLER(clr, x) {
    SET_X(0);
    cc = clr8(cc).cc;
  }
  NEXT;
  MEMORY_FORMS(clr, WR(ea, 0); cc = clr8(cc).cc)
  HANDLER(tst, a) { cc = logic_flags(cc, a); }
  NEXT;
  HANDLER(tst, x) { cc = logic_flags(cc, X()); }
  NEXT;
  MEMORY_FORMS(tst, cc = logic_flags(cc, RD(ea)))
  // Jumps and calls.
  MEMORY_FORMS(jmp, pc = ea)
  MEMORY_FORMS(jsr, PUSH_PC(); ENTERED(ea, 2, false); pc = ea)
  HANDLER(bsr, none) {
    const int8_t off = static_cast<int8_t>(FETCH8());
    PUSH_PC();
    const uint16_t target = static_cast<uint16_t>(pc + off);
    ENTERED(target, 2, false);
    pc = target;
  }
  NEXT;
  // Compare and branch if equal; the indexed forms through H:X step H:X past the operand.
  HANDLER(cbeq, a) {
    const uint8_t m = FETCH8();
    BRANCH_IF(a == m);
  }
  NEXT;
  HANDLER(cbeq, x) {
    const uint8_t m = FETCH8();
    BRANCH_IF(X() == m);
  }
  NEXT;
  FORM_CASE(cbeq, dir, FETCH8(), const uint8_t m = RD(ea); BRANCH_IF(a == m))
  FORM_CASE(cbeq, sp1, static_cast<uint16_t>(sp + FETCH8()), const uint8_t m = RD(ea); BRANCH_IF(a == m))
  FORM_CASE(cbeq, ix, hx, const uint8_t m = RD(ea); ++hx; BRANCH_IF(a == m))
  FORM_CASE(cbeq, ix1, static_cast<uint16_t>(hx + FETCH8()), const uint8_t m = RD(ea); ++hx; BRANCH_IF(a == m))
  // Decrement and branch if not zero.
  HANDLER(dbnz, a) { --a; BRANCH_IF(a != 0); }
  NEXT;
  HANDLER(dbnz, x) {
    const uint8_t v = static_cast<uint8_t>(X() - 1);
    SET_X(v);
    BRANCH_IF(v != 0);
  }
  NEXT;
  FORM_CASE(dbnz, dir, FETCH8(), const uint8_t v = static_cast<uint8_t>(RD(ea) - 1); WR(ea, v); BRANCH_IF(v != 0))
  FORM_CASE(dbnz, ix, hx, const uint8_t v = static_cast<uint8_t>(RD(ea) - 1); WR(ea, v); BRANCH_IF(v != 0))
  FORM_CASE(dbnz, ix1, static_cast<uint16_t>(hx + FETCH8()), const uint8_t v = static_cast<uint8_t>(RD(ea) - 1);
            WR(ea, v); BRANCH_IF(v != 0))
  FORM_CASE(dbnz, sp1, static_cast<uint16_t>(sp + FETCH8()), const uint8_t v = static_cast<uint8_t>(RD(ea) - 1);
            WR(ea, v); BRANCH_IF(v != 0))
  // Bit operations on a direct address.
  HANDLER(bset, none) {
    const uint16_t ea = FETCH8();
    WR(ea, static_cast<uint8_t>(RD(ea) | e->bit));
  }
  NEXT;
  HANDLER(bclr, none) {
    const uint16_t ea = FETCH8();
    WR(ea, static_cast<uint8_t>(RD(ea) & ~e->bit));
  }
  NEXT;
  HANDLER(brset, none) {
    const uint16_t ea = FETCH8();
    const bool bit = (RD(ea) & e->bit) != 0;
    cc = set_if(cc, kC, bit);
    const int8_t off = static_cast<int8_t>(FETCH8());
    if (bit) pc = static_cast<uint16_t>(pc + off);
  }
  NEXT;
  HANDLER(brclr, none) {
    const uint16_t ea = FETCH8();
    const bool bit = (RD(ea) & e->bit) != 0;
    cc = set_if(cc, kC, bit);
    const int8_t off = static_cast<int8_t>(FETCH8());
    if (!bit) pc = static_cast<uint16_t>(pc + off);
  }
  NEXT;
  // Relative branches.
  BRANCH_CASE(branch, 0x20) BRANCH_CASE(branch, 0x21) BRANCH_CASE(branch, 0x22) BRANCH_CASE(branch, 0x23)
  BRANCH_CASE(branch, 0x24) BRANCH_CASE(branch, 0x25) BRANCH_CASE(branch, 0x26) BRANCH_CASE(branch, 0x27)
  BRANCH_CASE(branch, 0x28) BRANCH_CASE(branch, 0x29) BRANCH_CASE(branch, 0x2A) BRANCH_CASE(branch, 0x2B)
  BRANCH_CASE(branch, 0x2C) BRANCH_CASE(branch, 0x2D) BRANCH_CASE(branch, 0x2E) BRANCH_CASE(branch, 0x2F)
  BRANCH_CASE(signed_branch, 0x90) BRANCH_CASE(signed_branch, 0x91)
  BRANCH_CASE(signed_branch, 0x92) BRANCH_CASE(signed_branch, 0x93)
  // Moves.
  HANDLER(mov_imm_dir, none) {
    const uint8_t v = FETCH8();
    WR(FETCH8(), v);
    cc = logic_flags(cc, v);
  }
  NEXT;
  HANDLER(mov_dir_dir, none) {
    const uint8_t v = RD(FETCH8());
    WR(FETCH8(), v);
    cc = logic_flags(cc, v);
  }
  NEXT;
  HANDLER(mov_ixp_dir, none) {
    const uint8_t v = RD(hx);
    ++hx;
    WR(FETCH8(), v);
    cc = logic_flags(cc, v);
  }
  NEXT;
  HANDLER(mov_dir_ixp, none) {
    const uint8_t v = RD(FETCH8());
    WR(hx++, v);
    cc = logic_flags(cc, v);
  }
  NEXT;
  // Multiply, divide and decimal adjust.
  HANDLER(mul, none) {
    const unsigned p = unsigned(X()) * a;
    a = static_cast<uint8_t>(p);
    SET_X(static_cast<uint8_t>(p >> 8));
    cc = static_cast<uint8_t>(cc & ~(kH | kC));
  }
  NEXT;
  HANDLER(div, none) {
    // A = H:A / X, H = remainder, Z from A. Dividing by zero or a quotient above 255 sets C;
    // the chip leaves the quotient and remainder undefined, here A, H and Z keep their values.
    const unsigned dividend = (unsigned(H()) << 8) | a, divisor = X();
    if (divisor == 0 || dividend / divisor > 0xFF) {
      cc = static_cast<uint8_t>(cc | kC);
    } else {
      a = static_cast<uint8_t>(dividend / divisor);
      SET_H(static_cast<uint8_t>(dividend % divisor));
      cc = set_if(static_cast<uint8_t>(cc & ~kC), kZ, a == 0);
    }
  }
  NEXT;
  HANDLER(daa, none) { ARITH(daa8(cc, a)); }
  NEXT;
  HANDLER(nsa, none) { a = static_cast<uint8_t>((a << 4) | (a >> 4)); }
  NEXT;
  // Index register, stack pointer and transfers.
  HANDLER(clrh, none) {
    SET_H(0);
    cc = clr8(cc).cc;
  }
  NEXT;
  HANDLER(aix, none) { hx = static_cast<uint16_t>(hx + static_cast<int8_t>(FETCH8())); }
  NEXT;
  HANDLER(ais, none) { sp = static_cast<uint16_t>(sp + static_cast<int8_t>(FETCH8())); }
  NEXT;
  HANDLER(tax, none) { SET_X(a); }
  NEXT;
  HANDLER(txa, none) { a = X(); }
  NEXT;
  HANDLER(tap, none) {
    cc = static_cast<uint8_t>(a | kCcOnes);
    pe.next_event = 0;  // an interrupt may wait for the I bit
  }
  NEXT;
  HANDLER(tpa, none) { a = cc; }
  NEXT;
  HANDLER(tsx, none) { hx = static_cast<uint16_t>(sp + 1); }
  NEXT;
  HANDLER(txs, none) { sp = static_cast<uint16_t>(hx - 1); }
  NEXT;
  HANDLER(rsp, none) { sp = static_cast<uint16_t>(sp | 0x00FF); }
  NEXT;
  HANDLER(psha, none) { PUSH(a); }
  NEXT;
  HANDLER(pshx, none) { PUSH(X()); }
  NEXT;
  HANDLER(pshh, none) { PUSH(H()); }
  NEXT;
  HANDLER(pula, none) { a = PULL(); }
  NEXT;
  HANDLER(pulx, none) { SET_X(PULL()); }
  NEXT;
  HANDLER(pulh, none) { SET_H(PULL()); }
  NEXT;
  // Condition code bits.
  HANDLER(clc, none) { cc = static_cast<uint8_t>(cc & ~kC); }
  NEXT;
  HANDLER(sec, none) { cc |= kC; }
  NEXT;
  HANDLER(cli, none) {
    cc = static_cast<uint8_t>(cc & ~kI);
    pe.next_event = 0;
  }
  NEXT;
  HANDLER(sei, none) { cc |= kI; }
  NEXT;
  HANDLER(nop, none) {}
  NEXT;
  // Returns, software interrupt and the paged call.
  HANDLER(rts, none) {
    PULL_PC();
    RETURNED();
  }
  NEXT;
  HANDLER(rti, none) {
    cc = static_cast<uint8_t>(PULL() | kCcOnes);
    a = PULL();
    SET_X(PULL());
    PULL_PC();
    RETURNED();
    pe.next_event = 0;
  }
  NEXT;
  HANDLER(swi, none) {
    PUSH_PC();
    PUSH(X());
    PUSH(a);
    PUSH(cc);
    cc |= kI;
    const uint16_t handler = READ16(0xFFFC);
    ENTERED(handler, 5, true);
    pc = handler;
  }
  NEXT;
  HANDLER(call, none) {
    if (!paging) goto L_illegal;
    const uint8_t page = FETCH8();
    const uint16_t ea = FETCH16();
    PUSH_PC();
    PUSH(mem.ppage());
    ENTERED(ea, 3, false);
    mem.set_ppage(page);
    pc = ea;
  }
  NEXT;
  HANDLER(rtc, none) {
    if (!paging) goto L_illegal;
    mem.set_ppage(PULL());
    PULL_PC();
    RETURNED();
  }
  NEXT;
  // Leaving the run.
  HANDLER(bgnd, none) {
    why = StopReason::bgnd;
    goto done;
  }
  // STOP and WAIT: the CPU sleeps (its cycles jump to the next event) until an interrupt
  // is taken; with nothing left that could wake it, the run stops after the instruction.
  HANDLER(stop, none) {
    cc = static_cast<uint8_t>(cc & ~kI);
    sleep_why = StopReason::stop;
    goto sleep;
  }
  HANDLER(wait, none) {
    cc = static_cast<uint8_t>(cc & ~kI);
    sleep_why = StopReason::wait;
    goto sleep;
  }
sleep:
  pe.update(cyc);
  if (pe.reset_request()) goto chip_reset;
  vector = pe.pending_vector();
  if (vector) goto take_interrupt;
  if (pe.next_event == Peripherals::kNever) {
    why = sleep_why;
    goto done;
  }
  cyc = pe.next_event;
  if (left == 0) {
    // Out of instructions: the next run executes the instruction again and sleeps on.
    cyc -= e->cycles;
    pc = static_cast<uint16_t>(pc - 1);
    goto done;
  }
  --left;
  ++slept;
  goto sleep;
  // The time came for a peripheral event, or the I bit or a register changed: bring the
  // peripherals up to date, then take a reset or an interrupt that is due.
event:
  pe.update(cyc);
  if (pe.reset_request()) goto chip_reset;
  if (cc & kI) goto after_event;
  vector = pe.pending_vector();
  if (!vector) goto after_event;
take_interrupt:
  PUSH_PC();
  PUSH(X());
  PUSH(a);
  PUSH(cc);
  cc |= kI;
  {
    const uint16_t handler = READ16(vector);
    ENTERED(handler, 5, true);
    pc = handler;
  }
  cyc += kInterruptCycles;
  goto after_event;
chip_reset:
  pe.now = cyc;
  mem.reset();
  if (record) record->clear();
  {
    const Registers r{};
    a = r.a;
    hx = r.hx;
    sp = r.sp;
    cc = r.cc;
  }
  pc = READ16(0xFFFE);
after_event:
  // NEXT without the event check: `update` put the next event after now, and a check that
  // is still due (cycles of an interrupt entry) comes before the following instruction.
  if (stop_at(pc)) {
    why = StopReason::until;
    goto done;
  }
  if (left == 0) goto done;
  --left;
  e = &run.ops[FETCH8()];
  cyc += e->cycles;
  goto* e->code;
  // The second page: its opcode counts the cycles of the whole instruction.
L_prefix:
  e = &run.ops[256 + FETCH8()];
  cyc += e->cycles;
  goto* e->code;
L_illegal:
  if (illegal_resets) {
    pe.request_reset(kResetIlop);
    goto chip_reset;
  }
  // Not counted; the PC stays on the opcode (its prefix included).
  cyc -= e->cycles;
  ++left;
  pc = static_cast<uint16_t>(pc - (e >= &run.ops[256] ? 2 : 1));
  why = StopReason::illegal;
done:
  regs.a = a;
  regs.cc = cc;
  regs.hx = hx;
  regs.sp = sp;
  regs.pc = pc;
  cycles = cyc;
  instructions += max - left - slept;
  return why;
}
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif

#undef NEXT
#undef BRANCH_IF
#undef ARITH
#undef SET_H
#undef H
#undef SET_X
#undef X
#undef RETURNED
#undef ENTERED
#undef PULL_PC
#undef PUSH_PC
#undef PULL
#undef PUSH
#undef WRITE16
#undef READ16
#undef FETCH16
#undef FETCH8
#undef WR
#undef RD
#undef REGISTER_BRANCH
#undef REGISTER_RMW
#undef REGISTER_READ
#undef REGISTER_MEMORY
#undef REGISTER
#undef HANDLER
#undef BRANCH_CASE
#undef RMW_FORMS
#undef READ_FORMS
#undef MEMORY_FORMS
#undef FORM_CASE
#undef YAV_INLINE

}  // namespace yav::sim
