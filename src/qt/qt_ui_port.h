// The kernel's port into the Qt frame: output to the command window, status bar, message
// boxes and questions, beeps, and pumping the event queue while a command runs.
#pragma once
#include <QObject>

#include "engine/kernel.h"
#include "engine/ui_port.h"

namespace yav {

class CommandWindowModel;
class FrameWindow;

class QtUiPort : public QObject, public UiPort {
  Q_OBJECT
 public:
  QtUiPort();
  ~QtUiPort() override;
  void attach(Kernel* k, FrameWindow* frame, CommandWindowModel* cmd);

  void output(std::string_view text) override;
  // While the target runs the frame is busy: it refuses Go, Step and the other run commands, and
  // the hourglass shows over it.
  void executionStarts() override;
  void executionEnds() override;
  // The place where execution stopped shows in the command window as the console prints it; the
  // source view shows it too, at its refresh.
  void showExecutionPoint(std::string_view place) override {
    output(place);
    output("\n");
  }
  void LeftStatus(std::string_view t) override { setStatus(0, t); }
  void MiddleStatus(std::string_view t) override { setStatus(1, t); }
  void RightStatus(std::string_view t) override { setStatus(2, t); }
  void WinStatGauge(bool on, uint32_t total) override;
  void WinStatGaugeAdd(uint32_t n) override;
  void CursorWait() override;
  void CursorStd() override;
  void messageBox(std::string_view title, std::string_view text, MsgIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  bool askText(std::string_view title, std::string_view prompt, std::string& answer) override;
  void beep() override;
  PumpResult pumpEvents() override;
  void waitKey() override;
  void showCommandWindow(bool show) override;
  void maximizeMain() override;
  void minimizeMain() override;
  void requestClose() override;
  SetupAnswer showTargetSetup() override;
  void targetMenuTitle(std::string_view title) override;
  void refreshViews(uint32_t viewBits) override;
  void showAggregate(const ValueRecord& value, char letter) override;
  bool hasAggregateWindow() const override { return frame_ != nullptr; }
  std::optional<WindowLayout> currentWindowLayout() override;
  void applyWindowLayout(const WindowLayout& layout, bool replaceMemoryWindows) override;

 protected:
  // Watches for Escape while something runs: it requests a stop.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setStatus(int field, std::string_view t);
  bool somethingRuns() const;

  Kernel* k_ = nullptr;
  FrameWindow* frame_ = nullptr;
  CommandWindowModel* cmd_ = nullptr;
  bool escapeSeen_ = false;
  bool waitingForKey_ = false;  // `pause` without a number: the next key press ends it
  bool keyPressed_ = false;
  int waitCursors_ = 0;
  bool busyCursor_ = false;
};

// Everything one Qt front-end run owns, built in dependency order.
struct QtSession {
  QtSession();
  ~QtSession();
  QtUiPort port;
  Kernel kernel{port};
  CommandWindowModel* cmd;
  FrameWindow* frame;
};

}  // namespace yav
