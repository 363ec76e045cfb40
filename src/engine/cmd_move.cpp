// `move`: selects another frame of the call stack; `frame`: prints the frames from the
// selected one outwards.
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/display_state.h"
#include "engine/locspec.h"
#include "engine/options.h"
#include "engine/output.h"

namespace yav {

namespace {

// A frame matches a place by its function and, when the place gives one, its line.
bool matches(const Frame& f, const LocSpec& s) {
  if (s.hasfunc && !s.func.empty() && f.function->name != s.func) return false;
  if (!s.hasfunc && !s.name.empty() && f.function->name != s.name) return false;
  if (!s.file.empty() && (!f.function->file || f.function->file->name != s.file)) return false;
  if (s.hasline) {
    const uint32_t last = s.line2 ? s.line2 : s.line;
    if (f.line < s.line && f.endLine < s.line) return false;
    if (f.line > last) return false;
  }
  return true;
}

}  // namespace

const char* cmd_move(Kernel& k, const char* rest, int) {
  const char* p = rest;
  char direction = 0;
  if (!scanOptions(k, p, "UDTB", [&](char letter, const char*&) { direction = letter; })) return kEmptyRest;
  if (!direction) {
    kout(k, "usage: i[udtb] (Up Down Top Bottom)\n");
    return skipBlanks(p);
  }
  LocSpec place;
  p = locspec(p, place);
  FrameChain& chain = frameChain(k);  // the dispatcher has made sure there is a frame
  const size_t outermost = chain.frames.size() - 1;
  size_t i = chain.current;
  switch (direction) {
    case 'B': i = 0; break;
    case 'T': i = outermost; break;
    case 'U':
      if (i < outermost) ++i;
      while (place.present && i < outermost && !matches(chain.frames[i], place)) ++i;
      break;
    case 'D':
      if (i > 0) --i;
      while (place.present && i > 0 && !matches(chain.frames[i], place)) --i;
      break;
  }
  chain.current = i;
  k.ui->refreshViews(kViewSource | kViewVariables | kViewStack);
  return p;
}

const char* cmd_frame(Kernel& k, const char* rest, int) {
  const FrameChain& chain = frameChain(k);  // the dispatcher has made sure there is a frame
  for (size_t i = chain.current; i < chain.frames.size(); ++i) kout(k, frameLine(chain.frames[i]) + "\n");
  return rest;
}

}  // namespace yav
