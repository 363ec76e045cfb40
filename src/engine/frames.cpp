#include "engine/frames.h"

#include "engine/display_state.h"
#include "engine/kernel_eval.h"
#include "model/format.h"
#include "model/loader.h"

namespace yav {

namespace {

// Storage classes of a first argument passed in a register.
constexpr uint8_t kRegisterArgumentClasses[] = {sc::FirstRegisterArgument, 23};

void takeLine(Frame& f, const DebugRecord* r) {
  f.position = r;
  if (!r || r->kind == rk::FunctionStart) {
    f.line = f.firstLine;
    f.column = 0;
    f.endLine = f.firstLine;
    f.endColumn = 0;
    return;
  }
  f.line = r->startLine;
  f.column = r->startColumn;
  f.endLine = r->endLine > r->startLine ? r->endLine - 1u : r->startLine;
  f.endColumn = r->endLine > r->startLine ? 0x400u : r->endColumn;
}

Frame makeFrame(Kernel& k, FunctionEntry& fn, uint32_t pc, uint16_t sp, const FrameChain& old) {
  Frame f;
  f.function = &fn;
  f.firstLine = fn.firstLine;
  f.sp = sp;
  const bool atEntry = pc == fn.address();
  f.registerArgumentsSaved = !atEntry;
  f.state = atEntry ? 0 : 1;
  f.base = frameBaseAtEntry(sp, firstRegisterArgument(fn));
  if (!atEntry && !old.frames.empty()) {
    const Frame& before = old.frames.front();
    if (before.function == &fn && before.sp >= sp) {
      f.base = before.base;
      f.sp = before.sp;
    }
  }
  takeLine(f, k.prog.program->tables.lineAt(pc));
  return f;
}

}  // namespace

std::optional<RegisterArgument> firstRegisterArgument(const FunctionEntry& f) {
  for (const SymbolEntry& s : f.locals) {
    for (uint8_t c : kRegisterArgumentClasses) {
      if (s.storageClass == c) return RegisterArgument{s.type, static_cast<int32_t>(s.value)};
    }
  }
  return std::nullopt;
}

FrameChain& syncFrames(Kernel& k) {
  FrameChain& chain = displayState(k).frames;
  const uint32_t pc = currentPc(k);
  const uint16_t sp = k.regs.file.sp;
  if (chain.built && chain.builtPc == pc && chain.builtSp == sp) return chain;
  FrameChain fresh;
  fresh.built = true;
  fresh.builtPc = pc;
  fresh.builtSp = sp;
  FunctionEntry* fn = k.prog.program->tables.functionAt(pc);
  if (fn && !fn->isOuterScope() && fn->name != ".") fresh.frames.push_back(makeFrame(k, *fn, pc, sp, chain));
  chain = std::move(fresh);
  return chain;
}

void clearFrames(Kernel& k) { displayState(k).frames = FrameChain{}; }

const Frame* selectedFrame(Kernel& k) {
  FrameChain& chain = syncFrames(k);
  if (chain.frames.empty()) return nullptr;
  if (chain.current >= chain.frames.size()) chain.current = 0;
  return &chain.frames[chain.current];
}

std::optional<uint32_t> frameBaseOf(Kernel& k, const FunctionEntry* function) {
  FrameChain& chain = syncFrames(k);
  for (size_t i = chain.current; i < chain.frames.size(); ++i) {
    if (chain.frames[i].function == function) return chain.frames[i].base;
  }
  return std::nullopt;
}

bool inCallStack(Kernel& k, const FunctionEntry* function) {
  for (const Frame& f : syncFrames(k).frames) {
    if (f.function == function) return true;
  }
  return false;
}

std::string frameLine(const Frame& f) {
  std::string s = f.function->name + "()";
  if (f.line != 0 && f.function->file) s += " at " + f.function->file->name + fmtstr(":%l", f.line);
  return s;
}

}  // namespace yav
