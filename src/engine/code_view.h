// Target code as text: the disassembly of instructions in target memory with symbolic operands
// from the program's labels, in the layout of the disassembly listing.
#pragma once
#include <cstdint>
#include <string>

#include "engine/kernel.h"
#include "model/disasm.h"

namespace yav {

// The label index of the kernel's program (one label per address, a code label first), for
// symbolic operands.
const LabelList& programLabels(Kernel& k);

// The listing line of the instruction at `address` (without a line end), and `address` moved
// past it. Used for `disa` and for the line shown where execution stopped outside the source.
std::string disassemblyLine(Kernel& k, uint32_t& address);

// The instruction at `address` as the disassembler writes it: mnemonic and symbolic operand.
std::string instructionText(Kernel& k, uint32_t address);

// Length in bytes of the instruction at `address` (1 for an unreadable or unknown opcode).
int instructionLength(Kernel& k, uint32_t address);

}  // namespace yav
