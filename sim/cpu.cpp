// HCS08 instruction execution. Decoding (mnemonic, addressing mode, index register, length
// and cycles) comes from the shared opcode table; this file gives each mnemonic its effect.
#include "sim/cpu.h"

#include "model/hc08_opcodes.h"
#include "sim/flags.h"

namespace yav::sim {

using hc08::Mn;
using hc08::Mode;

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

// One decoded opcode of either page, as the executor needs it.
struct Cpu::Op {
  Mn mn = Mn::unknown;
  Mode mode = Mode::inherent;
  uint8_t opcode = 0;
  uint8_t cycles = 0;
  bool sp = false;     // indexed through SP
  bool imm16 = false;  // 16-bit immediate
  bool valid = false;
};

namespace {

struct OpTable {
  std::array<Cpu::Op, 512> ops{};
};

OpTable build_ops() {
  OpTable t;
  for (int page = 0; page < 2; ++page) {
    for (int op = 0; op < 256; ++op) {
      const uint8_t b = static_cast<uint8_t>(op);
      const hc08::Decoded d = page ? hc08::decode(hc08::kPrefix, b) : hc08::decode(b, 0);
      Cpu::Op& o = t.ops[static_cast<size_t>(page * 256 + op)];
      if (!d.known() || (page == 1 && !hc08::exists_after_prefix(b))) continue;
      o.mn = d.entry->mnemonic;
      o.mode = d.entry->mode();
      o.opcode = b;
      o.cycles = static_cast<uint8_t>(d.cycles());
      o.sp = d.sp_index;
      o.imm16 = o.mode == Mode::immediate && hc08::operand_length(*d.entry) - (d.entry->has_branch() ? 1 : 0) == 2;
      o.valid = true;
    }
  }
  return t;
}

const OpTable& ops() {
  static const OpTable table = build_ops();
  return table;
}

}  // namespace

Cpu::Cpu(MemoryMap& memory) : mem_(memory), ops_(ops().ops.data()) {}

void Cpu::reset() {
  mem_.reset();
  regs = Registers{};
  regs.pc = read16(0xFFFE);
}

bool Cpu::interrupt(uint16_t vector) {
  if (regs.cc & kI) return false;
  push_pc();
  push(x());
  push(regs.a);
  push(regs.cc);
  regs.cc |= kI;
  regs.pc = read16(vector);
  cycles += 11;
  return true;
}

StopReason Cpu::run(uint64_t max, std::optional<uint16_t> until) {
  for (uint64_t n = 0; n < max; ++n) {
    if (until && regs.pc == *until) return StopReason::until;
    const StopReason r = step();
    if (r != StopReason::none) return r;
  }
  if (until && regs.pc == *until) return StopReason::until;
  return StopReason::max;
}

StopReason Cpu::step() {
  const uint16_t start = regs.pc;
  const uint8_t first = fetch();
  const Op* op = first == hc08::kPrefix ? &ops_[256 + fetch()] : &ops_[first];
  if (!op->valid || ((op->mn == Mn::call || op->mn == Mn::rtc) && !mem_.has_paging())) {
    regs.pc = start;
    return StopReason::illegal;
  }
  cycles += op->cycles;
  ++instructions;

  // Effective address of the memory operand.
  uint16_t ea = 0;
  uint8_t page = 0;
  switch (op->mode) {
    case Mode::direct:
    case Mode::bit_direct: ea = fetch(); break;
    case Mode::extended:
      if (op->mn == Mn::call) page = fetch();
      ea = fetch16();
      break;
    case Mode::ix: ea = regs.hx; break;
    case Mode::ix1: ea = static_cast<uint16_t>((op->sp ? regs.sp : regs.hx) + fetch()); break;
    case Mode::ix2: ea = static_cast<uint16_t>((op->sp ? regs.sp : regs.hx) + fetch16()); break;
    default: break;
  }
  // The 8-bit operand value: immediate or from memory.
  auto operand = [&]() -> uint8_t { return op->mode == Mode::immediate ? fetch() : rd(ea); };
  auto rel = [&]() { return static_cast<int8_t>(fetch()); };
  uint8_t& cc = regs.cc;

  // Read-modify-write on A (inherent A forms), X (inherent X forms) or memory.
  auto rmw = [&](Result8 (*f)(uint8_t, uint8_t)) {
    if (op->mode == Mode::inh_reg) {
      const bool on_x = (op->opcode & 0xF0) == 0x50;
      const Result8 r = f(cc, on_x ? x() : regs.a);
      if (on_x) set_x(r.value);
      else regs.a = r.value;
      cc = r.cc;
    } else {
      const Result8 r = f(cc, rd(ea));
      wr(ea, r.value);
      cc = r.cc;
    }
  };

  switch (op->mn) {
    // Loads, stores and logic on A and X.
    case Mn::lda: regs.a = operand(); cc = logic_flags(cc, regs.a); break;
    case Mn::ldx: set_x(operand()); cc = logic_flags(cc, x()); break;
    case Mn::sta: wr(ea, regs.a); cc = logic_flags(cc, regs.a); break;
    case Mn::stx: wr(ea, x()); cc = logic_flags(cc, x()); break;
    case Mn::and_: regs.a &= operand(); cc = logic_flags(cc, regs.a); break;
    case Mn::ora: regs.a |= operand(); cc = logic_flags(cc, regs.a); break;
    case Mn::eor: regs.a ^= operand(); cc = logic_flags(cc, regs.a); break;
    case Mn::bit: cc = logic_flags(cc, regs.a & operand()); break;
    // Arithmetic.
    case Mn::add: { const Result8 r = add8(cc, regs.a, operand(), false); regs.a = r.value; cc = r.cc; break; }
    case Mn::adc: { const Result8 r = add8(cc, regs.a, operand(), cc & kC); regs.a = r.value; cc = r.cc; break; }
    case Mn::sub: { const Result8 r = sub8(cc, regs.a, operand(), false); regs.a = r.value; cc = r.cc; break; }
    case Mn::sbc: { const Result8 r = sub8(cc, regs.a, operand(), cc & kC); regs.a = r.value; cc = r.cc; break; }
    case Mn::cmp: cc = sub8(cc, regs.a, operand(), false).cc; break;
    case Mn::cpx: cc = sub8(cc, x(), operand(), false).cc; break;
    case Mn::mul: {
      const unsigned p = unsigned(x()) * regs.a;
      regs.a = static_cast<uint8_t>(p);
      set_x(static_cast<uint8_t>(p >> 8));
      cc = static_cast<uint8_t>(cc & ~(kH | kC));
      break;
    }
    case Mn::div: {
      // A = H:X / A, H = remainder; C on division by zero or a quotient above 255
      // (then A and H are left as they were).
      if (regs.a == 0 || regs.hx / regs.a > 0xFF) {
        cc = static_cast<uint8_t>(cc | kC);
      } else {
        const unsigned q = regs.hx / regs.a, r = regs.hx % regs.a;
        regs.a = static_cast<uint8_t>(q);
        set_h(static_cast<uint8_t>(r));
        cc = static_cast<uint8_t>(cc & ~kC);
      }
      cc = set_if(cc, kZ, regs.a == 0);
      break;
    }
    case Mn::daa: { const Result8 r = daa8(cc, regs.a); regs.a = r.value; cc = r.cc; break; }
    case Mn::nsa: regs.a = static_cast<uint8_t>((regs.a << 4) | (regs.a >> 4)); break;
    // Read-modify-write.
    case Mn::neg: case Mn::nega: case Mn::negx: rmw(neg8); break;
    case Mn::com: case Mn::coma: case Mn::comx: rmw(com8); break;
    case Mn::lsr: case Mn::lsra: case Mn::lsrx: rmw(lsr8); break;
    case Mn::asr: case Mn::asra: case Mn::asrx: rmw(asr8); break;
    case Mn::asl: case Mn::asla: case Mn::aslx:
    case Mn::lsl: case Mn::lsla: case Mn::lslx: rmw(asl8); break;
    case Mn::rol: case Mn::rola: case Mn::rolx: rmw(rol8); break;
    case Mn::ror: case Mn::rora: case Mn::rorx: rmw(ror8); break;
    case Mn::dec: case Mn::deca: case Mn::decx: rmw(dec8); break;
    case Mn::inc: case Mn::inca: case Mn::incx: rmw(inc8); break;
    case Mn::clr: wr(ea, 0); cc = clr8(cc).cc; break;
    case Mn::clra: regs.a = 0; cc = clr8(cc).cc; break;
    case Mn::clrx: set_x(0); cc = clr8(cc).cc; break;
    case Mn::clrh: set_h(0); break;
    case Mn::tst: cc = logic_flags(cc, rd(ea)); break;
    case Mn::tsta: cc = logic_flags(cc, regs.a); break;
    case Mn::tstx: cc = logic_flags(cc, x()); break;
    // 16-bit index register.
    case Mn::ldhx:
      regs.hx = op->mode == Mode::immediate ? fetch16() : read16(ea);
      cc = logic_flags16(cc, regs.hx);
      break;
    case Mn::sthx: write16(ea, regs.hx); cc = logic_flags16(cc, regs.hx); break;
    case Mn::cphx: cc = sub16(cc, regs.hx, op->mode == Mode::immediate ? fetch16() : read16(ea)).cc; break;
    case Mn::aix: regs.hx = static_cast<uint16_t>(regs.hx + static_cast<int8_t>(fetch())); break;
    case Mn::ais: regs.sp = static_cast<uint16_t>(regs.sp + static_cast<int8_t>(fetch())); break;
    // Transfers and stack.
    case Mn::tax: set_x(regs.a); break;
    case Mn::txa: regs.a = x(); break;
    case Mn::tap: cc = static_cast<uint8_t>(regs.a | kCcOnes); break;
    case Mn::tpa: regs.a = cc; break;
    case Mn::tsx: regs.hx = static_cast<uint16_t>(regs.sp + 1); break;
    case Mn::txs: regs.sp = static_cast<uint16_t>(regs.hx - 1); break;
    case Mn::rsp: regs.sp = static_cast<uint16_t>(regs.sp | 0x00FF); break;
    case Mn::psha: push(regs.a); break;
    case Mn::pshx: push(x()); break;
    case Mn::pshh: push(h()); break;
    case Mn::pula: regs.a = pull(); break;
    case Mn::pulx: set_x(pull()); break;
    case Mn::pulh: set_h(pull()); break;
    // Condition code bits.
    case Mn::clc: cc = static_cast<uint8_t>(cc & ~kC); break;
    case Mn::sec: cc |= kC; break;
    case Mn::cli: cc = static_cast<uint8_t>(cc & ~kI); break;
    case Mn::sei: cc |= kI; break;
    case Mn::nop: break;
    // Moves.
    case Mn::mov: {
      uint8_t v = 0;
      uint16_t dst = 0;
      switch (op->mode) {
        case Mode::imm_dir: v = fetch(); dst = fetch(); break;
        case Mode::dir_dir: v = rd(fetch()); dst = fetch(); break;
        case Mode::ixp_dir: v = rd(regs.hx); ++regs.hx; dst = fetch(); break;
        case Mode::dir_ixp: v = rd(fetch()); dst = regs.hx++; break;
        default: break;
      }
      wr(dst, v);
      cc = logic_flags(cc, v);
      break;
    }
    // Bit operations.
    case Mn::bset: wr(ea, static_cast<uint8_t>(rd(ea) | (1u << ((op->opcode >> 1) & 7)))); break;
    case Mn::bclr: wr(ea, static_cast<uint8_t>(rd(ea) & ~(1u << ((op->opcode >> 1) & 7)))); break;
    case Mn::brset:
    case Mn::brclr: {
      const bool bit = (rd(ea) >> ((op->opcode >> 1) & 7)) & 1;
      cc = set_if(cc, kC, bit);
      const int8_t off = rel();
      branch(op->mn == Mn::brset ? bit : !bit, off);
      break;
    }
    // Branches.
    case Mn::bra: case Mn::brn: case Mn::bhi: case Mn::bls: case Mn::bcc: case Mn::bhs:
    case Mn::bcs: case Mn::blo: case Mn::bne: case Mn::beq: case Mn::bhcc: case Mn::bhcs:
    case Mn::bpl: case Mn::bmi: case Mn::bmc: case Mn::bms: case Mn::bil: case Mn::bih:
    case Mn::bge: case Mn::blt: case Mn::bgt: case Mn::ble: {
      const int8_t off = rel();
      branch(branch_taken(op->opcode, cc), off);
      break;
    }
    case Mn::bsr: {
      const int8_t off = rel();
      push_pc();
      branch(true, off);
      break;
    }
    case Mn::cbeq: case Mn::cbeqa: case Mn::cbeqx: {
      const uint8_t reg = op->mn == Mn::cbeqx ? x() : regs.a;
      const uint8_t m = operand();
      // the post-increment forms step H:X past the operand
      if (!op->sp && (op->mode == Mode::ix || op->mode == Mode::ix1)) ++regs.hx;
      const int8_t off = rel();
      branch(reg == m, off);
      break;
    }
    case Mn::dbnz: case Mn::dbnza: case Mn::dbnzx: {
      uint8_t v;
      if (op->mn == Mn::dbnza) v = --regs.a;
      else if (op->mn == Mn::dbnzx) { v = static_cast<uint8_t>(x() - 1); set_x(v); }
      else { v = static_cast<uint8_t>(rd(ea) - 1); wr(ea, v); }
      const int8_t off = rel();
      branch(v != 0, off);
      break;
    }
    // Jumps, calls and returns.
    case Mn::jmp: regs.pc = ea; break;
    case Mn::jsr: push_pc(); regs.pc = ea; break;
    case Mn::rts: pull_pc(); break;
    case Mn::call:
      push_pc();
      push(mem_.ppage());
      mem_.set_ppage(page);
      regs.pc = ea;
      break;
    case Mn::rtc:
      mem_.set_ppage(pull());
      pull_pc();
      break;
    case Mn::swi:
      push_pc();
      push(x());
      push(regs.a);
      push(cc);
      cc |= kI;
      regs.pc = read16(0xFFFC);
      break;
    case Mn::rti:
      cc = static_cast<uint8_t>(pull() | kCcOnes);
      regs.a = pull();
      set_x(pull());
      pull_pc();
      break;
    // Leaving the run.
    case Mn::bgnd: return StopReason::bgnd;
    case Mn::stop: cc = static_cast<uint8_t>(cc & ~kI); return StopReason::stop;
    case Mn::wait: cc = static_cast<uint8_t>(cc & ~kI); return StopReason::wait;
    case Mn::unknown:
    case Mn::count_:
      regs.pc = start;
      return StopReason::illegal;
  }
  return StopReason::none;
}

}  // namespace yav::sim
