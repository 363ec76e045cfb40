#include "engine/dispatcher.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "engine/cmdtab.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/display_state.h"
#include "engine/frames.h"
#include "engine/statements.h"
#include "model/messages.h"

namespace yav {

const char* const kEmptyRest = "";

namespace {

void pump_between_commands(Kernel& k) {
  PumpResult r = k.ui->pumpEvents();
  if (r.stop) {
    k.exec.stopreq = true;
    k.exec.running = false;
  }
  if (r.closeRequested) k.cmdfile.closeHeldBack = true;
}

// What a command's flags require, checked in one place: debug information, a stack frame.
// Returns the message number of the first requirement not met, 0 when all are.
int unmetRequirement(Kernel& k, uint16_t flags) {
  if ((flags & CMD_NEEDDEBUG) && !k.debugInfoLoaded) return msg::NoCSource;
  if ((flags & CMD_NEEDFRAME) && frameChain(k).frames.empty()) return msg::NoFrame;
  return 0;
}

void after_command(Kernel& k, const CmdRow* row) {
  if (k.disp.quitting) return;
  if (!k.disp.noUpdate) {
    ++k.disp.commandCount;
    if (k.exec.depth == 0 && row && row->name[0] == 'g') k.ui->refreshViews(kViewSource);
    const MonitorList& monitors = displayState(k).monitors;
    if (!monitors.items.empty()) showMonitors(k, monitors);
  }
  if (k.disp.autoRemoveInternal) removeInternalEvents(k);
  if (k.disp.registerTracking) k.ui->refreshViews(kViewRegisters);
}

}  // namespace

const char* execcmd(Kernel& k, const char* text, int user) {
  pump_between_commands(k);
  k.disp.noUpdate = false;

  const CmdRow* row = findCommand(k, text);
  if (!row) {
    errmsg(k, {errtext(msg::UnknownCommand), ": ", text, "\n"});
    k.disp.noUpdate = true;
    return kEmptyRest;
  }
  if (const int refusal = unmetRequirement(k, row->flags)) {
    errmsg(k, {errtext(refusal), "\n"});
    k.disp.noUpdate = true;
    return kEmptyRest;
  }
  const char* rest = skipBlanks(text + row->len);
  if (row->flags & CMD_NOUPDATE) k.disp.noUpdate = true;
  const char* result = row->func(k, rest, user);
  after_command(k, row);
  return result ? result : kEmptyRest;
}

namespace {

// Ends the log after a failed write or close and reports the system's reason once.
void logFailed(Kernel& k, int error) {
  k.disp.log = nullptr;
  errmsg(k, {"Error writing the command log ", k.disp.logPath, ": ", std::strerror(error)});
}

}  // namespace

bool closeCommandLog(Kernel& k) {
  if (!k.disp.log) return true;
  if (std::fclose(k.disp.log) == 0) {
    k.disp.log = nullptr;
    return true;
  }
  logFailed(k, errno);
  return false;
}

// A write the log refuses (a full disk) is reported once and ends the log: a log with holes
// would replay as another session.
void logCommand(Kernel& k, const char* line) {
  std::FILE* f = k.disp.log;
  if (std::fputs(line, f) >= 0 && std::fputc('\n', f) != EOF && std::fflush(f) == 0) return;
  const int error = errno;
  std::fclose(f);
  logFailed(k, error);
}

const char* docmd(Kernel& k, const char* line, int user) {
  if (!line) return kEmptyRest;
  if (k.disp.log && !k.disp.eventAction) logCommand(k, line);
  if (line[0] == ';') return line;  // a comment line: logged, never run
  const char* result = statement(k, skipBlanks(line), user);
  return result ? result : kEmptyRest;
}

void runStatements(Kernel& k, const char* line, int user) {
  const char* p = line;
  while (*p && *p != '}') {
    const char* next = docmd(k, p, user);
    if (next == p) break;  // nothing consumed (a comment line): the rest is not a command
    p = skipBlanks(next);
    while (*p == ';') p = skipBlanks(p + 1);
    if (k.disp.quitting) break;
  }
}

void runCommandLine(Kernel& k, const char* line, int user) { runStatements(k, skipBlanks(line), user); }

}  // namespace yav
