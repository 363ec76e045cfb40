#include "qt/qt_frontend.h"

#include <QApplication>
#include <QScreen>
#include <cstdlib>

#include "qt/frame_window.h"
#include "qt/qt_ui_port.h"
#include "target/connection.h"
#include "ui/command_window.h"
#include "ui/frame_settings.h"
#include "ui/startup.h"

namespace yav {

bool qtDisplayAvailable() {
  for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* v = std::getenv(var);
    if (v && *v) return true;
  }
  return false;
}

int runQtFrontEnd(int argc, char** argv, const StartOptions& opt) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Yav");
#ifdef YAV_VERSION_TEXT
  QApplication::setApplicationVersion(YAV_VERSION_TEXT);
#endif
  QtSession session;
  FrameWindow& frame = *session.frame;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize s = screen->availableSize();
    frame.resize(std::max(s.width() / 2, s.width() * 3 / 4), std::max(s.height() / 2, s.height() * 3 / 4));
  }
  if (opt.minimized) frame.showMinimized();
  else frame.show();
  frame.showCommandWindow(true);
  frame.startupDone();
  const FrameStartSettings settings = readFrameStartSettings();
  frame.applyStartArrangement(settings.arrangement);
  session.cmd->setAutoShow(settings.autoShowCommand);
  runStartup(session.kernel, opt);
  session.cmd->ensurePrompt();
  int status = 0;
  if (!session.kernel.disp.quitting) status = app.exec();
  target::shutdownTarget(session.kernel);
  return status;
}

}  // namespace yav
