// The MDI frame "YAV": menu bar built from the menu table, MDI client, status bar, and the
// command window. Every menu item sends its command id to command().
#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "engine/kernel.h"
#include "engine/window_layout.h"
#include "qt/command_edit.h"
#include "qt/preferences.h"
#include "ui/key_bindings.h"
#include "ui/window_rects.h"
#include "ui/config_save.h"
#include "ui/frame_settings.h"
#include "ui/layout_settings.h"
#include "ui/memory_window_spec.h"
#include "ui/menu_key_texts.h"
#include "qt/host_window.h"
#include "qt/view_window.h"
#include "ui/command_window.h"
#include "ui/frame_menu.h"

class QMdiArea;
class QMenu;
class QToolBar;

namespace yav {

class FrameStatusBar;

class FrameWindow : public QMainWindow, public CommandWindowListener, public ViewServices {
  Q_OBJECT
 public:
  FrameWindow(Kernel& k, CommandWindowModel& cmd);
  ~FrameWindow() override;

  // The frame command entry: menu items, toolbar buttons and internal callers.
  void command(uint16_t id);

  // The first action carrying this command id (menus are searched before the toolbar).
  QAction* action(uint16_t id) const;
  FrameStatusBar* frameStatusBar() const { return status_; }
  QMdiArea* mdiArea() const { return mdi_; }
  CommandEdit* commandEdit() const { return cmdEdit_; }

  void showCommandWindow(bool show);
  bool commandWindowShown() const { return cmdHost_ != nullptr; }

  // Called once start-up has finished (enables what waits for it).
  void startupDone();

  // The arrangement read from the settings at start: tiling and free are applied as the
  // Windows menu would; cascade only sets the mode.
  void applyStartArrangement(uint16_t mode);
  uint16_t arrangement() const { return arrangement_; }

  // The Target menu (sixth top-level item), whose title names the selected chip.
  QMenu* targetMenu() const { return targetMenu_; }
  // The target layer's Setup dialog (true: OK) and the Target menu's title.
  bool runTargetSetup();
  void setTargetMenuTitle(std::string_view title);

  // A close request that came while busy, held back for the running command.
  bool takeHeldBackClose();

  // Views. A single-instance view is known by its Show command (310, 320 ...).
  ViewWindow* view(uint16_t showId) const;
  void showView(uint16_t showId, bool show);
  // Hosts a view in a new MDI child; `rect` in MDI-area coordinates (empty: the frame decides).
  HostWindow* hostView(ViewWindow* view, std::string_view hostClass, std::string_view title, const QRect& rect = {});
  // Every open view: the MDI children's and the docked project browser.
  std::vector<ViewWindow*> openViews() const;
  // The main source window, created once at start-up at its saved rectangle.
  void createMainSource();
  ViewWindow* mainSource() const { return mainSource_.data(); }
  QWidget* mainSourceHost() const;
  // The host of a single-instance view or of the command window (300); null when closed.
  QWidget* hostOfShowId(uint16_t showId) const;
  // The kernel's aggregate window: a tree of the value, hosted as "MONHOST".
  void showAggregate(const ValueRecord& value, char letter);
  // The docked project browser (301).
  ViewWindow* projectBrowser() const { return projectBrowser_.data(); }
  // The kernel asked for a refresh: collected and carried out once, when no command runs.
  void scheduleRefresh(uint32_t viewBits);
  // Refreshes every open view now with the collected bits.
  void refreshViews();

  // Session and layout files: the windows as the file stores them, and applying a file's layout.
  WindowLayout windowLayout() const;
  void applyWindowLayout(const WindowLayout& layout, bool replaceMemoryWindows);

  // Tests answer modal dialogs and file dialogs here instead of a user.
  std::function<int(QDialog&)> onModalDialog;
  std::function<std::string(std::string_view title)> onFileDialog;

  // ViewServices
  Kernel& kernel() override { return k_; }
  void runCommandLine(const std::string& line) override;
  void frameCommand(uint16_t id) override { command(id); }
  QColor colour(std::string_view key) const override;
  QFont font(std::string_view key) const override;
  bool syntaxColouring() const override { return syntaxColouring_; }
  bool showAddresses() const override { return showAddresses_; }
  void showSource(const std::string& file, int line) override;
  std::string saveFileName(std::string_view title, std::string_view filter, std::string_view defaultExtension) override;
  std::string openFileName(std::string_view title, std::string_view filter) override;
  int execDialog(QDialog& dialog) override;
  void beep() override;

