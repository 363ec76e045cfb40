// The variable browsers, the locals and globals windows, the monitor window and the aggregate
// windows: a tree view drawing a VariableWindowModel, with the window's own menu, the node
// popups and the update dialog. VariableWindows holds what the frame keeps for them: one
// browser per kind, the aggregate windows and the data refresh.
#pragma once
#include <QDialog>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

#include "qt/view_window.h"
#include "ui/variable_window_model.h"

class QLineEdit;
class QMenu;
class QMenuBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace yav {

class VariableWindow : public ViewWindow {
  Q_OBJECT
 public:
  // A browser (630, 631, 632), the locals (335) or globals (336) window or the monitor window
  // (340).
  VariableWindow(ViewServices& services, uint16_t kind, LineLayout layout, QWidget* parent = nullptr);
  // An aggregate window on an evaluated struct, union or array.
  VariableWindow(ViewServices& services, const ValueRecord& value, char letter, QWidget* parent = nullptr);

  // Re-reads the tree on a refresh that concerns variables; an automatic aggregate window
  // whose expression is gone closes its host.
  void refresh(uint32_t viewBits) override;
  // 118 Save, 147 and 148 the Status items, 382..384 the line layout of a browser.
  bool windowCommand(uint16_t id) override;
  // A popup item on a node: formats 344..349 and 352, 350 update, the monitor extras.
  void popupCommand(VarNode& node, uint16_t id);

  VariableWindowModel& model() { return model_; }
  QTreeWidget* treeWidget() const { return tree_; }
  // The item drawing a node, or null.
  QTreeWidgetItem* itemOf(const VarNode& node) const;
  // The node an item draws (null for a "Dummy" placeholder).
  static VarNode* nodeOf(const QTreeWidgetItem* item);
  QString hostClass() const;
  // The popup resource of this window and its menu for a node.
  QMenu* popupMenu(VarNode& node);
  // The in-window menu bar, or null when the kind has none.
  QMenuBar* menuBar() const { return menuBar_; }

 private:
  void build();
  void buildMenu();
  void redraw();
  void sync(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<VarNode>>& nodes);
  void drawItem(QTreeWidgetItem* item, VarNode& node);
  void expanded(QTreeWidgetItem* item);
  void collapsed(QTreeWidgetItem* item);
  void updateDialog(VarNode& node);
  void save();
  void showStatus();

  VariableWindowModel model_;
  QTreeWidget* tree_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QMenu* statusMenu_ = nullptr;
  bool syncing_ = false;
};

// "WINVARUPDATE": the new value of a node's object, as an expression.
class VariableUpdateDialog : public QDialog {
  Q_OBJECT
 public:
  VariableUpdateDialog(const QString& expression, const QString& value, QWidget* parent = nullptr);
  QLineEdit* edit() const { return edit_; }
  // OK: an empty field keeps the dialog open.
  void accept() override;

 private:
  QLineEdit* edit_ = nullptr;
};

// "DATAFREQUENCY": the period of the data refresh in milliseconds.
class DataFrequencyDialog : public QDialog {
  Q_OBJECT
 public:
  DataFrequencyDialog(uint32_t period, QWidget* parent = nullptr);
  QLineEdit* edit() const { return edit_; }
  uint32_t period() const { return period_; }
  // OK: accepted only when the whole field is a number; otherwise a beep and the dialog stays.
  void accept() override;

 private:
  QLineEdit* edit_ = nullptr;
  uint32_t period_;
};

class VariableWindows : public QObject {
  Q_OBJECT
 public:
  explicit VariableWindows(ViewServices& services, QObject* parent = nullptr);

  // 630, 631, 632: a new browser of that kind for the frame to host, or null when one is open
  // (the command then does nothing). Closing the window frees its kind.
  VariableWindow* browserCommand(uint16_t id);
  // The kernel's aggregate hook: a new aggregate window for the frame to host; null for an
  // aggregate at address 0, reported as "Object <name> has NULL address".
  VariableWindow* aggregateWindow(const ValueRecord& value, char letter);

  // 214 "&Start": refused (beep) while the target runs; otherwise busy, a timer at the period
  // calling `refreshViews` with the in-refresh flag raised, events served until the Stop button
  // (id 1) raises the stop request; then the timer stops and busy is cleared.
  void startDataRefresh(const std::function<void()>& refreshViews);
  // 215 "&Frequency": the "DATAFREQUENCY" dialog.
  void frequencyDialog();
  uint32_t period() const { return period_; }
  bool inRefresh() const { return inRefresh_; }

 private:
  ViewServices& services_;
  BrowserKinds kinds_;
  uint32_t period_ = kDefaultRefreshPeriod;
  bool inRefresh_ = false;
};

// The creators of the single-instance rows (locals 335, globals 336, monitors 340).
ViewWindow* createLocalsWindow(ViewServices& services);
ViewWindow* createGlobalsWindow(ViewServices& services);
ViewWindow* createMonitorWindow(ViewServices& services);

}  // namespace yav
