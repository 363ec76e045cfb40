// Where execution stands, as one line: the source line of the program counter, or its
// instruction outside the source.
#include <cstdio>
#include <string>

#include "engine/code_view.h"
#include "engine/kernel_eval.h"
#include "engine/run_loop.h"
#include "engine/source_text.h"
#include "model/loader.h"

namespace yav {

std::string executionPoint(Kernel& k) {
  const uint32_t pc = currentPc(k);
  if (const DebugRecord* line = k.prog.program->tables.lineAt(pc); line && line->startLine != 0) {
    std::string place = line->fileName + ":" + std::to_string(line->startLine) + ": ";
    if (auto text = sourceLineText(k, line->fileName, line->startLine)) place += *text;
    return place;
  }
  char address[16];
  std::snprintf(address, sizeof address, "0x%05X: ", pc);
  std::string text = instructionText(k, pc);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return address + text;
}

void showExecutionPoint(Kernel& k) {
  if (!k.target || !k.target->connected() || !k.regs.valid) return;
  k.ui->showExecutionPoint(executionPoint(k));
}

}  // namespace yav
