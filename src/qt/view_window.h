// What a debugging view asks of the frame it lives in, and what the frame asks of a view.
// A view is the content of one MDI host window; its logic lives in a model under src/ui that
// the view refreshes once per stop, keeping the previous values so that changes are marked.
#pragma once
#include <QColor>
#include <QFont>
#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

class QDialog;

namespace yav {

struct Kernel;

class ViewServices {
 public:
  virtual ~ViewServices() = default;

  virtual Kernel& kernel() = 0;

  // A command line from a user action (mouse, popup, dialog): beeps and does nothing while the
  // frame is busy; otherwise runs it through the dispatcher as the user's line, its output goes
  // to the command window, and the views refresh afterwards.
  virtual void runCommandLine(const std::string& line) = 0;

  // Sends a frame command id exactly as its menu item would.
  virtual void frameCommand(uint16_t id) = 0;

  // Colours of the settings file's `Colors` section by key ("BkptOn", "BkptOff", "Source",
  // "Instruction", "Assembler", "C_Keyword", "C_Library", "Comments", "Memory",
  // "Assembler_Mnemonics", "Preprocessor", "Defines", "Typedefs", "Search").
  virtual QColor colour(std::string_view key) const = 0;
  // Fonts of the settings file's `Fonts` section by key ("Source_Font", "Assembler_Font",
  // "Register_Font", "Stack_Font", "Memory_Font", "Monitor_Font", "Browser_Font",
  // "Command_Font").
  virtual QFont font(std::string_view key) const = 0;
  // Syntax colouring on (Show / Syntax Coloring, 10000) and addresses in source views (10014).
  virtual bool syntaxColouring() const = 0;
  virtual bool showAddresses() const = 0;

  // Opens (or raises) a source view of the file and shows the line (0: keep the position).
  virtual void showSource(const std::string& file, int line) = 0;

  // File dialogs: the chosen path, empty when cancelled. `filter` as "Dump Files(*.mem)".
  virtual std::string saveFileName(std::string_view title, std::string_view filter,
                                   std::string_view defaultExtension) = 0;
  virtual std::string openFileName(std::string_view title, std::string_view filter) = 0;

  // Runs a modal dialog and returns its result (tests answer dialogs through the frame).
  virtual int execDialog(QDialog& dialog) = 0;

  virtual void beep() = 0;
};

// The content of a host window. The frame creates it, hosts it in the MDI area and calls
// refresh() once per stop (and after commands that change state).
class ViewWindow : public QWidget {
 public:
  explicit ViewWindow(ViewServices& services, QWidget* parent = nullptr) : QWidget(parent), services_(services) {}

  // Re-reads what the view shows and repaints. `viewBits` are the kernel's ViewBits.
  virtual void refresh(uint32_t viewBits) = 0;

  // A frame command addressed to the active view (118..121 from the frame, or the items of
  // the view's own menu). False when the view has no such command.
  virtual bool windowCommand(uint16_t /*id*/) { return false; }

 protected:
  ViewServices& services_;
};

}  // namespace yav
