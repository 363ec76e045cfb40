#include "engine/unwind.h"

#include <string>
#include <unordered_map>

#include "engine/code_view.h"
#include "engine/display_state.h"
#include "engine/kernel_eval.h"
#include "model/hc08_opcodes.h"
#include "model/loader.h"
#include "model/stack_depth.h"
#include "model/target_code.h"
#include "model/target_memory.h"

namespace yav {

namespace {

// Bounds the walk over a stack that no longer holds calls.
constexpr size_t kMostFrames = 256;
// Bytes an interrupt stacks (CC, A, X and the return address; H is not stacked on the HCS08),
// and the offset of the return address above the entry's stack pointer.
constexpr uint16_t kInterruptFrame = 5, kInterruptReturnOffset = 4;
constexpr uint16_t kCallFrame = 2, kCallReturnOffset = 1;

struct Routine {
  uint32_t start = 0;
  FunctionEntry* function = nullptr;
};

std::unordered_map<uint32_t, StackDepths>& cacheOf(Kernel& k) {
  DisplayState& d = displayState(k);
  if (d.depthsProgram != k.prog.program.get()) {
    d.stackDepths.clear();
    d.depthsProgram = k.prog.program.get();
  }
  return d.stackDepths;
}

bool ordinaryFunction(const FunctionEntry* fn) { return fn && !fn->isOuterScope() && !fn->isPlaceholder(); }

// The routine whose code holds `pc`: a function of the debug information, else the code label
// at or below it (run-time library routines, start-up code).
std::optional<Routine> routineAt(Kernel& k, uint32_t pc) {
  const SymbolTables& t = k.prog.program->tables;
  if (FunctionEntry* fn = t.functionAt(pc); ordinaryFunction(fn) && fn->address() != 0 && fn->address() <= pc) {
    return Routine{fn->address(), fn};
  }
  std::string name;
  uint32_t at = 0;
  if (programLabels(k).label_at_or_below(pc, name, at)) return Routine{at, nullptr};
  return std::nullopt;
}

const StackDepths& depthsOf(Kernel& k, const Routine& r) {
  auto& cache = cacheOf(k);
  if (auto it = cache.find(r.start); it != cache.end()) return it->second;
  const TargetCodeReader code(targetMemory(k));
  const SymbolTables& t = k.prog.program->tables;
  const auto inside = [&](uint32_t a) {
    if (r.function) return t.functionAt(a) == r.function;
    if (FunctionEntry* fn = t.functionAt(a); ordinaryFunction(fn)) return false;
    std::string name;
    uint32_t at = 0;
    return programLabels(k).label_at_or_below(a, name, at) && at == r.start;
  };
  return cache.emplace(r.start, stackDepths(code, r.start, inside)).first->second;
}

// Whether the instruction that ends right before `address` is a subroutine call that pushed a
// plain return address (BSR, JSR in any addressing mode; CALL also stacks the page and is at
// least four bytes long): a return address a caller pushed.
bool followsCall(const CodeReader& code, uint32_t address) {
  constexpr int kLongestJsr = 3;
  for (int length = 1; length <= kLongestJsr && static_cast<uint32_t>(length) <= address; ++length) {
    const uint32_t at = address - static_cast<uint32_t>(length);
    const hc08::Decoded op = hc08::decode(code.read_byte(at), code.read_byte(at + 1));
    if (op.known() && op.length() == length && hc08::is_call(*op.entry)) return true;
  }
  return false;
}

}  // namespace

std::optional<uint16_t> entryStackPointer(Kernel& k, uint32_t pc, uint16_t sp) {
  if (!k.prog.program || !targetMemory(k)) return std::nullopt;
  const std::optional<Routine> r = routineAt(k, pc);
  if (!r) return std::nullopt;
  const std::optional<int> depth = depthsOf(k, *r).depthAt(pc);
  if (!depth) return std::nullopt;
  return static_cast<uint16_t>(sp + *depth);
}

bool pastACall(Kernel& k, uint32_t pc) {
  if (!k.prog.program || !targetMemory(k)) return false;
  const std::optional<Routine> r = routineAt(k, pc);
  return r && depthsOf(k, *r).afterCall.count(pc) != 0;
}

std::optional<ReturnPoint> returnPoint(Kernel& k, const UnwoundFrame& f) {
  TargetMemory* mem = targetMemory(k);
  if (!mem) return std::nullopt;
  const uint16_t offset = f.interrupt ? kInterruptReturnOffset : kCallReturnOffset;
  uint16_t address = 0;
  if (!mem->readWord(0, static_cast<uint16_t>(f.entrySp + offset), address)) return std::nullopt;
  const uint16_t frame = f.interrupt ? kInterruptFrame : kCallFrame;
  return ReturnPoint{address, static_cast<uint16_t>(f.entrySp + frame)};
}

std::vector<UnwoundFrame> unwindStack(Kernel& k) {
  std::vector<UnwoundFrame> frames;
  TargetMemory* mem = targetMemory(k);
  if (!k.prog.program || !mem || !k.regs.valid) return frames;
  const TargetCodeReader code(mem);
  uint32_t pc = currentPc(k);
  uint16_t sp = k.regs.file.sp;
  while (frames.size() < kMostFrames) {
    const std::optional<Routine> r = routineAt(k, pc);
    if (!r) break;
    const StackDepths& depths = depthsOf(k, *r);
    const std::optional<int> depth = depths.depthAt(pc);
    if (!depth) break;
    UnwoundFrame f{r->function, r->start, pc, static_cast<uint16_t>(sp + *depth), depths.returnsFromInterrupt};
    frames.push_back(f);
    if (f.function && f.function->name == "main") break;
    const std::optional<ReturnPoint> back = returnPoint(k, f);
    // A return address where no call was made: the stack holds no further calls.
    if (!back || (!f.interrupt && !followsCall(code, back->address))) break;
    pc = back->address;
    sp = back->sp;
  }
  return frames;
}

}  // namespace yav
