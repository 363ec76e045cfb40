#include <cstdio>
#include <memory>
#include <string>

#include "engine/command_file.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "model/messages.h"

namespace yav {

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr open_on_path(const Kernel& k, const std::string& name) {
  FilePtr f(std::fopen(name.c_str(), "r"), std::fclose);
  if (f) return f;
  const std::string& path = k.cmdfile.sourcePath;
  size_t start = 0;
  while (start <= path.size() && !path.empty()) {
    size_t bar = path.find('|', start);
    std::string dir = path.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!dir.empty()) {
      if (dir.back() == '/') dir.pop_back();
      f.reset(std::fopen((dir + "/" + name).c_str(), "r"));
      if (f) return f;
    }
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return f;
}

// Reads one whole line (without its newline); false at the end of the file.
bool read_line(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(f)) != EOF) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

}  // namespace

bool runCommandFile(Kernel& k, const std::string& name) {
  FilePtr f = open_on_path(k, name);
  if (!f) {
    errmsg(k, {name, ": ", errtext(msg::CannotRedirect), "\n"});
    k.cmdfile.lastResult = 0;
    return false;
  }
  const bool outerMark = k.cmdfile.inputMark;
  ++k.cmdfile.depth;
  std::string line;
  while (!k.disp.quitting && read_line(f.get(), line)) {
    k.cmdfile.inputMark = true;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!k.cmdfile.quiet) {
      kout(k, line);
      kout(k, "\n");
    }
    runStatements(k, line.c_str(), 1);
    PumpResult r = k.ui->pumpEvents();
    if (r.stop) k.exec.stopreq = true;
    if (r.closeRequested) k.cmdfile.closeHeldBack = true;
  }
  --k.cmdfile.depth;
  k.cmdfile.inputMark = outerMark;
  if (k.cmdfile.depth == 0 && k.cmdfile.closeHeldBack) {
    k.cmdfile.closeHeldBack = false;
    k.ui->requestClose();
  }
  k.cmdfile.lastResult = 1;
  return true;
}

// `input file`: the name runs to the end of the line, a tab, ';' or '}'.
const char* cmd_input(Kernel& k, const char* rest, int) {
  const char* end = rest;
  while (*end && *end != '\t' && *end != ';' && *end != '}') ++end;
  std::string name(rest, end);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\n')) name.pop_back();
  if (name.empty()) {
    errmsg(k, {errtext(msg::MissingInputFile), "\n"});
    return kEmptyRest;
  }
  runCommandFile(k, name);
  return end;
}

}  // namespace yav
