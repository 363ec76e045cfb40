// The variable browsers, the locals and globals windows, the monitor window and the aggregate
// windows without their windows: what each kind shows, when it is rebuilt or only re-read, its
// Status menu, the popup commands on a node and the saved text.
#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "engine/kernel.h"
#include "model/value.h"
#include "ui/variable_tree.h"

namespace yav {

// Window kinds, by the command that opens them (0 for an aggregate window).
enum VarWindowKind : uint16_t {
  kVarAggregate = 0,
  kVarLocals = 335,
  kVarGlobals = 336,
  kVarMonitors = 340,
  kVarCurrentFunction = 630,
  kVarCurrentFile = 631,
  kVarApplication = 632,
};

// Commands of the windows' own menus and of the monitor popup.
enum VarWindowCommand : uint16_t {
  kVarSave = 118,
  kVarAutoRefresh = 147,
  kVarFrozen = 148,
  kMonAddressOf = 341,
  kMonDelete = 342,
  kMonAddressHex = 343,
  kMonDeleteAll = 353,
  kVarBriefLines = 382,   // the browser's lines: brief, standard, full
  kVarStandardLines = 383,
  kVarFullLines = 384,
};

// Names and texts of one window kind.
struct VarWindowClass {
  uint16_t kind;
  std::string_view title;         // empty for aggregates (their title is the expression)
  std::string_view hostClass;
  std::string_view contentClass;
  std::string_view treeClass;
  std::string_view menu;          // in-window menu resource, empty when none
  bool hasSave, hasStatus;        // the menu's "Save" item and "Status" submenu
  std::string_view autoWord, frozenWord;  // the Status items (147, 148)
  std::string_view popup;         // node popup resource
  bool fullNames;                 // variables named with their function or file
};
const VarWindowClass& varWindowClass(uint16_t kind);

class VariableWindowModel {
 public:
  // A browser, the locals or globals window or the monitor window, filled at once.
  VariableWindowModel(Kernel& k, uint16_t kind, LineLayout layout = LineLayout::Standard);
  // An aggregate window on an evaluated struct, union or array, expanded one level.
  VariableWindowModel(Kernel& k, const ValueRecord& value, char letter);

  uint16_t kind() const { return class_->kind; }
  const VarWindowClass& windowClass() const { return *class_; }
  std::string title() const;
  VariableTree& tree() { return tree_; }
  const VariableTree& tree() const { return tree_; }

  // Status: 1 "Auto Refresh" (or "Auto Remove"), 0 "Frozen".
  bool autoRefresh() const { return status_; }
  std::string_view statusWord() const { return status_ ? class_->autoWord : class_->frozenWord; }
  // 147 and 148 set the status; false for other ids.
  bool statusCommand(uint16_t id);
  // 382, 383, 384 lay the lines of a browser, locals or globals window out brief, standard or
  // full; false for other ids and for the monitor and aggregate windows.
  bool layoutCommand(uint16_t id);

  // Refresh after a stop or a command: nothing while frozen; a browser built for another
  // function and frame (630, 335), another file (631) or another program is rebuilt, else its
  // values are re-read in place. Returns true when the contents were rebuilt.
  bool refresh();
  // An automatic aggregate window whose expression no longer evaluates asks to be closed.
  bool closeWanted() const { return closeWanted_; }

  // Popup: the format items (344..349, 352) set the node's format; false for other ids.
  bool formatCommand(VarNode& n, uint16_t id);
  // The command line that writes a new value to a node's object ("update" through the kernel).
  static std::string updateCommandLine(const VarNode& n, std::string_view value);
  // The command lines of the monitor popup extras (341, 342, 343, 353); empty for other ids or
  // when the node's monitor is gone.
  std::string monitorCommandLine(const VarNode& n, uint16_t id) const;

  // "Save": the file's text, and writing it ("Can't write " and the name in an "Error" box).
  std::string saveText() const;
  bool save(const std::string& path) const;
  std::string_view saveTitle() const;
  std::string_view saveFilter() const;
  std::string_view saveExtension() const;

 private:
  struct Context {
    const void* program = nullptr;
    std::string file, function;
    size_t level = 0;
    bool operator==(const Context&) const = default;
  };
  Context currentContext() const;
  void rebuild();
  void syncMonitors();

  Kernel& k_;
  const VarWindowClass* class_;
  VariableTree tree_;
  bool status_ = true;
  std::optional<Context> builtFor_;
  bool closeWanted_ = false;
};

// The browser kinds open at a time: one window per kind 630, 631, 632.
class BrowserKinds {
 public:
  // True when no window of the kind was open (it now is); false: the command does nothing.
  bool open(uint16_t kind) { return open_.insert(kind).second; }
  void closed(uint16_t kind) { open_.erase(kind); }
  bool isOpen(uint16_t kind) const { return open_.count(kind) != 0; }

 private:
  std::set<uint16_t> open_;
};

// The layout of new browser lines from key `VarFormat` of section `Load` (written by commands
// 633..635): a value beginning with B brief, with F full, else standard.
LineLayout layoutFromSetting();

// Data refresh: the period of the timer (ms) and the "DATAFREQUENCY" dialog's check.
inline constexpr uint32_t kDefaultRefreshPeriod = 1000;
// The period the text gives: the whole text one C number (0x.., 0.., 0b.. or decimal) above 0;
// nothing for an empty text, trailing characters, a sign or zero.
std::optional<uint32_t> parseRefreshPeriod(std::string_view text);

}  // namespace yav
