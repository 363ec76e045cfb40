// The program's command line: the debugger's own options (-b -D -i -m -p -r -s -v and a program
// file) and the front-end choice (--console, --batch, --dap ...).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace yav {

enum class FrontEnd { Auto, Qt, Console, Batch, Dap };

struct StartOptions {
  FrontEnd frontEnd = FrontEnd::Auto;
  bool help = false;
  bool version = false;
  bool answerYes = true;  // --yes (default) / --no: answer of questions in batch mode
  bool strict = false;    // --strict: batch exit status 1 when any error was reported

  bool noSplash = false;     // -b
  bool minimized = false;    // -m (implies -b)
  bool quiet = false;        // -v
  bool remote = false;       // -r
  std::optional<std::string> startFile;    // -i
  std::optional<std::string> sourcePath;   // -p
  std::optional<std::string> sessionFile;  // -s
  std::string programFile;                 // the first word not beginning with '-' and the rest
  std::string illegal;                     // set when the scan stopped at an illegal option: the text
                                           // to report after "Illegal Option: "
};

// Scans the words of the command line (argv without the program name).
StartOptions scanCommandLine(const std::vector<std::string>& words);

// Usage text printed by --help.
std::string usageText();

}  // namespace yav
