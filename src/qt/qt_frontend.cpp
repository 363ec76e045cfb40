#include "qt/qt_frontend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QThread>
#include <cstdlib>
#include <memory>

#include "qt/frame_window.h"
#include "qt/qt_ui_port.h"
#include "ui/command_window.h"
#include "ui/frame_settings.h"
#include "ui/layout_settings.h"
#include "ui/startup.h"
#include "ui/window_rects.h"

namespace yav {

namespace {

// The splash window: the program's name and version on a plain card.
std::unique_ptr<QSplashScreen> showSplash() {
  QPixmap card(420, 200);
  card.fill(QColor(0x20, 0x40, 0x70));
  QPainter p(&card);
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setPixelSize(44);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRect(0, 30, 420, 80), Qt::AlignCenter, "Yav");
  f.setPixelSize(14);
  f.setBold(false);
  p.setFont(f);
  p.drawText(QRect(0, 110, 420, 30), Qt::AlignCenter, "C source debugger for HC08 and HCS08");
  p.drawText(QRect(0, 140, 420, 30), Qt::AlignCenter, "Version " + QCoreApplication::applicationVersion());
  p.end();
  auto splash = std::make_unique<QSplashScreen>(card);
  splash->setObjectName("SPLASH");
  splash->show();
  QCoreApplication::processEvents();
  return splash;
}

ScreenMetrics screenMetrics(const QWidget& frame) {
  ScreenMetrics m;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize s = screen->availableSize();
    m.screenWidth = s.width();
    m.screenHeight = s.height();
  }
  m.clientWidth = frame.width();
  m.clientHeight = frame.height();
  m.captionHeight = 24;
  m.menuHeight = 22;
  return m;
}

void reopen(FrameWindow& frame, const std::vector<LayoutRestore>& windows) {
  for (const LayoutRestore& r : windows) {
    frame.command(r.showCommand);
    if (!r.minimise) continue;
    if (QWidget* host = frame.hostOfShowId(r.showCommand)) host->showMinimized();
  }
}

}  // namespace

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
  const FrameStartSettings settings = readFrameStartSettings();
  QElapsedTimer splashTime;
  splashTime.start();
  std::unique_ptr<QSplashScreen> splash;
  if (!opt.noSplash && !opt.minimized) splash = showSplash();

  QtSession session;
  FrameWindow& frame = *session.frame;
  const ScreenMetrics metrics = screenMetrics(frame);
  const WindowRects rects = readWindowRects(defaultWindowRects(metrics));
  frame.applyStartSettings(settings, rects);
  const FramePlacement place =
      framePlacement(rectOf(rects, SavedWindow::Frame), metrics.screenWidth, metrics.screenHeight, opt.minimized);
  frame.setGeometry(place.rect.left, place.rect.top, static_cast<int>(place.rect.width()),
                    static_cast<int>(place.rect.height()));
  if (opt.minimized) frame.showMinimized();
  else if (place.maximise) frame.showMaximized();
  else frame.show();
  frame.createMainSource();
  if (splash) {
    // The splash stays at least two seconds on the wall clock.
    while (splashTime.elapsed() < 2000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
      QThread::msleep(20);
    }
    splash->finish(&frame);
    splash.reset();
  }
  frame.startupDone();
  frame.loadKeyBindings();
  QApplication::instance()->installEventFilter(&frame);
  const LayoutStart layout = readLayout();
  frame.setSaveOnExit(layout.saveOnExit);
  reopen(frame, layout.endOfStartup);
  // A first start (no windows recorded) opens the command window, the debugger's own console.
  if (layout.endOfStartup.empty() && layout.afterConnect.empty()) frame.showCommandWindow(true);
  frame.applyStartArrangement(settings.arrangement);
  session.cmd->setAutoShow(settings.autoShowCommand);
  runStartup(session.kernel, opt, settings.startFile);
  reopen(frame, layout.afterConnect);
  session.cmd->ensurePrompt();
  int status = 0;
  if (!session.kernel.disp.quitting) status = app.exec();
  frame.saveAtShutdown();
  closeTarget(session.kernel);
  return status;
}

}  // namespace yav
