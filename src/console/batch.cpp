#include <cstdio>
#include <string>

#include "console/front_ends.h"
#include "console/input_line.h"
#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "ui/startup.h"

namespace yav {

namespace {

// Batch runs have no windows: output to stdout, boxes to stderr, questions answered by option,
// text prompts from standard input.
class BatchUiPort : public UiPort {
 public:
  explicit BatchUiPort(bool yes) : yes_(yes) {}
  void output(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!text.empty()) lineOpen_ = text.back() != '\n';
  }
  void messageBox(std::string_view title, std::string_view text, MsgIcon) override {
    std::fflush(stdout);
    std::string t(text);
    while (!t.empty() && t.back() == '\n') t.pop_back();
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(title.size()), title.data(), t.c_str());
  }
  bool askYesNo(std::string_view title, std::string_view text) override {
    std::fflush(stdout);
    std::fprintf(stderr, "%.*s: %.*s [%s]\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data(), yes_ ? "yes" : "no");
    return yes_;
  }
  // The answer is the next line of standard input (commands come from the command file);
  // without one the prompt is cancelled. The exchange is logged on stderr like the questions.
  bool askText(std::string_view, std::string_view prompt, std::string& answer) override {
    std::fflush(stdout);
    const bool given = readInputLine(answer);
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(prompt.size()), prompt.data(),
                 given ? answer.c_str() : "[no answer]");
    return given;
  }
  void requestClose() override { closing = true; }
  // No source window: where execution stopped is printed as one line.
  void showExecutionPoint(std::string_view place) override {
    if (lineOpen_) std::fputc('\n', stdout);  // the program's own output ended mid-line
    lineOpen_ = false;
    std::fwrite(place.data(), 1, place.size(), stdout);
    std::fputc('\n', stdout);
  }
  bool closing = false;

 private:
  bool yes_;
  bool lineOpen_ = false;
};

}  // namespace

int runBatch(const StartOptions& opt) {
  BatchUiPort port(opt.answerYes);
  Kernel k(port);
  k.batchMode = true;
  runStartup(k, opt);
  closeCommandLog(k);  // a log that cannot be written out is an error of the run
  closeTarget(k);
  std::fflush(stdout);
  if (const int fatal = targetExitCode(k)) return fatal;
  return (opt.strict && k.errorCount > 0) ? 1 : 0;
}

}  // namespace yav
