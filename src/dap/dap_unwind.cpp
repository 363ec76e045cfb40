#include "dap/dap_unwind.h"

#include "model/loader.h"
#include "model/target_memory.h"

namespace yav::dap {

namespace {

// How far above the stack pointer return addresses are looked for.
constexpr uint32_t kStackWindow = 512;

constexpr uint8_t kJsrExtended = 0xCD, kJsrDirect = 0xBD, kBsr = 0xAD;

// Whether the code right before `returnAddress` is a call of the code at `target`: JSR with an
// extended or direct address, or BSR.
bool callsInto(TargetMemory& mem, uint32_t returnAddress, uint32_t target) {
  uint8_t code[3];
  if (returnAddress >= 3 && mem.read(0, returnAddress - 3, code) && code[0] == kJsrExtended &&
      (static_cast<uint32_t>(code[1]) << 8 | code[2]) == target) {
    return true;
  }
  if (returnAddress < 2 || !mem.read(0, returnAddress - 2, std::span<uint8_t>(code, 2))) return false;
  if (code[0] == kJsrDirect) return code[1] == target;
  if (code[0] == kBsr) return returnAddress + static_cast<uint32_t>(static_cast<int8_t>(code[1])) == target;
  return false;
}

bool hasSource(const FunctionEntry* f) { return f && !f->isOuterScope() && f->file && !f->file->name.empty(); }

}  // namespace

std::vector<CallerFrame> callersOnStack(Kernel& k, const FunctionEntry* callee) {
  std::vector<CallerFrame> callers;
  TargetMemory* mem = targetMemory(k);
  if (!mem || !k.prog.program || !k.regs.valid || !hasSource(callee)) return callers;
  const SymbolTables& t = k.prog.program->tables;
  const uint32_t top = std::min<uint32_t>(static_cast<uint32_t>(k.regs.file.sp) + kStackWindow, 0xFFFF);
  for (uint32_t slot = static_cast<uint32_t>(k.regs.file.sp) + 1; slot + 1 <= top && callee->name != "main"; ++slot) {
    uint16_t value = 0;
    if (!mem->readWord(0, slot, value)) break;
    const FunctionEntry* caller = t.functionAt(value);
    if (!hasSource(caller) || !callsInto(*mem, value, callee->address())) continue;
    const DebugRecord* line = t.lineAt(value - 1u);
    callers.push_back({caller, value, line ? static_cast<uint32_t>(line->startLine) : 0u});
    callee = caller;
    ++slot;  // past the second byte of this return address
  }
  return callers;
}

}  // namespace yav::dap
