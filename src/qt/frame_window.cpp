#include "qt/frame_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <set>

#include "engine/command_file.h"
#include "engine/dispatcher.h"
#include "qt/command_edit.h"
#include "qt/browser_dialogs.h"
#include "qt/editor_dialogs.h"
#include "qt/memory_window.h"
#include "qt/variable_window.h"
#include "qt/frame_dialogs.h"
#include "qt/status_bar.h"
#include "qt/toolbar_images.h"
#include "qt/target_setup_dialog.h"
#include "qt/verify_dialog.h"
#include "qt/view_kinds.h"
#include "ui/frame_commands.h"
#include "ui/preference_commands.h"
#include "ui/recent_files.h"
#include "ui/target_commands.h"
#include "ui/option_settings.h"

namespace yav {

namespace {

// Items whose check mark this frame keeps up to date besides those ticked at start.
const std::set<uint16_t> kCheckableIds = {kCmdShowCommand, kCmdCascade, kCmdTileHorizontal, kCmdTileVertical,
                                          kCmdFree, 310, 320, 330, 335, 336, 340, 10000, 10014,
                                          109, 110, 112, 460, 461, 462, 463, 633, 634, 635, 301};


// Lays the visible MDI children out one above the other (horizontal) or side by side.
void tile(QMdiArea* mdi, bool horizontal) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : mdi->subWindowList())
    if (w->isVisible() && !w->isMinimized()) windows.push_back(w);
  if (windows.isEmpty()) return;
  const QRect area = mdi->viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    windows[i]->showNormal();
    if (horizontal) {
      int h = area.height() / n;
      windows[i]->setGeometry(0, i * h, area.width(), h);
    } else {
      int w = area.width() / n;
      windows[i]->setGeometry(i * w, 0, w, area.height());
    }
  }
}

}  // namespace

FrameWindow::FrameWindow(Kernel& k, CommandWindowModel& cmd) : k_(k), cmd_(cmd) {
  setObjectName("YAV");
  setWindowTitle("Yav");
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName("MDICLIENT");
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  status_ = new FrameStatusBar(this);
  setStatusBar(status_);
  buildMenus();
  buildToolbar();
  vars_ = new VariableWindows(*this, this);
  showTargetMenuTitle();
  cmd_.setListener(this);
}

FrameWindow::~FrameWindow() {
  cmd_.setListener(nullptr);
  if (cmdHost_) cmdHost_->onClose = nullptr;
}

QAction* FrameWindow::makeAction(const QString& text, uint16_t id, QObject* parent) {
  auto* a = new QAction(text, parent);
  a->setObjectName(QString::number(id));
  a->setData(id);
  a->setEnabled(frameCommandAvailable(id) || viewKindByShowId(id) != nullptr);
  connect(a, &QAction::triggered, this, [this, id] { command(id); });
  actions_.emplace(id, a);
  return a;
}

void FrameWindow::addEntries(QMenu* menu, const std::vector<MenuNode>& entries) {
  for (const MenuNode& n : entries) {
    switch (n.kind) {
      case MenuKind::Separator:
        menu->addSeparator();
        break;
      case MenuKind::Popup: {
        QMenu* sub = menu->addMenu(QString::fromLatin1(n.text.c_str()));
        sub->menuAction()->setEnabled(!n.disabled);
        if (n.ticked) {
          sub->menuAction()->setCheckable(true);
          sub->menuAction()->setChecked(true);
        }
        addEntries(sub, n.children);
        break;
      }
      case MenuKind::Item: {
        QAction* a = makeAction(QString::fromLatin1(n.text.c_str()), n.id, menu);
        if (n.disabled) a->setEnabled(false);
        if (n.ticked || kCheckableIds.contains(n.id)) {
          a->setCheckable(true);
          a->setChecked(n.ticked);
        }
        menu->addAction(a);
        break;
      }
    }
  }
}

