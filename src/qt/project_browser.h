// The project browser ("PHOSTWIN", "Project Browser"): a tab widget with the "Files",
// "Functions" and "Variables" trees ("YAVTREE"). A double click on a file or function opens its
// source; a right click on a function or variable opens "TFUNCPOPUP" or "TVARPOPUP". The frame
// docks it at its left edge.
#pragma once
#include <cstdint>
#include <vector>

#include "qt/view_window.h"
#include "ui/project_tree.h"

class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace yav {

class ProjectBrowser : public ViewWindow {
 public:
  explicit ProjectBrowser(ViewServices& s, QWidget* parent = nullptr);
  // Rebuilds the trees when the program's symbols changed (a load).
  void refresh(uint32_t viewBits) override;

  QTabWidget* tabs() const { return tabs_; }
  QTreeWidget* tree(int tab) const { return trees_[static_cast<size_t>(tab)]; }
  // The node an item shows; null for none.
  const TreeNode* node(const QTreeWidgetItem* item) const;
  // Carries out a popup item on the node of `item`.
  void popupCommand(const QTreeWidgetItem* item, uint16_t id);
  void open(const QTreeWidgetItem* item);

 private:
  void rebuild();
  void contextMenu(QTreeWidget* tree, const QPoint& pos);
  const SymbolTables& tables() const;
  QTabWidget* tabs_;
  std::vector<QTreeWidget*> trees_;
  std::vector<ProjectTab> shown_;
};

// The project browser for the frame's 301 (the frame docks and toggles it).
ViewWindow* createProjectBrowser(ViewServices& s);

}  // namespace yav
