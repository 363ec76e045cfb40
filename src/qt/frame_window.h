// The MDI frame "YAV": menu bar built from the menu table, MDI client, status bar, and the
// command window. Every menu item sends its command id to command().
#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <map>
#include <vector>

#include "engine/kernel.h"
#include "qt/command_edit.h"
#include "ui/command_window.h"
#include "ui/frame_menu.h"

class QMdiArea;
class QMenu;
class QToolBar;

namespace yav {

class FrameStatusBar;

class FrameWindow : public QMainWindow, public CommandWindowListener {
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

  // CommandWindowListener
  void spliced(size_t pos, size_t removed, std::string_view inserted) override;
  void caretMoved() override;
  void showRequested() override { showCommandWindow(true); }
  void activateRequested() override;

 protected:
  void closeEvent(QCloseEvent* e) override;

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

  Kernel& k_;
  CommandWindowModel& cmd_;
  QMdiArea* mdi_ = nullptr;
  FrameStatusBar* status_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QMenu* targetMenu_ = nullptr;
  QPointer<CommandHost> cmdHost_;
  CommandEdit* cmdEdit_ = nullptr;
  QRect savedCommandRect_;
  std::multimap<uint16_t, QAction*> actions_;
  uint16_t arrangement_ = 190;
  bool closeHeldBack_ = false;
  QString lastCommandDir_[2];
};

}  // namespace yav