void FrameWindow::buildMenus() {
  constexpr int kTargetMenuIndex = 5;
  menuBar()->setObjectName("MDIYAVMENU");
  int index = 0;
  for (const MenuNode& top : mainMenu()) {
    QMenu* m = menuBar()->addMenu(QString::fromLatin1(top.text.c_str()));
    m->menuAction()->setEnabled(!top.disabled);
    addEntries(m, top.children);
    if (index == 0) {
      fileMenu_ = m;
      connect(m, &QMenu::aboutToShow, this, &FrameWindow::showRecentFiles);
      connect(m, &QMenu::aboutToHide, this, &FrameWindow::hideRecentFiles, Qt::QueuedConnection);
    }
    if (index++ == kTargetMenuIndex) targetMenu_ = m;
  }
}

// The Target menu carries the chip's name once one is selected.
void FrameWindow::showTargetMenuTitle() {
  if (!targetMenu_ || !k_.target) return;
  const std::string title = k_.target->menuTitle();
  if (!title.empty()) targetMenu_->setTitle(QString::fromLatin1(title.c_str()));
}

void FrameWindow::setTargetMenuTitle(std::string_view title) {
  if (targetMenu_) targetMenu_->setTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
}

bool FrameWindow::runTargetSetup() { return runSetupDialog(k_, this); }

void FrameWindow::buildToolbar() {
  toolbar_ = addToolBar("Toolbar");
  toolbar_->setObjectName("TOOLBAR");
  toolbar_->setMovable(false);
  for (const ToolbarEntry& e : toolbarEntries()) {
    if (e.id == 0) {
      toolbar_->addSeparator();
      continue;
    }
    QAction* a = makeAction(QString::fromLatin1(e.tooltip.data(), static_cast<qsizetype>(e.tooltip.size())), e.id,
                            toolbar_);
    a->setToolTip(a->text());
    a->setIcon(e.image.empty() ? style()->standardIcon(QStyle::SP_DialogOpenButton) : toolbarImage(e.image));
    if (e.check) a->setCheckable(true);
    toolbar_->addAction(a);
  }
}

