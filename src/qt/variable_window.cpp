#include "qt/variable_window.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/kernel.h"

namespace yav {

namespace {

// Values that changed since the last stop are drawn in this colour.
const QColor kChangedColour(Qt::red);

struct MenuItem {
  uint16_t id;
  const char* text;
};

// The format and update items shared by every node popup, then the monitor popup's extras.
constexpr std::array<MenuItem, 8> kDataPopup = {{
    {344, "&Character"},
    {345, "&Octal"},
    {346, "&Decimal"},
    {347, "&Unsigned"},
    {348, "&Hexadecimal"},
    {kPopupFormatString, "&String"},
    {352, "&Binary"},
    {kPopupUpdate, "&Update"},
}};
constexpr std::array<MenuItem, 4> kMonitorPopupExtras = {{
    {kMonAddressOf, "Address &of"},
    {kMonDelete, "&Delete"},
    {kMonAddressHex, "&Address of"},
    {kMonDeleteAll, "Delete &All"},
}};

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QLineEdit* addEditDialogLayout(QDialog& d, const QString& label, const QString& text) {
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(new QLabel(label, &d));
  auto* edit = new QLineEdit(text, &d);
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  layout->addWidget(buttons);
  return edit;
}

}  // namespace

VariableWindow::VariableWindow(ViewServices& services, uint16_t kind, LineLayout layout, QWidget* parent)
    : ViewWindow(services, parent), model_(services.kernel(), kind, layout) {
  build();
}

VariableWindow::VariableWindow(ViewServices& services, const ValueRecord& value, char letter, QWidget* parent)
    : ViewWindow(services, parent), model_(services.kernel(), value, letter) {
  build();
}

void VariableWindow::build() {
  const VarWindowClass& c = model_.windowClass();
  setObjectName(qs(c.contentClass));
  setWindowTitle(qs(model_.title()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (!c.menu.empty()) {
    buildMenu();
    layout->addWidget(menuBar_);
  }
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(qs(c.treeClass));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  const bool monitorLike = c.kind == kVarMonitors || c.kind == kVarAggregate;
  tree_->setFont(services_.font(monitorLike ? "Monitor_Font" : "Browser_Font"));
  layout->addWidget(tree_);
  connect(tree_, &QTreeWidget::itemExpanded, this, &VariableWindow::expanded);
  connect(tree_, &QTreeWidget::itemCollapsed, this, &VariableWindow::collapsed);
  connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    VarNode* n = nodeOf(tree_->itemAt(at));
    if (!n) return;
    if (QMenu* menu = popupMenu(*n)) {
      menu->exec(tree_->viewport()->mapToGlobal(at));
      menu->deleteLater();
    }
  });
  redraw();
}

void VariableWindow::buildMenu() {
  const VarWindowClass& c = model_.windowClass();
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(qs(c.menu));
  menuBar_->setNativeMenuBar(false);
  auto add = [this](QMenu* m, uint16_t id, std::string_view text) {
    QAction* a = m->addAction(qs(text));
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] { windowCommand(id); });
  };
  if (c.hasSave) {
    QAction* a = menuBar_->addAction(QStringLiteral("Save"));
    a->setData(kVarSave);
    connect(a, &QAction::triggered, this, [this] { windowCommand(kVarSave); });
  }
  if (c.hasStatus) {
    statusMenu_ = menuBar_->addMenu(QString());
    add(statusMenu_, kVarAutoRefresh, c.autoWord);
    add(statusMenu_, kVarFrozen, c.frozenWord);
    showStatus();
  }
}

void VariableWindow::showStatus() {
  if (statusMenu_) statusMenu_->setTitle(qs(model_.statusWord()));
}

QString VariableWindow::hostClass() const { return qs(model_.windowClass().hostClass); }

