// Refreshing every open view of the frame after a stop, on the demo on the simulated board:
// views_bench [STOPS]   (default 200)
// The frame runs offscreen with the main source window, disassembly, registers, stack, locals,
// globals, monitors (three monitors, one a struct) and a data memory window open. Each round
// steps one instruction (not timed), then times the frame's refresh of all views, painting
// included. Prints the median and the slowest refresh.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "engine/ui_port.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "qt/frame_window.h"
#include "qt/qt_ui_port.h"
#include "target/chip_target.h"
#include "target/connection.h"

int main(int argc, char** argv) {
  using namespace yav;
  const int stops = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("yav-views-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  setenv("YAV_INI", (dir / "YAVKT55R.INI").c_str(), 1);
  platform::iniSet("OPTIONS", "RESETONCONNECT", "NO");

  QApplication app(argc, argv);
  auto session = std::make_unique<QtSession>();
  FrameWindow& frame = *session->frame;
  frame.resize(1400, 900);
  frame.show();
  target::targetState(session->kernel).libraryFolder = platform::programFolder();
  const std::filesystem::path demo = std::filesystem::path(platform::programFolder()) / "examples/demo";
  if (!target::connectTarget(session->kernel) || !std::filesystem::exists(demo / "demo.s08")) {
    std::fprintf(stderr, "views_bench: the simulated board or the demo program is missing\n");
    return 1;
  }
  frame.runCommandLine("path \"" + demo.string() + "\"");
  frame.runCommandLine("load " + (demo / "demo.s08").string());
  frame.createMainSource();
  frame.runCommandLine("go shapes.c:36");
  for (const char* m : {"monit count", "monit shapes[1]", "monit table"}) frame.runCommandLine(m);
  for (uint16_t id : {320, 310, 330, 335, 336, 340}) frame.command(id);
  frame.onModalDialog = [](QDialog& d) {
    if (auto* e = d.findChild<QLineEdit*>("Address")) e->setText("data:table");
    return static_cast<int>(QDialog::Accepted);
  };
  frame.command(360);
  QApplication::processEvents();

  std::vector<double> ms;
  ms.reserve(static_cast<size_t>(stops));
  for (int i = 0; i < stops; ++i) {
    frame.runCommandLine("si");
    QApplication::processEvents();
    const auto t0 = std::chrono::steady_clock::now();
    frame.scheduleRefresh(kViewAll);
    frame.refreshViews();
    for (QWidget* w : frame.findChildren<QWidget*>()) w->repaint();
    const auto t1 = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  if (std::getenv("VIEWS_BENCH_LIST"))
    for (ViewWindow* v : frame.openViews()) std::fprintf(stderr, "%s %s\n", v->objectName().toStdString().c_str(), v->parentWidget() ? v->parentWidget()->objectName().toStdString().c_str() : "-");
  std::sort(ms.begin(), ms.end());
  std::printf("views_bench: %zu open views, %d stops: refresh of all views median %.2f ms, slowest %.2f ms\n",
              frame.openViews().size(), stops, ms[ms.size() / 2], ms.back());
  session.reset();
  std::filesystem::remove_all(dir);
  return 0;
}
