#include "ui/command_line.h"

namespace yav {

namespace {

std::string join_from(const std::vector<std::string>& words, size_t i) {
  std::string s;
  for (; i < words.size(); ++i) {
    if (!s.empty()) s += ' ';
    s += words[i];
  }
  return s;
}

// Long options choose the front-end and batch behaviour; they are not part of the scan proper.
bool take_long_option(StartOptions& o, const std::string& w) {
  if (w == "--console") o.frontEnd = FrontEnd::Console;
  else if (w == "--batch") o.frontEnd = FrontEnd::Batch;
  else if (w == "--dap") o.frontEnd = FrontEnd::Dap;
  else if (w == "--gui") o.frontEnd = FrontEnd::Qt;
  else if (w == "--yes") o.answerYes = true;
  else if (w == "--no") o.answerYes = false;
  else if (w == "--strict") o.strict = true;
  else if (w == "--help") o.help = true;
  else if (w == "--version") o.version = true;
  else return false;
  return true;
}

}  // namespace

StartOptions scanCommandLine(const std::vector<std::string>& words) {
  StartOptions o;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 2 && w[0] == '-' && w[1] == '-') {
      if (take_long_option(o, w)) continue;
      o.illegal = join_from(words, i);
      return o;
    }
    if (w.empty() || w[0] != '-') {
      o.programFile = join_from(words, i);
      return o;
    }
    // An option's argument follows directly or as the next word.
    auto argument = [&]() -> std::string {
      if (w.size() > 2) return w.substr(2);
      if (i + 1 < words.size()) return words[++i];
      return {};
    };
    const char letter = w.size() > 1 ? w[1] : '\0';
    switch (letter) {
      case 'b': o.noSplash = true; break;
      case 'D': break;
      case 'i': o.startFile = argument(); break;
      case 'm': o.minimized = o.noSplash = true; break;
      case 'p': o.sourcePath = argument(); break;
      case 'r': o.remote = true; break;
      case 's': o.sessionFile = argument(); break;
      case 'v': o.quiet = true; break;
      default:
        o.illegal = join_from(words, i);
        o.programFile.clear();
        return o;
    }
  }
  return o;
}

std::string usageText() {
  return "usage: yav [--console | --batch [--yes | --no] [--strict] | --dap] [options] [program]\n"
         "  -b        no splash window\n"
         "  -D        accepted, no effect\n"
         "  -i FILE   command file to run at start (instead of the STARTFILE setting)\n"
         "  -m        start minimised (implies -b)\n"
         "  -p PATH   source search path ('|' separated; leading '|' appends, trailing '|' prepends)\n"
         "  -r        send the command \"remote\" (taken by an extension)\n"
         "  -s FILE   load a session file\n"
         "  -v        quiet: no echo of command files, no section size lines\n"
         "  --console the command window on this terminal\n"
         "  --batch   no windows: run the start command file, print to stdout, then exit\n"
         "  --dap     a Debug Adapter Protocol server on stdin/stdout, for editors\n"
         "  --yes/--no  answer to questions in batch and adapter mode (default --yes)\n"
         "  --strict  batch exit status 1 when any error was reported\n"
         "  --help, --version\n";
}

}  // namespace yav