  // Settings read at start: load mode, formats, colours, fonts, window rectangles, bindings.
  void applyStartSettings(const FrameStartSettings& settings, const WindowRects& rects);
  // The function-key bindings from the settings file, shown in the menu texts.
  void loadKeyBindings();
  const KeyBindings& keyBindings() const { return bindings_; }
  // What the configuration save writes, as the frame stands now; and the save itself.
  ConfigSnapshot configurationSnapshot() const;
  void saveConfigurationNow();
  // The shutdown part that follows the message loop: configuration (when save-on-exit is on)
  // and key bindings.
  void saveAtShutdown();
  bool saveOnExit() const { return saveOnExit_; }
  void setSaveOnExit(bool on);
  uint16_t variableFormat() const { return varFormat_; }
  const WindowRects& windowRects() const { return rects_; }

  // CommandWindowListener
  void spliced(size_t pos, size_t removed, std::string_view inserted) override;
  void caretMoved() override;
  void showRequested() override { showCommandWindow(true); }
  void activateRequested() override;

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void addEntries(QMenu* menu, const std::vector<MenuNode>& entries);
  QAction* makeAction(const QString& text, uint16_t id, QObject* parent);
  void buildToolbar();
  void setChecked(uint16_t id, bool on);
  void arrange(uint16_t mode);
  void aboutBox();
  void commandFileDialog(bool input);
  void commandHostClosing();
  void targetCommand(uint16_t id);
  void showTargetMenuTitle();
  void toggleView(uint16_t showId);
  void viewClosed(uint16_t showId);
  bool commandRunning() const;
  // Hooks a new view up to the frame's dialogs (event editor, path editor, memory windows).
  void connectView(ViewWindow* v);
  void editEvent(int number);
  void openListWindow(uint16_t id);
  void toggleProjectBrowser();
  bool activeViewCommand(uint16_t id);
  std::vector<MemoryWindowRecord> memoryWindowRecords() const;
  void replaceMemoryWindowsWith(const std::vector<MemoryWindowRecord>& records);
  void sessionDialogCommand(uint16_t id);
  // The saved rectangle of a view kind's settings section, in MDI-area coordinates.
  QRect savedViewRect(std::string_view section) const;
  // Setup menu: fonts, colours, formats, load mode, key bindings.
  void chooseFont(uint16_t id);
  void chooseColour(uint16_t id);
  void setIntFormat(uint16_t id);
  void setVarFormat(uint16_t id);
  void setLoadMode(uint16_t id);
  void keyBindDialog();
  void applyMenuTextChanges(const std::vector<MenuTextChange>& changes);
  std::string menuText(uint16_t id) const;
  MenuTextLookup menuLookup() const;
  // File menu: the load dialog, the recent files shown while the menu is open.
  void loadDialog(uint16_t id);
  void loadFile(const std::string& file, bool start);
  void showRecentFiles();
  void hideRecentFiles();
  LayoutSnapshot layoutSnapshot() const;
  void rememberWindowRects();

  Kernel& k_;
  CommandWindowModel& cmd_;
  QMdiArea* mdi_ = nullptr;
  FrameStatusBar* status_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QMenu* targetMenu_ = nullptr;
  QPointer<HostWindow> cmdHost_;
  std::map<uint16_t, QPointer<ViewWindow>> singleViews_;
  QPointer<ViewWindow> mainSource_;
  QPointer<ViewWindow> projectBrowser_;
  class QDockWidget* projectDock_ = nullptr;
  MemoryConfig lastMemory_;
  class VariableWindows* vars_ = nullptr;
  size_t monitorsSeen_ = 0;
  uint32_t pendingRefresh_ = 0;
  bool refreshQueued_ = false;
  Preferences prefs_;
  KeyBindings bindings_ = defaultKeyBindings();
  WindowRects rects_{};
  bool saveOnExit_ = true;
  bool symbolsOnly_ = false;
  uint16_t varFormat_ = 634;
  QMenu* fileMenu_ = nullptr;
  std::vector<QAction*> recentItems_;
  bool syntaxColouring_ = true;
  bool showAddresses_ = true;
  CommandEdit* cmdEdit_ = nullptr;
  QRect savedCommandRect_;
  std::multimap<uint16_t, QAction*> actions_;
  uint16_t arrangement_ = 190;
  bool closeHeldBack_ = false;
  QString lastCommandDir_[2];
};

}  // namespace yav
