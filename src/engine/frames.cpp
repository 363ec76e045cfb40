#include "engine/frames.h"

#include "engine/display_state.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/output.h"
#include "engine/unwind.h"
#include "model/format.h"
#include "model/loader.h"

namespace yav {

namespace {

// Storage classes of a first argument passed in a register.
constexpr uint8_t kRegisterArgumentClasses[] = {sc::FirstRegisterArgument, sc::FrameArgument};
// End column of a line range that spans several lines.
constexpr uint32_t kWholeLine = 0x400;

// The line range of a frame from a kind 0x08 entry. A fresh frame, or a line at the function's
// first line with column 0, only fills an unset range end; otherwise the entry's line becomes
// the frame's current line unless the frame was just entered at a lower first line.
void takeRange(Frame& f, const DebugRecord& e, bool fresh, bool justEntered) {
  f.position = &e;
  const uint32_t end = e.endLine > e.startLine ? e.endLine - 1u : e.startLine;
  if (fresh || (e.startLine == f.firstLine && e.startColumn == 0)) {
    if (f.endLine == 0) {
      f.line = e.startLine;
      f.column = e.startColumn;
      f.endLine = end;
      f.endColumn = e.endLine > e.startLine ? kWholeLine : e.endColumn;
    }
    return;
  }
  if (justEntered && f.firstLine < e.startLine) return;
  f.line = e.startLine;
  f.column = e.startColumn;
  f.endColumn = e.endLine > e.startLine ? kWholeLine : e.endColumn;
  f.endLine = end;
}

// The stack pointer at the entry of `fn`'s running call: SP itself at its first address, else
// SP plus what the function has pushed by the PC (the current SP when that is not known).
uint16_t entrySpOf(Kernel& k, const FunctionEntry& fn) {
  const uint32_t pc = currentPc(k);
  const uint16_t sp = k.regs.file.sp;
  if (pc == fn.address()) return sp;
  return entryStackPointer(k, pc, sp).value_or(sp);
}

// A frame for a call of `fn` entered with the stack pointer `entrySp`; its base by the entry rule.
Frame frameAt(FunctionEntry& fn, uint16_t entrySp, bool insideFunction) {
  Frame f;
  f.function = &fn;
  f.firstLine = fn.firstLine;
  f.sp = entrySp;
  f.registerArgumentsSaved = insideFunction;
  f.state = insideFunction ? kProloguePassed : 0;
  f.base = frameBaseAtEntry(f.sp, firstRegisterArgument(fn));
  return f;
}

// A frame for the running call of `fn`.
Frame makeFrame(Kernel& k, FunctionEntry& fn, bool insideFunction) {
  Frame f = frameAt(fn, entrySpOf(k, fn), insideFunction);
  f.pc = currentPc(k);
  return f;
}

// Whether the innermost call, stopped at `pc`, has its register-passed first argument in its
// place: from the end of its prologue on (at the entry already when it has none), past its first
// instruction when the debug information marks no prologue end.
bool registerArgumentStored(const SymbolTables& t, const FunctionEntry& fn, uint32_t pc) {
  if (fn.startRecord != kNoRecord) {
    for (size_t i = fn.startRecord; i < t.records.size(); ++i) {
      const DebugRecord& r = t.records[i];
      if (r.function != &fn) continue;
      if (r.kind == rk::FunctionEnd) break;
      if (r.kind == rk::FunctionLine) return pc >= r.address;
    }
  }
  return pc != fn.address();
}

bool followable(const FunctionEntry* fn) {
  return fn && !fn->isOuterScope() && !fn->isPlaceholder() && fn->file && !fn->file->name.empty();
}

// Line range update from a kind 0x08 entry: without a frame one is made at the function's entry
// first; a frame of another function on top gets one pushed over it.
void updateLineRange(Kernel& k, const DebugRecord& e) {
  FrameChain& chain = frameChain(k);
  if (!e.function) return;
  bool fresh = false;
  if (chain.frames.empty() || chain.frames.front().function != e.function) {
    if (!pushFrame(k, *e.function, &e)) return;
    fresh = true;
  }
  takeRange(chain.frames.front(), e, fresh, chain.justEntered);
}

// The first exit entry of the entry's function at or after the entry and at or below the PC.
const DebugRecord* exitReached(const SymbolTables& t, const DebugRecord& entry, uint32_t pc) {
  if (entry.kind == rk::FunctionExit && entry.address == pc) return &entry;
  const DebugRecord* first = t.records.data();
  const DebugRecord* end = first + t.records.size();
  if (&entry < first || &entry >= end) return nullptr;
  for (const DebugRecord* r = &entry; r < end && r->address <= pc; ++r) {
    if (r->function != entry.function) break;
    if (r->kind == rk::FunctionExit) return r;
    if (r->kind == rk::FunctionEnd) break;
  }
  return nullptr;
}

}  // namespace

FrameChain& frameChain(Kernel& k) { return displayState(k).frames; }

std::optional<RegisterArgument> firstRegisterArgument(const FunctionEntry& f) {
  for (const SymbolEntry& s : f.locals) {
    for (uint8_t c : kRegisterArgumentClasses) {
      if (s.storageClass == c) return RegisterArgument{s.type, static_cast<int32_t>(s.value)};
    }
  }
  return std::nullopt;
}

void clearFrames(Kernel& k) {
  FrameChain& chain = frameChain(k);
  for (const Frame& f : chain.frames) {
    if (f.function && f.function->isPlaceholder()) f.function->active = 0;
  }
  chain = FrameChain{};
}

void framesFollowPc(Kernel& k) {
  FrameChain& chain = frameChain(k);
  const uint32_t pc = currentPc(k);
  FunctionEntry* fn = k.prog.program->tables.functionAt(pc);
  const DebugRecord* line = k.prog.program->tables.lineAt(pc);
  // A move inside the function of the innermost frame keeps the frame and its base (the stack
  // may hold more than at the entry by now).
  if (fn && !chain.frames.empty() && chain.frames.front().function == fn && pc != fn->address()) {
    Frame& top = chain.frames.front();
    top.state |= kProloguePassed;
    top.registerArgumentsSaved = true;
    if (line && line->kind == rk::Line) takeRange(top, *line, false, false);
    chain.current = 0;
    return;
  }
  clearFrames(k);
  if (!fn || fn->isOuterScope() || fn->isPlaceholder()) return;
  const bool inside = pc != fn->address();
  chain.frames.insert(chain.frames.begin(), makeFrame(k, *fn, inside));
  Frame& f = chain.frames.front();
  if (line && line->kind == rk::Line && line->function == fn) {
    takeRange(f, *line, true, false);
  } else {
    f.position = line;
    f.line = f.endLine = f.firstLine;
  }
}

Frame* pushFrame(Kernel& k, FunctionEntry& fn, const DebugRecord* from) {
  FrameChain& chain = frameChain(k);
  const uint16_t sp = entrySpOf(k, fn);
  if (!chain.frames.empty() && chain.frames.front().function == &fn && chain.frames.front().sp == sp) return nullptr;
  const bool real = !fn.isPlaceholder();
  if (k.exec.finishmode && real) {
    ++k.exec.finishdepth;
    if (fn.active == 0) return nullptr;
  }
  const bool insideFunction = from && from->kind != rk::FunctionStart;
  chain.frames.insert(chain.frames.begin(), makeFrame(k, fn, insideFunction));
  chain.current = 0;
  Frame& f = chain.frames.front();
  if (from && from->kind == rk::Line) {
    takeRange(f, *from, true, false);
  } else {
    f.position = from;
    f.line = f.endLine = f.firstLine;
  }
  k.ui->refreshViews(kViewStack);
  return &f;
}

void popFrame(Kernel& k) {
  FrameChain& chain = frameChain(k);
  if (chain.frames.empty()) return;
  FunctionEntry* fn = chain.frames.front().function;
  const bool real = fn && !fn->isPlaceholder();
  if (k.exec.finishmode && real && k.exec.finishdepth > 0) {
    --k.exec.finishdepth;
    if (fn->active == 0) return;
  }
  if (fn && fn->active == 2) {
    if (real) kout(k, fn->name + "() is now DEACTIVATED !!\n");
    fn->active = 0;
    fn->armed = 0;
  }
  chain.lastRemoved = chain.frames.front();
  chain.frames.erase(chain.frames.begin());
  ++chain.pops;
  chain.current = 0;
  k.ui->refreshViews(kViewStack);
}

void popPending(Kernel& k) {
  FrameChain& chain = frameChain(k);
  if (!chain.pendingPop) return;
  chain.pendingPop = false;
  popFrame(k);
}

int reachLineEntry(Kernel& k, const DebugRecord& entry, bool deferPop) {
  FrameChain& chain = frameChain(k);
  const SymbolTables& tables = k.prog.program->tables;
  const uint32_t pc = currentPc(k);
  FunctionEntry* fn = entry.function;
  if (fn && fn->active == 0) {
    pushFrame(k, *fn, &entry);
    return 1;
  }
  int shown = 0;
  chain.justEntered = false;
  if (entry.kind == rk::FunctionStart && entry.address == pc && !entry.fileName.empty() && fn) {
    if (!tables.findFile(entry.fileName)) {
      errmsg(k, {"can't locate debug tables for: ", entry.fileName, "\n", errtext(83), "\n"});
      k.exec.stopreq = true;
      return 0;
    }
    if (Frame* f = pushFrame(k, *fn, &entry)) {
      f->position = &entry;
      chain.justEntered = true;
    }
  } else if (entry.kind == rk::FunctionLine && entry.address == pc && fn) {
    if (chain.frames.empty()) pushFrame(k, *fn, nullptr);
    if (chain.frames.empty()) {
      kout(k, "Program EXECUTION PROBABLY BROKEN !LOCALS ");
    } else if (!(chain.frames.front().state & kProloguePassed)) {
      Frame& top = chain.frames.front();
      top.state |= kProloguePassed;
      top.registerArgumentsSaved = true;
    }
  } else if (entry.kind == rk::Line && entry.address == pc) {
    const bool entered = !chain.frames.empty() && chain.frames.front().function == fn &&
                         chain.frames.front().position && chain.frames.front().position->kind == rk::FunctionStart;
    updateLineRange(k, entry);
    if (entered) chain.pendingLine = &entry;
    ++shown;
  }
  if (exitReached(tables, entry, pc)) {
    if (shown && deferPop) chain.pendingPop = true;
    else popFrame(k);
  }
  return shown;
}

void framesFromStack(Kernel& k) {
  if (!k.prog.program) return;
  const std::vector<UnwoundFrame> stack = unwindStack(k);
  if (stack.empty()) return;
  const SymbolTables& t = k.prog.program->tables;
  FrameChain& chain = frameChain(k);
  const auto onStack = [&](const Frame& f) {
    for (const UnwoundFrame& u : stack) {
      if (u.function == f.function && u.entrySp == f.sp) return true;
    }
    return false;
  };
  // Calls that have returned are left, as a pop leaves them.
  while (!chain.frames.empty() && !onStack(chain.frames.front())) popFrame(k);
  std::vector<Frame> frames;
  for (size_t i = 0; i < stack.size(); ++i) {
    const UnwoundFrame& u = stack[i];
    if (!followable(u.function)) continue;
    const Frame* known = nullptr;
    for (const Frame& f : chain.frames) {
      if (f.function == u.function && f.sp == u.entrySp) known = &f;
    }
    Frame f = known ? *known : frameAt(*u.function, u.entrySp, true);
    f.pc = u.pc;
    // A caller is past its prologue; the innermost call is where its PC says.
    f.registerArgumentsSaved = i != 0 || registerArgumentStored(t, *u.function, u.pc);
    if (f.registerArgumentsSaved) f.state |= kProloguePassed;
    // A caller stands on the line of its call, the innermost call on the line of the PC.
    const DebugRecord* line = t.lineAt(i == 0 ? u.pc : u.pc - 1u);
    if (line && line->function == u.function && line->kind == rk::Line) {
      takeRange(f, *line, !known, false);
    } else if (!known) {
      f.position = line;
      f.line = f.endLine = f.firstLine;
    }
    frames.push_back(f);
  }
  chain.frames = std::move(frames);
  chain.current = 0;
}

bool registersHeldBy(Kernel& k, const Frame& f, bool argument) {
  const FrameChain& chain = frameChain(k);
  if (chain.frames.empty() || &chain.frames.front() != &f || !k.prog.program) return false;
  const uint32_t pc = currentPc(k);
  return k.prog.program->tables.functionAt(pc) == f.function && !(argument && pastACall(k, pc));
}

const Frame* selectedFrame(Kernel& k) {
  FrameChain& chain = frameChain(k);
  if (chain.frames.empty()) return nullptr;
  if (chain.current >= chain.frames.size()) chain.current = 0;
  return &chain.frames[chain.current];
}

std::optional<uint32_t> frameBaseOf(Kernel& k, const FunctionEntry* function) {
  FrameChain& chain = frameChain(k);
  for (size_t i = chain.current; i < chain.frames.size(); ++i) {
    if (chain.frames[i].function == function) return chain.frames[i].base;
  }
  return std::nullopt;
}

bool inCallStack(Kernel& k, const FunctionEntry* function) {
  for (const Frame& f : frameChain(k).frames) {
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
