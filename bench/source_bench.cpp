// Opening a large C file in a source view and refreshing the view after a stop:
// source_bench [LINES]   (default 5000)
// Opening = search through the path, read, markup, line table and line model; refreshing = the
// model's events, code and execution marks for every line of the cached file.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/display_state.h"
#include "engine/events.h"
#include "engine/kernel.h"
#include "engine/source_text.h"
#include "ui/source_view_model.h"

namespace {

struct QuietUi : yav::UiPort {
  void output(std::string_view) override {}
  void messageBox(std::string_view, std::string_view, yav::MsgIcon) override {}
  bool askYesNo(std::string_view, std::string_view) override { return false; }
};

// A C file of `lines` lines: functions with comments, strings, keywords and library calls.
void writeProgram(const std::filesystem::path& file, int lines) {
  std::ofstream out(file);
  out << "#include <stdio.h>\n#define LIMIT 100\ntypedef unsigned char byte;\n";
  int n = 3;
  for (int f = 0; n < lines; ++f) {
    out << "/* function " << f << "\n   works on a table */\n";
    out << "static int work" << f << "(byte *table, int count)\n{\n";
    out << "\tint i, sum = 0; // running total\n";
    out << "\tfor (i = 0; i < count && i < LIMIT; i++)\n\t\tsum += table[i] * " << f << ";\n";
    out << "\tprintf(\"work %d: %d\\n\", " << f << ", sum);\n\treturn sum;\n}\n";
    n += 10;
  }
}

double msSince(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 5000;
  const auto dir = std::filesystem::temp_directory_path() / ("yav-source-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  writeProgram(dir / "big.c", lines);

  QuietUi ui;
  yav::Kernel k{ui};
  k.cmdfile.sourcePath = "/nonexistent|" + dir.string() + "/";
  for (uint32_t a = 0; a < 50; ++a) {  // breakpoints elsewhere in the program
    auto e = std::make_unique<yav::Event>();
    e->kind = yav::ev::Address;
    e->addr = 0x8000 + a * 16;
    yav::addEvent(k, std::move(e));
  }

  using clock = std::chrono::steady_clock;
  const int kOpens = 20;
  double openMs = 0;
  size_t shown = 0;
  for (int i = 0; i < kOpens; ++i) {
    yav::forgetSourceText(k);
    yav::SourceViewModel view(false);
    const auto t0 = clock::now();
    if (!view.showFile(k, "big.c", 1, {false, {}})) {
      std::fprintf(stderr, "big.c not found\n");
      return 1;
    }
    openMs += msSince(t0);
    shown = view.lineCount();
  }

  yav::SourceViewModel view(false);
  view.showFile(k, "big.c", 1, {false, {}});
  const int kRefreshes = 1000;
  const auto t1 = clock::now();
  for (int i = 0; i < kRefreshes; ++i) view.refresh(k, {false, {}});
  const double refreshMs = msSince(t1) / kRefreshes;

  // Painting needs each visible line's display text: 40 lines per screen.
  const auto t2 = clock::now();
  size_t chars = 0;
  for (int i = 0; i < kRefreshes; ++i) {
    for (size_t n = 1; n <= 40; ++n) chars += yav::textRuns(view.markedLine(n * 100 % shown + 1)).size();
  }
  const double screenUs = std::chrono::duration<double, std::micro>(clock::now() - t2).count() / kRefreshes;

  std::printf("source file of %zu lines: open (find, read, markup, lines) %.2f ms, refresh after a stop %.3f ms, "
              "text runs of a 40-line screen %.1f us (%zu runs each)\n",
              shown, openMs / kOpens, refreshMs, screenUs, chars / kRefreshes);
  std::filesystem::remove_all(dir);
  return 0;
}
