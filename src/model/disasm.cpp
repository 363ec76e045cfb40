// Instruction text of HC08/HCS08 machine code, driven by the opcode table.
#include "model/disasm.h"

#include <cstdlib>

#include "model/format.h"
#include "model/hc08_opcodes.h"

namespace yav {

using hc08::Mn;
using hc08::Mode;

std::string symbolic_value(uint32_t value, uint32_t max_offset, const LabelList* labels) {
  std::string name;
  uint32_t at = 0;
  if (labels && labels->label_at_or_below(value, name, at) && at <= value && value - at <= max_offset) {
    if (value == at) return name;
    return fmtstr("%p+%i", name, value - at);
  }
  const int width = (value & 0xF0000) ? 5 : (value & 0xFF00) ? 4 : 2;
  return fmtstr("0x%+0nhi", width, value);
}

namespace {

// Paged form of a 16-bit address in the banked window.
uint32_t paged(uint32_t page, uint32_t addr) {
  if (addr >= 0x8000 && addr <= 0xBFFF) return (page << 14) | (addr & 0x3FFF);
  return addr;
}

struct Operands {
  const CodeReader& code;
  uint32_t pos;
  uint8_t next() { return code.read_byte(pos++); }
  uint16_t word() {
    const uint16_t hi = next();
    return static_cast<uint16_t>((hi << 8) | next());
  }
};

}  // namespace

Disassembly disassemble(const CodeReader& code, uint32_t address, const LabelList* labels) {
  Disassembly out;
  const uint8_t first = code.read_byte(address);
  const uint8_t second = first == hc08::kPrefix ? code.read_byte(address + 1) : 0;
  const hc08::Decoded d = hc08::decode(first, second);
  if (!d.known()) {
    out.length = -d.length();
    out.text = fmtstr("%- 6p(0x%p%+02hi)", "???", d.prefixed ? "9e" : "", d.opcode);
    return out;
  }
  const hc08::OpcodeEntry& e = *d.entry;
  Operands ops{code, address + (d.prefixed ? 2u : 1u)};
  std::string text = fmtstr("%- 6p", mnemonic_name(e.mnemonic));
  const char* index_reg = d.sp_index ? "sp" : "x";
  switch (e.mode()) {
    case Mode::inherent:
    case Mode::inh_reg: break;
    case Mode::direct: text += "<" + symbolic_value(ops.next(), 128, labels); break;
    case Mode::extended:
      if (e.mnemonic == Mn::call) {
        const uint32_t page = ops.next();
        text += symbolic_value(paged(page, ops.word()), 256, labels);
      } else {
        const uint32_t target = ops.word();
        // Code in a page refers to its own page through the banked window.
        text += symbolic_value(address > 0xFFFF ? paged(address >> 14, target) : target, 256, labels);
      }
      break;
    case Mode::immediate:
      if (e.mnemonic == Mn::ais || e.mnemonic == Mn::aix) {
        text += fmtstr("#%s", static_cast<int>(static_cast<int8_t>(ops.next())));
      } else if (hc08::operand_length(e) - (e.has_branch() ? 1 : 0) == 2) {
        text += "#" + symbolic_value(ops.word(), 0, labels);
      } else {
        text += "#" + symbolic_value(ops.next(), 0, labels);
      }
      break;
    case Mode::bit_direct:
      text += fmtstr("%i,", (e.opcode >> 1) & 7);
      text += "<" + symbolic_value(ops.next(), 128, labels);
      break;
    case Mode::ix: text += e.mnemonic == Mn::cbeq ? "x+" : ",x"; break;
    case Mode::ix1:
      text += fmtstr("%s,%p", static_cast<int>(ops.next()), index_reg);
      if (e.mnemonic == Mn::cbeq && !d.prefixed) text += "+";
      break;
    case Mode::ix2:
      text += symbolic_value(ops.word(), 256, labels);
      text += d.sp_index ? ",sp" : ",x";
      break;
    case Mode::imm_dir: {
      const uint8_t imm = ops.next();
      text += "#" + symbolic_value(imm, 128, labels) + "," + symbolic_value(ops.next(), 128, labels);
      break;
    }
    case Mode::dir_dir: {
      const uint8_t src = ops.next();
      text += symbolic_value(src, 128, labels) + "," + symbolic_value(ops.next(), 128, labels);
      break;
    }
    case Mode::ixp_dir: text += "x+," + symbolic_value(ops.next(), 128, labels); break;
    case Mode::dir_ixp: text += symbolic_value(ops.next(), 128, labels) + ",x+"; break;
  }
  if (e.has_branch()) {
    const int8_t offset = static_cast<int8_t>(ops.next());
    int64_t target = static_cast<int64_t>(ops.pos) + offset;
    if (address <= 0xFFFF) target &= 0xFFFF;
    else if (target > 0xFFFF) target = (target & 0x3FFF) | 0x8000;
    if (e.mode() != Mode::inherent && e.mode() != Mode::inh_reg) text += ",";
    text += symbolic_value(static_cast<uint32_t>(target), 0, labels);
  }
  out.length = static_cast<int>(ops.pos - address);
  out.text = std::move(text);
  return out;
}

int InstrInformation(const CodeReader& code, uint32_t address, int* length_out, int* cycles_out,
                     uint8_t* bytes_out) {
  const uint8_t first = code.read_byte(address);
  const uint8_t second = first == hc08::kPrefix ? code.read_byte(address + 1) : 0;
  const hc08::Decoded d = hc08::decode(first, second);
  const int length = d.length();
  if (length_out) *length_out = length;
  if (cycles_out) *cycles_out = d.cycles();
  if (bytes_out)
    for (int i = 0; i < length && i < 4; ++i) bytes_out[i] = code.read_byte(address + static_cast<uint32_t>(i));
  return d.known() ? 1 : 0;
}

}  // namespace yav