void VariableWindow::refresh(uint32_t viewBits) {
  if (!(viewBits & kViewVariables)) return;
  if (model_.refresh()) {
    // A browser built again for another function or file starts at its top.
    tree_->hide();
    tree_->clear();
    redraw();
    tree_->scrollToTop();
    tree_->show();
  } else {
    redraw();
  }
  if (model_.closeWanted()) {
    QWidget* host = parentWidget() ? parentWidget() : this;
    QTimer::singleShot(0, host, &QWidget::close);
  }
}

bool VariableWindow::windowCommand(uint16_t id) {
  if (id == kVarSave && model_.windowClass().hasSave) {
    save();
    return true;
  }
  if (model_.statusCommand(id)) {
    showStatus();
    return true;
  }
  if (model_.layoutCommand(id)) {
    redraw();
    return true;
  }
  return false;
}

void VariableWindow::save() {
  const std::string path = services_.saveFileName(model_.saveTitle(), model_.saveFilter(), model_.saveExtension());
  if (!path.empty()) model_.save(path);
}

QMenu* VariableWindow::popupMenu(VarNode& node) {
  auto* menu = new QMenu(this);
  menu->setObjectName(qs(model_.windowClass().popup));
  auto add = [&](const MenuItem& item) {
    QAction* a = menu->addAction(QString::fromUtf8(item.text));
    a->setData(item.id);
    connect(a, &QAction::triggered, this, [this, &node, id = item.id] { popupCommand(node, id); });
  };
  for (const MenuItem& item : kDataPopup) add(item);
  if (model_.kind() == kVarMonitors) {
    menu->addSeparator();
    for (const MenuItem& item : kMonitorPopupExtras) add(item);
  }
  return menu;
}

void VariableWindow::popupCommand(VarNode& node, uint16_t id) {
  if (model_.formatCommand(node, id)) {
    redraw();
    return;
  }
  if (id == kPopupUpdate) {
    updateDialog(node);
    return;
  }
  const std::string line = model_.kind() == kVarMonitors ? model_.monitorCommandLine(node, id) : std::string();
  if (line.empty()) return;
  // The command may remove the node (a deleted monitor): nothing of it is used afterwards.
  services_.runCommandLine(line);
  refresh(kViewVariables);
}

void VariableWindow::updateDialog(VarNode& node) {
  VariableUpdateDialog d(qs(node.label), qs(node.value), this);
  if (services_.execDialog(d) != QDialog::Accepted) return;
  services_.runCommandLine(VariableWindowModel::updateCommandLine(node, d.edit()->text().toStdString()));
  refresh(kViewVariables);
}

void VariableWindow::redraw() {
  syncing_ = true;
  sync(nullptr, model_.tree().roots());
  syncing_ = false;
}

void VariableWindow::sync(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<VarNode>>& nodes) {
  int count = parent ? parent->childCount() : tree_->topLevelItemCount();
  auto child = [&](int i) { return parent ? parent->child(i) : tree_->topLevelItem(i); };
  while (count > static_cast<int>(nodes.size())) delete child(--count);
  for (size_t i = 0; i < nodes.size(); ++i) {
    QTreeWidgetItem* item = static_cast<int>(i) < count ? child(static_cast<int>(i))
                            : parent                    ? new QTreeWidgetItem(parent)
                                                        : new QTreeWidgetItem(tree_);
    drawItem(item, *nodes[i]);
  }
}

void VariableWindow::drawItem(QTreeWidgetItem* item, VarNode& node) {
  item->setText(0, qs(model_.tree().text(node)));
  item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
  item->setForeground(0, node.changed() ? QBrush(kChangedColour) : QBrush());
  if (node.expandable && !node.built) {
    // Until its first expansion the node holds one placeholder child.
    if (item->childCount() != 1 || nodeOf(item->child(0))) {
      qDeleteAll(item->takeChildren());
      auto* dummy = new QTreeWidgetItem(item);
      dummy->setText(0, qs(kDummyNodeText));
    }
  } else {
    sync(item, node.children);
  }
  item->setExpanded(node.expanded && node.built);
}

