// The one interface through which the kernel reaches a front-end (Qt window, terminal,
// batch run or a test fake). Nothing in the kernel calls a windowing or terminal API directly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/window_layout.h"

namespace yav {

enum class MsgIcon { Error, Info, Warning, Question };

// Views the kernel asks the front-end to refresh, one bit each, sent in one batch per stop.
enum ViewBits : uint32_t {
  kViewSource = 1u << 0,
  kViewRegisters = 1u << 1,
  kViewMemory = 1u << 2,
  kViewVariables = 1u << 3,
  kViewStack = 1u << 4,
  kViewAll = 0x1F,
};

// What pumping the pending front-end events found.
struct PumpResult {
  bool stop = false;          // Escape, Ctrl-C or the Stop button
  bool closeRequested = false;  // a close request for the main window (held back by the caller)
};

struct ValueRecord;
struct StopRecord;

class UiPort {
 public:
  virtual ~UiPort() = default;

  // Kernel output, already routed past the capture buffers (the command window's text).
  virtual void output(std::string_view text) = 0;

  // Status bar fields and progress gauge.
  virtual void LeftStatus(std::string_view) {}
  virtual void MiddleStatus(std::string_view) {}
  virtual void RightStatus(std::string_view) {}
  virtual void WinStatGauge(bool /*on*/, uint32_t /*total*/) {}
  virtual void WinStatGaugeAdd(uint32_t /*n*/) {}
  virtual void CursorWait() {}
  virtual void CursorStd() {}

  // Task-modal message box and yes/no question.
  virtual void messageBox(std::string_view title, std::string_view text, MsgIcon icon) = 0;
  virtual bool askYesNo(std::string_view title, std::string_view text) = 0;
  // A one-line text prompt; returns false when the user cancels.
  virtual bool askText(std::string_view /*title*/, std::string_view /*prompt*/, std::string& /*answer*/) {
    return false;
  }
  virtual void beep() {}

  // Views to refresh after a command changed state or the target stopped.
  virtual void refreshViews(uint32_t /*viewBits*/) {}

  // Serve pending window/terminal events between commands and steps.
  virtual PumpResult pumpEvents() { return {}; }
  // Waits until the user presses a key (`pause`); a front-end without keys returns at once.
  virtual void waitKey() {}

  // Window-level actions some commands ask for.
  virtual void showCommandWindow(bool /*show*/) {}
  virtual void maximizeMain() {}
  virtual void minimizeMain() {}
  virtual void requestClose() {}

  // The aggregate evaluation window: shows a struct, union or array value with a display letter.
  virtual void showAggregate(const ValueRecord& /*value*/, char /*letter*/) {}
  // True when showAggregate opens a window; otherwise the kernel prints aggregates as text.
  virtual bool hasAggregateWindow() const { return false; }
  // The stack window; false when the front-end has none (the kernel then prints the frames).
  virtual bool showStackWindow() { return false; }
  // Switches the source view to its disassembly form.
  virtual void showDisassembly() {}
  // The source view shows where execution stands: `place` is "FILE:LINE: source text" (or the
  // disassembly line outside the source). Front-ends without a source view print it.
  virtual void showExecutionPoint(std::string_view /*place*/) {}
  // A run of the target ended: the one record of why and where, after the views were refreshed.
  virtual void executionStopped(const StopRecord& /*stop*/) {}
  // Bytes the program wrote to its console port. A front-end that shows them apart from the
  // debugger's own messages takes them and returns true; otherwise the kernel prints them.
  virtual bool programOutput(std::string_view /*text*/) { return false; }
  // Execution starts and ends: the frame greys and enables its run buttons.
  virtual void executionStarts() {}
  virtual void executionEnds() {}
  // Enables or greys a menu item or toolbar button by command id.
  virtual void enableCommand(uint16_t /*id*/, bool /*enabled*/) {}

  // The target layer's dialogs and menu. The Setup dialog: `NoDialog` when the front-end has
  // none (the current settings are used), else whether the user pressed OK.
  enum class SetupAnswer { NoDialog, Ok, Cancel };
  virtual SetupAnswer showTargetSetup() { return SetupAnswer::NoDialog; }
  // The Target menu's title changed ("&Target (" chip ")").
  virtual void targetMenuTitle(std::string_view /*title*/) {}
  // Opens the register and disassembly windows as the saved layout asks, once connected.
  virtual void restoreTargetWindows() {}

  // Session and layout files. The windows as they stand now, for saving: the arrangement, the
  // frame, the main source window, each standard window Open with its rectangle or Closed, and
  // the memory windows (real-time ones left out) in the order of the children. A front-end
  // without windows has none to report.
  virtual std::optional<WindowLayout> currentWindowLayout() { return std::nullopt; }
  // Applies a layout read from a file, in this order: the arrangement (191..193 arrange the
  // children as those commands do; 190 only sets the mode, nothing moves), the frame, the main
  // source window, then each standard window (Open: shown if closed, then moved when a rectangle
  // is given; Closed: closed if open; Unchanged: left alone). With `replaceMemoryWindows` (a
  // session) every memory window is closed and one is made per record of `layout.memory`.
  virtual void applyWindowLayout(const WindowLayout& /*layout*/, bool /*replaceMemoryWindows*/) {}
};

}  // namespace yav
