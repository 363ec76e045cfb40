// yav: the debugger. Chooses the front-end: the Qt frame with a display, else the console; the
// batch run and the editors' adapter on request.
#include <cstdio>
#include <string>
#include <vector>

#include "console/front_ends.h"
#include "dap/front_end.h"
#include "ui/command_line.h"
#ifdef YAV_HAVE_QT
#include "qt/qt_frontend.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  yav::StartOptions opt = yav::scanCommandLine(words);
  if (opt.help) {
    std::fputs(yav::usageText().c_str(), stdout);
    std::fputs("Inside the debugger, \"help\" lists the command words by what they do and \"help WORD\"\n"
               "gives one word's options and arguments.\n",
               stdout);
    return 0;
  }
  if (opt.version) {
    std::printf("Yav %s\n", YAV_VERSION_TEXT);
    return 0;
  }
  switch (opt.frontEnd) {
    case yav::FrontEnd::Batch: return yav::runBatch(opt);
    case yav::FrontEnd::Console: return yav::runConsole(opt);
    case yav::FrontEnd::Dap: return yav::runDap(opt);
    case yav::FrontEnd::Qt:
    case yav::FrontEnd::Auto:
#ifdef YAV_HAVE_QT
      if (yav::qtDisplayAvailable()) return yav::runQtFrontEnd(argc, argv, opt);
      if (opt.frontEnd == yav::FrontEnd::Qt) {
        std::fputs("yav: no display for the window; use --console or --batch\n", stderr);
        return 2;
      }
#endif
      return yav::runConsole(opt);
  }
  return 0;
}