VarNode* VariableWindow::nodeOf(const QTreeWidgetItem* item) {
  if (!item) return nullptr;
  return reinterpret_cast<VarNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

QTreeWidgetItem* VariableWindow::itemOf(const VarNode& node) const {
  QTreeWidgetItemIterator it(tree_);
  for (; *it; ++it)
    if (nodeOf(*it) == &node) return *it;
  return nullptr;
}

void VariableWindow::expanded(QTreeWidgetItem* item) {
  VarNode* n = nodeOf(item);
  if (syncing_ || !n) return;
  model_.tree().expand(*n);
  redraw();
}

void VariableWindow::collapsed(QTreeWidgetItem* item) {
  VarNode* n = nodeOf(item);
  if (syncing_ || !n) return;
  model_.tree().collapse(*n);
}

VariableUpdateDialog::VariableUpdateDialog(const QString& expression, const QString& value, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("WINVARUPDATE"));
  setWindowTitle(QStringLiteral("Update"));
  edit_ = addEditDialogLayout(*this, expression + QStringLiteral(" = ") + value, QString());
}

void VariableUpdateDialog::accept() {
  if (edit_->text().trimmed().isEmpty()) {
    QApplication::beep();
    return;
  }
  QDialog::accept();
}

DataFrequencyDialog::DataFrequencyDialog(uint32_t period, QWidget* parent) : QDialog(parent), period_(period) {
  setObjectName(QStringLiteral("DATAFREQUENCY"));
  setWindowTitle(QStringLiteral("Data Refresh Frequency"));
  edit_ = addEditDialogLayout(*this, QStringLiteral("Period (ms)"), QString::number(period));
}

void DataFrequencyDialog::accept() {
  const std::optional<uint32_t> p = parseRefreshPeriod(edit_->text().toStdString());
  if (!p) {
    QApplication::beep();
    return;
  }
  period_ = *p;
  QDialog::accept();
}

VariableWindows::VariableWindows(ViewServices& services, QObject* parent) : QObject(parent), services_(services) {}

VariableWindow* VariableWindows::browserCommand(uint16_t id) {
  if (id != kVarCurrentFunction && id != kVarCurrentFile && id != kVarApplication) return nullptr;
  if (!kinds_.open(id)) return nullptr;
  auto* w = new VariableWindow(services_, id, layoutFromSetting());
  connect(w, &QObject::destroyed, this, [this, id] { kinds_.closed(id); });
  return w;
}

VariableWindow* VariableWindows::aggregateWindow(const ValueRecord& value, char letter) {
  if (value.address == 0) {
    services_.kernel().ui->messageBox("Error", "Object " + value.text + " has NULL address", MsgIcon::Error);
    return nullptr;
  }
  return new VariableWindow(services_, value, letter);
}

void VariableWindows::startDataRefresh(const std::function<void()>& refreshViews) {
  Kernel& k = services_.kernel();
  if (k.exec.running || k.exec.busy) {
    services_.beep();
    return;
  }
  k.exec.busy = true;
  k.exec.stopreq = false;
  QTimer timer;
  connect(&timer, &QTimer::timeout, this, [&] {
    if (inRefresh_) return;
    inRefresh_ = true;
    refreshViews();
    inRefresh_ = false;
  });
  timer.start(static_cast<int>(std::min<uint32_t>(period_, INT32_MAX)));
  while (!k.exec.stopreq) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  timer.stop();
  k.exec.stopreq = false;
  k.exec.busy = false;
}

void VariableWindows::frequencyDialog() {
  DataFrequencyDialog d(period_);
  if (services_.execDialog(d) == QDialog::Accepted) period_ = d.period();
}

ViewWindow* createLocalsWindow(ViewServices& s) { return new VariableWindow(s, kVarLocals, layoutFromSetting()); }
ViewWindow* createGlobalsWindow(ViewServices& s) { return new VariableWindow(s, kVarGlobals, layoutFromSetting()); }
ViewWindow* createMonitorWindow(ViewServices& s) { return new VariableWindow(s, kVarMonitors, LineLayout::NameValue); }

}  // namespace yav
