#include "qt/qt_ui_port.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>

#include "qt/frame_window.h"
#include "qt/status_bar.h"
#include "ui/command_window.h"

namespace yav {

namespace {
QString qstr(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::Icon boxIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error:
      return QMessageBox::Critical;
    case MsgIcon::Info:
      return QMessageBox::Information;
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

QtUiPort::QtUiPort() {
  if (qApp) qApp->installEventFilter(this);
}

QtUiPort::~QtUiPort() {
  if (qApp) qApp->removeEventFilter(this);
  while (waitCursors_-- > 0) QApplication::restoreOverrideCursor();
}

void QtUiPort::attach(Kernel* k, FrameWindow* frame, CommandWindowModel* cmd) {
  k_ = k;
  frame_ = frame;
  cmd_ = cmd;
}

void QtUiPort::output(std::string_view text) {
  if (cmd_) cmd_->output(text);
}

void QtUiPort::setStatus(int field, std::string_view t) {
  if (frame_) frame_->frameStatusBar()->setField(field, qstr(t));
}

void QtUiPort::WinStatGauge(bool on, uint32_t total) {
  if (frame_) frame_->frameStatusBar()->gauge(on, total);
}

void QtUiPort::WinStatGaugeAdd(uint32_t n) {
  if (frame_) frame_->frameStatusBar()->gaugeAdd(n);
}

void QtUiPort::executionStarts() {
  if (k_) k_->exec.busy = true;
  if (!busyCursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
  busyCursor_ = true;
}

void QtUiPort::executionEnds() {
  if (k_) k_->exec.busy = false;
  if (busyCursor_) QApplication::restoreOverrideCursor();
  busyCursor_ = false;
}

void QtUiPort::CursorWait() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++waitCursors_;
}

void QtUiPort::CursorStd() {
  if (waitCursors_ == 0) return;
  --waitCursors_;
  QApplication::restoreOverrideCursor();
}

void QtUiPort::messageBox(std::string_view title, std::string_view text, MsgIcon icon) {
  QMessageBox box(boxIcon(icon), qstr(title), qstr(text), QMessageBox::Ok, frame_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

bool QtUiPort::askYesNo(std::string_view title, std::string_view text) {
  return QMessageBox::question(frame_, qstr(title), qstr(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool QtUiPort::askText(std::string_view title, std::string_view prompt, std::string& answer) {
  bool ok = false;
  QString text = QInputDialog::getText(frame_, qstr(title), qstr(prompt), QLineEdit::Normal, qstr(answer), &ok);
  if (ok) answer = text.toLatin1().toStdString();
  return ok;
}

void QtUiPort::beep() { QApplication::beep(); }

std::optional<WindowLayout> QtUiPort::currentWindowLayout() {
  if (!frame_) return std::nullopt;
  return frame_->windowLayout();
}

void QtUiPort::applyWindowLayout(const WindowLayout& layout, bool replaceMemoryWindows) {
  if (frame_) frame_->applyWindowLayout(layout, replaceMemoryWindows);
}

void QtUiPort::showAggregate(const ValueRecord& value, char letter) {
  if (frame_) frame_->showAggregate(value, letter);
}

void QtUiPort::refreshViews(uint32_t viewBits) {
  if (frame_) frame_->scheduleRefresh(viewBits);
}

bool QtUiPort::somethingRuns() const {
  return k_ && (k_->exec.busy || k_->exec.running || k_->cmdfile.depth > 0 || (cmd_ && cmd_->typedCommand()));
}

PumpResult QtUiPort::pumpEvents() {
  QCoreApplication::processEvents();
  PumpResult r;
  r.stop = escapeSeen_;
  escapeSeen_ = false;
  if (r.stop && k_) k_->exec.stopreq = true;
  r.closeRequested = frame_ && frame_->takeHeldBackClose();
  return r;
}

void QtUiPort::waitKey() {
  if (!frame_) return;
  waitingForKey_ = true;
  keyPressed_ = false;
  while (!keyPressed_ && frame_ && frame_->isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  waitingForKey_ = false;
}

bool QtUiPort::eventFilter(QObject* watched, QEvent* event) {
  if (waitingForKey_ && event->type() == QEvent::KeyPress) {
    keyPressed_ = true;
    return true;
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      somethingRuns()) {
    escapeSeen_ = true;
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void QtUiPort::showCommandWindow(bool show) {
  if (frame_) frame_->showCommandWindow(show);
}

void QtUiPort::maximizeMain() {
  if (frame_) frame_->showMaximized();
}

void QtUiPort::minimizeMain() {
  if (frame_) frame_->showMinimized();
}

void QtUiPort::requestClose() {
  if (frame_) QMetaObject::invokeMethod(frame_, "close", Qt::QueuedConnection);
}

QtSession::QtSession() : cmd(new CommandWindowModel(kernel)), frame(new FrameWindow(kernel, *cmd)) {
  port.attach(&kernel, frame, cmd);
}

QtSession::~QtSession() {
  port.attach(&kernel, nullptr, nullptr);
  delete frame;
  delete cmd;
}

UiPort::SetupAnswer QtUiPort::showTargetSetup() {
  if (!frame_) return SetupAnswer::NoDialog;
  return frame_->runTargetSetup() ? SetupAnswer::Ok : SetupAnswer::Cancel;
}

void QtUiPort::targetMenuTitle(std::string_view title) {
  if (frame_) frame_->setTargetMenuTitle(title);
}

}  // namespace yav
