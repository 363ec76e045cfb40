#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine/command_file.h"
#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "engine/script_text.h"
#include "model/messages.h"
#include "platform/regular_file.h"

namespace yav {

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens `name`, else the first directory of the source path that holds it. The first place
// where the name exists decides: a folder, device or FIFO there is refused, not read.
platform::OpenStatus open_on_path(const Kernel& k, const std::string& name, FilePtr& f) {
  auto attempt = [&f](const std::string& path) {
    int fd = -1;
    const platform::OpenStatus s = platform::openRegularFile(path, fd);
    if (s == platform::OpenStatus::Opened) {
      f.reset(::fdopen(fd, "r"));
      if (!f) {
        ::close(fd);
        return platform::OpenStatus::Missing;
      }
    }
    return s;
  };
  platform::OpenStatus s = attempt(name);
  if (s != platform::OpenStatus::Missing) return s;
  const std::string& path = k.cmdfile.sourcePath;
  size_t start = 0;
  while (start <= path.size() && !path.empty()) {
    size_t bar = path.find('|', start);
    std::string dir = path.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!dir.empty()) {
      if (dir.back() == '/') dir.pop_back();
      s = attempt(dir + "/" + name);
      if (s != platform::OpenStatus::Missing) return s;
    }
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return platform::OpenStatus::Missing;
}

enum class LineRead { Line, TooLong, End };

// Reads one line without its line end (a newline, and a carriage return before it). A line
// longer than kMaxCommandFileLine is read to its end but not kept: it is never cut in two.
LineRead read_line(std::FILE* f, std::string& line) {
  line.clear();
  bool tooLong = false, any = false;
  int c;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() <= kMaxCommandFileLine) line += static_cast<char>(c);  // one more for a CR
    else tooLong = true;
  }
  if (!any) return LineRead::End;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (tooLong || line.size() > kMaxCommandFileLine) return LineRead::TooLong;
  return LineRead::Line;
}

}  // namespace

bool runCommandFile(Kernel& k, const std::string& name) {
  if (k.cmdfile.depth >= kMaxCommandFileDepth) {
    errmsg(k, {name, ": command files nested more than ", std::to_string(kMaxCommandFileDepth),
               " deep, not run\n"});
    k.cmdfile.lastResult = 0;
    return false;
  }
  FilePtr f(nullptr, std::fclose);
  const platform::OpenStatus opened = open_on_path(k, name, f);
  if (opened != platform::OpenStatus::Opened) {
    const char* why = opened == platform::OpenStatus::NotRegular ? " (not a regular file)" : "";
    errmsg(k, {name, ": ", errtext(msg::CannotRedirect), why, "\n"});
    k.cmdfile.lastResult = 0;
    return false;
  }
  const bool outerMark = k.cmdfile.inputMark;
  ++k.cmdfile.depth;
  std::string line;
  size_t lineNumber = 0;
  LineRead got;
  while (!k.disp.quitting && (got = read_line(f.get(), line)) != LineRead::End) {
    ++lineNumber;
    k.cmdfile.inputMark = true;
    if (got == LineRead::TooLong) {
      errmsg(k, {name, ": line ", std::to_string(lineNumber), " longer than ",
                 std::to_string(kMaxCommandFileLine), " characters, skipped\n"});
      continue;
    }
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
  std::string name;
  const char* end = scriptFileName(rest, name);
  if (name.empty()) {
    errmsg(k, {errtext(msg::MissingInputFile), "\n"});
    return kEmptyRest;
  }
  runCommandFile(k, name);
  return end;
}

}  // namespace yav
