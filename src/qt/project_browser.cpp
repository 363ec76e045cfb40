#include "qt/project_browser.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "engine/kernel.h"
#include "engine/output.h"
#include "qt/update_dialog.h"

namespace yav {

namespace {

// Items carry the path of child indexes from their tab's roots.
constexpr int kPathRole = Qt::UserRole;

QIcon imageIcon(TreeImage image) {
  QStyle* st = QApplication::style();
  switch (image) {
    case TreeImage::Folder: return st->standardIcon(QStyle::SP_DirIcon);
    case TreeImage::File: return st->standardIcon(QStyle::SP_FileIcon);
    case TreeImage::Function: return st->standardIcon(QStyle::SP_ArrowRight);
    case TreeImage::FunctionBook:
    case TreeImage::VariableBook: return st->standardIcon(QStyle::SP_FileDialogDetailedView);
    case TreeImage::Variable: break;
  }
  return {};
}

void addNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<TreeNode>& nodes, QList<QVariant> path) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    const TreeNode& n = nodes[i];
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, QString::fromStdString(n.text));
    item->setIcon(0, imageIcon(n.image));
    QList<QVariant> p = path;
    p.append(static_cast<int>(i));
    item->setData(0, kPathRole, p);
    addNodes(item, tree, n.children, p);
  }
}

// Runs a command line and returns what it printed (also left in the command window).
std::string runCaptured(ViewServices& s, const std::string& line) {
  Kernel& k = s.kernel();
  if (k.out.capture2.active) {
    s.runCommandLine(line);
    return {};
  }
  startCapture(k, 2);
  s.runCommandLine(line);
  std::string text = k.out.capture2.text;
  stopCapture(k, 2);
  if (!text.empty()) kout(k, text);
  return text;
}

}  // namespace

ProjectBrowser::ProjectBrowser(ViewServices& s, QWidget* parent) : ViewWindow(s, parent) {
  setObjectName("PHOSTWIN");
  setWindowTitle(QString::fromUtf8(kProjectBrowserTitle.data(), static_cast<int>(kProjectBrowserTitle.size())));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_);
  for (const ProjectTab& t : projectTree(*s.kernel().prog.program)) {
    auto* tree = new QTreeWidget(tabs_);
    tree->setObjectName("YAVTREE");
    tree->setHeaderLabel(QString::fromUtf8(t.treeTitle.data(), static_cast<int>(t.treeTitle.size())));
    tree->setFont(s.font("Browser_Font"));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* it) { open(it); });
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& pos) { contextMenu(tree, pos); });
    tabs_->addTab(tree, QString::fromUtf8(t.title.data(), static_cast<int>(t.title.size())));
    trees_.push_back(tree);
  }
  rebuild();
}

const SymbolTables& ProjectBrowser::tables() const { return services_.kernel().prog.program->tables; }

void ProjectBrowser::rebuild() {
  std::vector<ProjectTab> fresh = projectTree(*services_.kernel().prog.program);
  if (fresh == shown_) return;
  shown_ = std::move(fresh);
  for (size_t t = 0; t < trees_.size() && t < shown_.size(); ++t) {
    trees_[t]->clear();
    addNodes(nullptr, trees_[t], shown_[t].roots, {});
    if (trees_[t]->topLevelItemCount() == 1) trees_[t]->topLevelItem(0)->setExpanded(true);
  }
}

void ProjectBrowser::refresh(uint32_t viewBits) {
  if (viewBits == kViewAll) rebuild();
}

const TreeNode* ProjectBrowser::node(const QTreeWidgetItem* item) const {
  if (!item) return nullptr;
  const int tab = static_cast<int>(std::find(trees_.begin(), trees_.end(), item->treeWidget()) - trees_.begin());
  if (tab >= static_cast<int>(shown_.size())) return nullptr;
  const std::vector<TreeNode>* level = &shown_[static_cast<size_t>(tab)].roots;
  const TreeNode* n = nullptr;
  for (const QVariant& v : item->data(0, kPathRole).toList()) {
    const size_t i = static_cast<size_t>(v.toInt());
    if (i >= level->size()) return nullptr;
    n = &(*level)[i];
    level = &n->children;
  }
  return n;
}

void ProjectBrowser::open(const QTreeWidgetItem* item) {
  const TreeNode* n = node(item);
  if (!n) return;
  const SourcePlace p = nodePlace(tables(), *n);
  if (!p.file.empty()) services_.showSource(p.file, p.line);
}

void ProjectBrowser::contextMenu(QTreeWidget* tree, const QPoint& pos) {
  QTreeWidgetItem* item = tree->itemAt(pos);
  const TreeNode* n = node(item);
  if (!n || (n->kind != TreeNode::Kind::Function && n->kind != TreeNode::Kind::Variable)) return;
  const bool function = n->kind == TreeNode::Kind::Function;
  QMenu menu(this);
  menu.setObjectName(function ? "TFUNCPOPUP" : "TVARPOPUP");
  for (const TreePopupItem& p : function ? functionPopup() : variablePopup())
    menu.addAction(QString::fromUtf8(p.text.data(), static_cast<int>(p.text.size())))->setData(p.id);
  if (QAction* chosen = menu.exec(tree->viewport()->mapToGlobal(pos)))
    popupCommand(item, static_cast<uint16_t>(chosen->data().toUInt()));
}

void ProjectBrowser::popupCommand(const QTreeWidgetItem* item, uint16_t id) {
  const TreeNode* n = node(item);
  if (!n) return;
  const TreeAction a = n->kind == TreeNode::Kind::Function ? functionAction(tables(), *n, id)
                       : n->kind == TreeNode::Kind::Variable ? variableAction(tables(), *n, id)
                                                             : TreeAction{};
  Kernel& k = services_.kernel();
  switch (a.kind) {
    case TreeAction::Kind::None: services_.beep(); break;
    case TreeAction::Kind::Command: services_.runCommandLine(a.text); break;
    case TreeAction::Kind::Info: k.ui->messageBox("Info", a.text, MsgIcon::Info); break;
    case TreeAction::Kind::Show: services_.showSource(a.place.file, a.place.line); break;
    case TreeAction::Kind::Evaluate:
      if (const std::string text = runCaptured(services_, a.text); !text.empty())
        k.ui->messageBox("Evaluate", text, MsgIcon::Info);
      break;
    case TreeAction::Kind::Update:
      if (const std::string line = askUpdate(services_, UpdateDialog::Kind::Variable, a.text, "", this); !line.empty())
        services_.runCommandLine(line);
      break;
  }
}

ViewWindow* createProjectBrowser(ViewServices& s) { return new ProjectBrowser(s); }

}  // namespace yav
