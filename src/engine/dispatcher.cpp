#include "engine/dispatcher.h"

#include <cctype>

#include "engine/cmdtab.h"
#include "engine/errors.h"
#include "engine/hooks.h"
#include "engine/statements.h"
#include "model/messages.h"

namespace yav {

const char* const kEmptyRest = "";

namespace {

void pump_between_commands(Kernel& k) {
  PumpResult r = k.ui->pumpEvents();
  if (r.stop) {
    k.run.stopRequest = true;
    k.run.targetRunning = false;
  }
  if (r.closeRequested) k.cmdfile.closeHeldBack = true;
}

void after_command(Kernel& k, const CmdRow* row) {
  if (k.disp.quitting) return;
  if (!k.disp.noUpdate) {
    ++k.disp.commandCount;
    if (k.disp.execDepth == 0 && row && row->name[0] == 'g') {
      if (k.hooks.applyDeferredViews) k.hooks.applyDeferredViews(k);
      k.ui->refreshViews(kViewSource);
    }
    if (k.hooks.showMonitors) k.hooks.showMonitors(k);
  }
  if (k.disp.autoRemoveInternal && k.hooks.removeInternalEvents) k.hooks.removeInternalEvents(k);
  if (k.disp.registerTracking) k.ui->refreshViews(kViewRegisters);
}

}  // namespace

const char* execcmd(Kernel& k, const char* text, int user) {
  pump_between_commands(k);
  k.disp.noUpdate = false;

  if (k.hooks.extensionCommand && k.hooks.extensionCommand(k, text)) {
    after_command(k, nullptr);
    return kEmptyRest;
  }

  const CmdRow* row = findCommand(k, text);
  if (!row) {
    errmsg(k, {errtext(msg::UnknownCommand), ": ", text, "\n"});
    k.disp.noUpdate = true;
    return kEmptyRest;
  }
  if ((row->flags & CMD_NEEDDEBUG) && !k.debugInfoLoaded) {
    errmsg(k, {errtext(msg::NoCSource), "\n"});
    k.disp.noUpdate = true;
    return kEmptyRest;
  }
  const char* rest = skipBlanks(text + row->len);
  if (row->flags & CMD_NOUPDATE) k.disp.noUpdate = true;
  const char* result = row->func(k, rest, user);
  after_command(k, row);
  return result ? result : kEmptyRest;
}

const char* docmd(Kernel& k, const char* line, int user) {
  if (!line) return kEmptyRest;
  if (k.disp.log && !k.disp.eventAction) {
    std::fputs(line, k.disp.log);
    std::fputc('\n', k.disp.log);
    std::fflush(k.disp.log);
  }
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