QAction* FrameWindow::action(uint16_t id) const {
  for (auto [it, end] = actions_.equal_range(id); it != end; ++it)
    if (it->second->parent() != toolbar_) return it->second;
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void FrameWindow::setChecked(uint16_t id, bool on) {
  for (auto [it, end] = actions_.equal_range(id); it != end; ++it)
    if (it->second->isCheckable()) it->second->setChecked(on);
}

void FrameWindow::startupDone() {
  for (QAction* top : menuBar()->actions()) top->setEnabled(true);
  for (auto [it, end] = actions_.equal_range(kCmdStepMasked); it != end; ++it) it->second->setEnabled(true);
  status_->setField(0, "Command");
}

bool FrameWindow::takeHeldBackClose() {
  bool held = closeHeldBack_;
  closeHeldBack_ = false;
  return held;
}

void FrameWindow::command(uint16_t id) {
  if (k_.exec.busy && refusedWhileBusy(id)) return QApplication::beep();
  if (isTargetCommand(id)) return targetCommand(id);
  if (viewKindByShowId(id)) return toggleView(id);
  if (id >= kFirstRecentFileItem && id <= kLastRecentFileItem) return loadFile(recentFileForItem(id), false);
  if (isFontCommand(id)) return chooseFont(id);
  if (!colourKeyForCommand(id).empty()) return chooseColour(id);
  switch (id) {
    case kCmdStopExecution:
      activateWindow();
      k_.exec.stopreq = true;
      return;
    case kCmdAbout:
      return aboutBox();
    case kCmdExit:
    case kCmdExitNow:
      close();
      return;
    case kCmdCascade:
    case kCmdTileHorizontal:
    case kCmdTileVertical:
    case kCmdFree:
      return arrange(id);
    case kCmdShowCommand:
      return showCommandWindow(!commandWindowShown());
    case kCmdStatusBar:
      status_->setVisible(!status_->isVisible());
      return;
    case kCmdToolbar:
      toolbar_->setVisible(!toolbar_->isVisible());
      return;
    case kCmdCommandFileInput:
      return commandFileDialog(true);
    case kCmdCommandFileOutput:
      return commandFileDialog(false);
    case kCmdDebugReset:
      if (const int reset = targetResetCommand(k_)) return command(static_cast<uint16_t>(reset));
      return QApplication::beep();
    case 202:
    case 206:
    case 212:
    case 213:
    case 804:
    case 805:
    case 806: {
      const std::string line = runEditorDialog(*this, id == 804 ? 805 : id);
      if (!line.empty()) runCommandLine(line);
      return;
    }
    case 208:  // go from reset
      QApplication::setOverrideCursor(Qt::WaitCursor);
      runCommandLine("reset");
      QApplication::restoreOverrideCursor();
      return runCommandLine("go");
    case 210:  // animate: each step shown until Stop
      k_.exec.animate = true;
      runCommandLine("step");
      k_.exec.animate = false;
      return;
    case 630:
    case 631:
    case 632:
      if (VariableWindow* w = vars_->browserCommand(id))
        hostView(w, w->hostClass().toStdString(), w->windowTitle().toStdString());
      return;
    case 214:
      return vars_->startDataRefresh([this] {
        for (ViewWindow* v : openViews()) v->refresh(kViewVariables);
      });
    case 215:
      return vars_->frequencyDialog();
    case 147:
    case 148:
    case 382:
    case 383:
    case 384:
    case 118:
    case 119:
    case 120:
    case 121:
    case 127:
    case 128:
    case 129:
      if (!activeViewCommand(id)) beep();
      return;
    case 130:
    case 621:
    case 640:
    case 650:
    case 671:
    case 672:
      return openListWindow(id);
    case 620:
    case 622:
    case 625:
    case 670:
      if (!runBrowserDialog(*this, id)) beep();
      return;
    case 301:
      return toggleProjectBrowser();
    case 360:
      runMemoryWindowDialog(*this, mdi_, lastMemory_);
      return;
    case 131:
    case 132:
    case 133:
    case 134:
      return sessionDialogCommand(id);
    case 101:
    case 103:
    case 104:
      return loadDialog(id);
    case 109:
    case 110:
      return setLoadMode(id);
    case 111:
      return saveConfigurationNow();
    case 112:
      return setSaveOnExit(!saveOnExit_);
    case 189:
      if (const std::vector<std::string> recent = recentFiles(); !recent.empty()) loadFile(recent.front(), false);
      return;
    case 460:
    case 461:
    case 462:
    case 463:
      return setIntFormat(id);
    case 633:
    case 634:
    case 635:
      setVarFormat(id);
      return scheduleRefresh(kViewVariables);
    case 1310:
      return keyBindDialog();
    case 440: {
      const std::string line = runPathEditor(*this);
      if (!line.empty()) runCommandLine(line);
      return;
    }
    case 13001:
    case 13002:
    case 13003:
      return showHelp(*this, id);
    case 146:
      k_.ui->messageBox("Info", "No Segment list available", MsgIcon::Info);
      return;
    case 10000:
      syntaxColouring_ = !syntaxColouring_;
      setChecked(id, syntaxColouring_);
      return scheduleRefresh(kViewSource | kViewMemory);
    case 10014:
      showAddresses_ = !showAddresses_;
      setChecked(id, showAddresses_);
      return scheduleRefresh(kViewSource);
    default:
      break;
  }
  std::string_view line = frameCommandLine(id);
  if (line.empty()) return QApplication::beep();
  if (id == kCmdRestart) QApplication::setOverrideCursor(Qt::WaitCursor);
  runCommandLine(std::string(line));
  if (id == kCmdRestart) QApplication::restoreOverrideCursor();
}

void FrameWindow::targetCommand(uint16_t id) {
  if (id == kCmdVerifyFlash) runVerifyFlashDialog(k_, this);
  else if (!runTargetCommand(k_, id)) return QApplication::beep();
  cmd_.ensurePrompt();
}

void FrameWindow::applyStartArrangement(uint16_t mode) {
  if (mode != kCmdCascade) return arrange(mode);
  arrangement_ = mode;
  for (uint16_t m : {kCmdCascade, kCmdTileHorizontal, kCmdTileVertical, kCmdFree}) setChecked(m, m == mode);
}

void FrameWindow::arrange(uint16_t mode) {
  arrangement_ = mode;
  for (uint16_t m : {kCmdCascade, kCmdTileHorizontal, kCmdTileVertical, kCmdFree}) setChecked(m, m == mode);
  if (mode == kCmdCascade) mdi_->cascadeSubWindows();
  if (mode == kCmdTileHorizontal) tile(mdi_, true);
  if (mode == kCmdTileVertical) tile(mdi_, false);
}

void FrameWindow::showCommandWindow(bool show) {
  if (!show) {
    if (cmdHost_) cmdHost_->close();
    return;
  }
  if (cmdHost_) {
    mdi_->setActiveSubWindow(cmdHost_);
    return;
  }
  auto* host = new HostWindow("CMDHOST", "Command");
  auto* content = new QWidget;
  content->setObjectName("MAINCMD");
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* menu = new QMenuBar(content);
  menu->setObjectName("CMD_MENU");
  menu->addAction(makeAction("File Input", kCmdCommandFileInput, menu));
  menu->addAction(makeAction("File Output", kCmdCommandFileOutput, menu));
  layout->setMenuBar(menu);
  cmdEdit_ = new CommandEdit(cmd_, content);
  layout->addWidget(cmdEdit_);
  host->setWidget(content);
  host->onClose = [this] { commandHostClosing(); };
  mdi_->addSubWindow(host);
  if (arrangement_ == kCmdFree && savedCommandRect_.isValid()) {
    host->setGeometry(savedCommandRect_);
  } else {
    const QSize area = mdi_->viewport()->size();
    host->resize(std::max(320, area.width() * 3 / 4), std::max(200, area.height() * 2 / 3));
  }
  host->show();
  cmdHost_ = host;
  cmd_.open();
  cmdEdit_->setFocus();
  setChecked(kCmdShowCommand, true);
}

void FrameWindow::commandHostClosing() {
  if (cmdHost_) savedCommandRect_ = cmdHost_->geometry();
  cmd_.close();
  cmdEdit_ = nullptr;
  cmdHost_ = nullptr;
  setChecked(kCmdShowCommand, false);
}

void FrameWindow::spliced(size_t pos, size_t removed, std::string_view inserted) {
  if (cmdEdit_) cmdEdit_->applySplice(pos, removed, inserted);
}

void FrameWindow::caretMoved() {
  if (cmdEdit_) cmdEdit_->placeCaret();
}

void FrameWindow::activateRequested() {
  if (!cmdHost_) return;
  mdi_->setActiveSubWindow(cmdHost_);
  if (cmdEdit_) cmdEdit_->setFocus();
}

void FrameWindow::aboutBox() {
  QDialog box(this);
  box.setObjectName("AboutBox");
  box.setWindowTitle("About Yav");
  auto* layout = new QVBoxLayout(&box);
  auto* title = new QLabel("<b>Yav</b>", &box);
  layout->addWidget(title);
  const QString version = QCoreApplication::applicationVersion();
  const QString date = QStringLiteral(__DATE__);
  for (const std::string& line : aboutVersionLines(version.toStdString(), version.toStdString(),
                                                   version.toStdString(), date.toStdString()))
    layout->addWidget(new QLabel(QString::fromStdString(line), &box));
  layout->addWidget(new QLabel(QString::fromLatin1(kObjectFormatName.data(), kObjectFormatName.size()), &box));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  layout->addWidget(buttons);
  box.exec();
}

void FrameWindow::commandFileDialog(bool input) {
  QString& dir = lastCommandDir_[input ? 0 : 1];
  const QString file =
      input ? QFileDialog::getOpenFileName(this, "Command Input", dir, "Command Files(*.in)")
            : QFileDialog::getSaveFileName(this, "Command Output", dir, "Output Files(*.out)");
  if (file.isEmpty()) return;
  dir = QFileInfo(file).absolutePath();
  if (input) {
    runCommandFile(k_, file.toStdString());
  } else {
    yav::runCommandLine(k_, ("output " + file.toStdString()).c_str(), 1);
  }
  cmd_.ensurePrompt();
}

void FrameWindow::closeEvent(QCloseEvent* e) {
  if (k_.exec.busy) {  // refused while the target runs; the running command sees the request
    closeHeldBack_ = true;
    e->ignore();
    return;
  }
  writeLayout(layoutSnapshot());
  rememberWindowRects();
  if (const std::string end = readEndFile(); !end.empty()) runCommandFile(k_, end);
  if (cmdHost_) cmdHost_->onClose = nullptr;
  e->accept();
}

}  // namespace yav
