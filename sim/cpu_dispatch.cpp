// Builds the CPU's dispatch table from the shared opcode table: the mnemonic says the
// operation, the addressing mode (and the SP page) says the form.
#include "sim/cpu_dispatch.h"

#include "model/hc08_opcodes.h"

namespace yav::sim::dispatch {
namespace {

using hc08::Mn;
using hc08::Mode;

// Operation of each mnemonic; the register forms (nega, cbeqx, dbnza...) name their register.
struct MnemonicOp {
  Mn mn;
  Op op;
  Form form = Form::none;  // none: taken from the addressing mode
};

// clang-format off
constexpr MnemonicOp kMnemonicOps[] = {
    {Mn::lda, Op::lda}, {Mn::ldx, Op::ldx}, {Mn::and_, Op::and_}, {Mn::ora, Op::ora}, {Mn::eor, Op::eor},
    {Mn::bit, Op::bit}, {Mn::add, Op::add}, {Mn::adc, Op::adc}, {Mn::sub, Op::sub}, {Mn::sbc, Op::sbc},
    {Mn::cmp, Op::cmp}, {Mn::cpx, Op::cpx},
    {Mn::sta, Op::sta}, {Mn::stx, Op::stx}, {Mn::ldhx, Op::ldhx}, {Mn::sthx, Op::sthx}, {Mn::cphx, Op::cphx},
    {Mn::neg, Op::neg}, {Mn::nega, Op::neg, Form::a}, {Mn::negx, Op::neg, Form::x},
    {Mn::com, Op::com}, {Mn::coma, Op::com, Form::a}, {Mn::comx, Op::com, Form::x},
    {Mn::lsr, Op::lsr}, {Mn::lsra, Op::lsr, Form::a}, {Mn::lsrx, Op::lsr, Form::x},
    {Mn::asr, Op::asr}, {Mn::asra, Op::asr, Form::a}, {Mn::asrx, Op::asr, Form::x},
    {Mn::asl, Op::asl}, {Mn::asla, Op::asl, Form::a}, {Mn::aslx, Op::asl, Form::x},
    {Mn::lsl, Op::asl}, {Mn::lsla, Op::asl, Form::a}, {Mn::lslx, Op::asl, Form::x},
    {Mn::rol, Op::rol}, {Mn::rola, Op::rol, Form::a}, {Mn::rolx, Op::rol, Form::x},
    {Mn::ror, Op::ror}, {Mn::rora, Op::ror, Form::a}, {Mn::rorx, Op::ror, Form::x},
    {Mn::dec, Op::dec}, {Mn::deca, Op::dec, Form::a}, {Mn::decx, Op::dec, Form::x},
    {Mn::inc, Op::inc}, {Mn::inca, Op::inc, Form::a}, {Mn::incx, Op::inc, Form::x},
    {Mn::clr, Op::clr}, {Mn::clra, Op::clr, Form::a}, {Mn::clrx, Op::clr, Form::x},
    {Mn::tst, Op::tst}, {Mn::tsta, Op::tst, Form::a}, {Mn::tstx, Op::tst, Form::x},
    {Mn::jmp, Op::jmp}, {Mn::jsr, Op::jsr},
    {Mn::cbeq, Op::cbeq}, {Mn::cbeqa, Op::cbeq, Form::a}, {Mn::cbeqx, Op::cbeq, Form::x},
    {Mn::dbnz, Op::dbnz}, {Mn::dbnza, Op::dbnz, Form::a}, {Mn::dbnzx, Op::dbnz, Form::x},
    {Mn::bset, Op::bset}, {Mn::bclr, Op::bclr}, {Mn::brset, Op::brset}, {Mn::brclr, Op::brclr},
    {Mn::bra, Op::branch}, {Mn::brn, Op::branch}, {Mn::bhi, Op::branch}, {Mn::bls, Op::branch},
    {Mn::bcc, Op::branch}, {Mn::bhs, Op::branch}, {Mn::bcs, Op::branch}, {Mn::blo, Op::branch},
    {Mn::bne, Op::branch}, {Mn::beq, Op::branch}, {Mn::bhcc, Op::branch}, {Mn::bhcs, Op::branch},
    {Mn::bpl, Op::branch}, {Mn::bmi, Op::branch}, {Mn::bmc, Op::branch}, {Mn::bms, Op::branch},
    {Mn::bil, Op::branch}, {Mn::bih, Op::branch},
    {Mn::bge, Op::signed_branch}, {Mn::blt, Op::signed_branch}, {Mn::bgt, Op::signed_branch},
    {Mn::ble, Op::signed_branch}, {Mn::bsr, Op::bsr},
    {Mn::mul, Op::mul}, {Mn::div, Op::div}, {Mn::daa, Op::daa}, {Mn::nsa, Op::nsa}, {Mn::clrh, Op::clrh},
    {Mn::aix, Op::aix}, {Mn::ais, Op::ais}, {Mn::tax, Op::tax}, {Mn::txa, Op::txa}, {Mn::tap, Op::tap},
    {Mn::tpa, Op::tpa}, {Mn::tsx, Op::tsx}, {Mn::txs, Op::txs}, {Mn::rsp, Op::rsp},
    {Mn::psha, Op::psha}, {Mn::pshx, Op::pshx}, {Mn::pshh, Op::pshh},
    {Mn::pula, Op::pula}, {Mn::pulx, Op::pulx}, {Mn::pulh, Op::pulh},
    {Mn::clc, Op::clc}, {Mn::sec, Op::sec}, {Mn::cli, Op::cli}, {Mn::sei, Op::sei}, {Mn::nop, Op::nop},
    {Mn::rts, Op::rts}, {Mn::rti, Op::rti}, {Mn::swi, Op::swi}, {Mn::call, Op::call}, {Mn::rtc, Op::rtc},
    {Mn::bgnd, Op::bgnd}, {Mn::stop, Op::stop}, {Mn::wait, Op::wait},
};
// clang-format on

// Operations whose case depends on the operand's form; the others have one case each.
constexpr bool has_forms(Op op) {
  return (op >= Op::lda && op <= Op::dbnz);
}

Form form_of_mode(Mode mode, bool sp_index) {
  switch (mode) {
    case Mode::immediate: return Form::imm;
    case Mode::direct:
    case Mode::bit_direct: return Form::dir;
    case Mode::extended: return Form::ext;
    case Mode::ix: return Form::ix;
    case Mode::ix1: return sp_index ? Form::sp1 : Form::ix1;
    case Mode::ix2: return sp_index ? Form::sp2 : Form::ix2;
    default: return Form::none;
  }
}

Entry entry_of(const hc08::Decoded& d) {
  Entry e;
  const MnemonicOp* found = nullptr;
  for (const MnemonicOp& m : kMnemonicOps)
    if (m.mn == d.entry->mnemonic) found = &m;
  if (!found) return e;
  const uint8_t opcode = d.opcode;
  unsigned form = 0;
  if (found->op == Op::branch) form = opcode & 0x0F;
  else if (found->op == Op::signed_branch) form = opcode & 0x03;
  else if (has_forms(found->op))
    form = static_cast<unsigned>(found->form != Form::none ? found->form : form_of_mode(d.entry->mode(), d.sp_index));
  e.kind = static_cast<uint16_t>(kind(found->op, form));
  e.cycles = static_cast<uint8_t>(d.cycles());
  e.bit = static_cast<uint8_t>(1u << ((opcode >> 1) & 7));
  return e;
}

Entry mov_entry(const hc08::Decoded& d) {
  Entry e;
  switch (d.entry->mode()) {
    case Mode::imm_dir: e.kind = static_cast<uint16_t>(kind(Op::mov_imm_dir, Form::none)); break;
    case Mode::dir_dir: e.kind = static_cast<uint16_t>(kind(Op::mov_dir_dir, Form::none)); break;
    case Mode::ixp_dir: e.kind = static_cast<uint16_t>(kind(Op::mov_ixp_dir, Form::none)); break;
    case Mode::dir_ixp: e.kind = static_cast<uint16_t>(kind(Op::mov_dir_ixp, Form::none)); break;
    default: return e;
  }
  e.cycles = static_cast<uint8_t>(d.cycles());
  return e;
}

Table build() {
  Table t{};
  for (int page = 0; page < 2; ++page) {
    for (int op = 0; op < 256; ++op) {
      const uint8_t b = static_cast<uint8_t>(op);
      const hc08::Decoded d = page ? hc08::decode(hc08::kPrefix, b) : hc08::decode(b, 0);
      if (!d.known()) continue;
      t[static_cast<size_t>(page * 256 + op)] = d.entry->mnemonic == Mn::mov ? mov_entry(d) : entry_of(d);
    }
  }
  return t;
}

}  // namespace

const Table& table() {
  static const Table t = build();
  return t;
}

}  // namespace yav::sim::dispatch
