// The frame as the home of the views: hosting them in the MDI area, toggling the single-instance
// ones from their Show commands, refreshing every open view once when a command has ended, and
// the services a view asks for.
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QMdiSubWindow>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QTimer>

#include "engine/dispatcher.h"
#include "engine/ui_port.h"
#include "qt/frame_window.h"
#include "qt/disassembly_window.h"
#include "qt/editor_dialogs.h"
#include "qt/list_window.h"
#include "qt/memory_window.h"
#include "qt/project_browser.h"
#include "qt/source_view.h"
#include "qt/variable_window.h"
#include "qt/view_kinds.h"
#include "engine/display_state.h"
#include "ui/list_windows.h"

namespace yav {

namespace {

QString latin1(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

ViewWindow* FrameWindow::view(uint16_t showId) const {
  auto it = singleViews_.find(showId);
  return it == singleViews_.end() ? nullptr : it->second.data();
}

std::vector<ViewWindow*> FrameWindow::openViews() const {
  std::vector<ViewWindow*> out;
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    if (auto* v = dynamic_cast<ViewWindow*>(w->widget())) out.push_back(v);
  }
  if (projectBrowser_ && projectDock_ && projectDock_->isVisible()) out.push_back(projectBrowser_.data());
  return out;
}

void FrameWindow::createMainSource() {
  if (mainSource_) return;
  auto* v = SourceView::createMain(*this);
  const QRect saved = savedViewRect("SrcWindow");
  HostWindow* host = hostView(v, "YAVCHOST", "Source", saved);
  host->closable = false;
  mainSource_ = v;
  connectView(v);
}

QWidget* FrameWindow::mainSourceHost() const { return mdiHostOf(mainSource_.data()); }

void FrameWindow::connectView(ViewWindow* v) {
  if (auto* src = dynamic_cast<SourceView*>(v)) {
    src->setEventEditor([this](int n) { editEvent(n); });
    src->setPathEditor([this] { command(440); });
  }
  if (auto* disa = dynamic_cast<DisassemblyWindow*>(v)) {
    disa->editEvent = [this](int n) { editEvent(n); };
    disa->openMemory = [this](const MemoryWindowSpec& spec) { openMemoryWindow(*this, mdi_, spec); };
  }
}

// The event editor of an existing event: a new definition replaces it.
void FrameWindow::editEvent(int number) {
  const std::string line = runEditorDialog(*this, 805);
  if (line.empty()) return;
  runCommandLine("del /e " + std::to_string(number));
  runCommandLine(line);
}

void FrameWindow::showAggregate(const ValueRecord& value, char letter) {
  VariableWindow* w = vars_->aggregateWindow(value, letter);
  if (!w) return;
  hostView(w, "MONHOST", w->windowTitle().toStdString());
}

void FrameWindow::openListWindow(uint16_t id) {
  const ListKind* kind = listKind(id);
  ViewWindow* v = createListWindow(*this, id);
  if (!kind || !v) return beep();
  hostView(v, "LISTHOST", kind->title);
  v->refresh(kViewAll);
}

void FrameWindow::toggleProjectBrowser() {
  if (!projectDock_) {
    projectDock_ = new QDockWidget("Project Browser", this);
    projectDock_->setObjectName("PHOSTWIN");
    projectBrowser_ = createProjectBrowser(*this);
    projectDock_->setWidget(projectBrowser_);
    addDockWidget(Qt::LeftDockWidgetArea, projectDock_);
    connect(projectDock_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
      if (!isMinimized()) setChecked(301, shown || !projectDock_->isHidden());
    });
    projectDock_->show();
    projectBrowser_->refresh(kViewAll);
    return setChecked(301, true);
  }
  const bool show = projectDock_->isHidden();
  projectDock_->setVisible(show);
  if (show) projectBrowser_->refresh(kViewAll);
  setChecked(301, show);
}

// Commands 118..121 and the source window's 127..129 go to the active view.
bool FrameWindow::activeViewCommand(uint16_t id) {
  QMdiSubWindow* active = mdi_->activeSubWindow();
  auto* v = active ? dynamic_cast<ViewWindow*>(active->widget()) : nullptr;
  return v && v->windowCommand(id);
}

HostWindow* FrameWindow::hostView(ViewWindow* view, std::string_view hostClass, std::string_view title,
                                  const QRect& rect) {
  auto* host = new HostWindow(hostClass, title);
  host->setWidget(view);
  mdi_->addSubWindow(host);
  if (rect.isValid()) {
    host->setGeometry(rect);
  } else {
    const QSize area = mdi_->viewport()->size();
    host->resize(std::max(240, area.width() / 2), std::max(160, area.height() / 2));
  }
  host->show();
  return host;
}

void FrameWindow::showView(uint16_t showId, bool show) {
  if (ViewWindow* open = view(showId)) {
    QMdiSubWindow* host = mdiHostOf(open);
    if (!show && host) host->close();
    else if (show && host) mdi_->setActiveSubWindow(host);
    return;
  }
  if (!show) return;
  const ViewKind* kind = viewKindByShowId(showId);
  if (!kind || !kind->create) return beep();
  ViewWindow* v = kind->create(*this);
  v->setObjectName(latin1(kind->contentClass));
  HostWindow* host = hostView(v, kind->hostClass, kind->title, savedViewRect(kind->rectSection));
  host->onClose = [this, showId] { viewClosed(showId); };
  singleViews_[showId] = v;
  connectView(v);
  setChecked(showId, true);
  v->refresh(kViewAll);
}

void FrameWindow::toggleView(uint16_t showId) { showView(showId, view(showId) == nullptr); }

void FrameWindow::viewClosed(uint16_t showId) {
  singleViews_.erase(showId);
  setChecked(showId, false);
}

bool FrameWindow::commandRunning() const {
  return k_.exec.busy || k_.exec.running || k_.exec.depth > 0 || k_.cmdfile.depth > 0 || cmd_.typedCommand();
}

void FrameWindow::scheduleRefresh(uint32_t viewBits) {
  pendingRefresh_ |= viewBits;
  if (refreshQueued_ || pendingRefresh_ == 0) return;
  refreshQueued_ = true;
  // While a command runs the refresh waits for its end: one refresh per stop, not per step.
  QTimer::singleShot(commandRunning() ? 20 : 0, this, [this] {
    refreshQueued_ = false;
    if (commandRunning()) return scheduleRefresh(0);
    refreshViews();
  });
}

void FrameWindow::refreshViews() {
  const uint32_t bits = pendingRefresh_ ? pendingRefresh_ : kViewAll;
  pendingRefresh_ = 0;
  // A monitor declared since the last refresh opens the monitor window.
  const size_t monitors = displayState(k_).monitors.items.size();
  if (monitors > monitorsSeen_ && !view(340)) showView(340, true);
  monitorsSeen_ = monitors;
  for (ViewWindow* v : openViews()) v->refresh(bits);
}

void FrameWindow::runCommandLine(const std::string& line) {
  if (k_.exec.busy) return beep();
  yav::runCommandLine(k_, line.c_str(), 1);
  cmd_.ensurePrompt();
  scheduleRefresh(kViewAll);
}

QColor FrameWindow::colour(std::string_view key) const { return prefs_.colour(key); }

QFont FrameWindow::font(std::string_view key) const { return prefs_.font(key); }

std::string FrameWindow::saveFileName(std::string_view title, std::string_view filter,
                                      std::string_view defaultExtension) {
  if (onFileDialog) return onFileDialog(title);
  QFileDialog d(this, latin1(title), {}, latin1(filter));
  d.setAcceptMode(QFileDialog::AcceptSave);
  std::string ext(defaultExtension);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  d.setDefaultSuffix(QString::fromStdString(ext));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
  return d.selectedFiles().front().toStdString();
}

std::string FrameWindow::openFileName(std::string_view title, std::string_view filter) {
  if (onFileDialog) return onFileDialog(title);
  return QFileDialog::getOpenFileName(this, latin1(title), {}, latin1(filter)).toStdString();
}

int FrameWindow::execDialog(QDialog& dialog) {
  if (onModalDialog) {
    dialog.show();
    return onModalDialog(dialog);
  }
  return dialog.exec();
}

QRect FrameWindow::savedViewRect(std::string_view) const { return {}; }

void FrameWindow::showSource(const std::string& file, int line) {
  for (QMdiSubWindow* w : mdi_->subWindowList()) {
    auto* src = dynamic_cast<SourceView*>(w->widget());
    if (!src || src == mainSource_.data() || w->windowTitle().toStdString() != "Browser: " + file) continue;
    src->showFile(file, line);
    mdi_->setActiveSubWindow(w);
    return;
  }
  SourceView* v = SourceView::createBrowser(*this, file, line);
  if (!v) return;
  hostView(v, "YAVHOST", "Browser: " + file);
  connectView(v);
}

void FrameWindow::beep() { QApplication::beep(); }

}  // namespace yav
