// The frame's windows as a session or layout file stores them, and back: the arrangement, the
// frame, the main source window, the five standard windows and the memory windows.
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "engine/window_layout_text.h"
#include "qt/frame_window.h"
#include "qt/memory_window.h"
#include "ui/memory_window_spec.h"
#include "ui/session_dialog.h"

namespace yav {

namespace {

// Show commands of the standard windows, in the order of StandardWindow.
constexpr uint16_t kStandardShowIds[kStandardWindowCount] = {320, 300, 330, 340, 310};

// A host's place in the children's area as the file writes it: left and top one less than the
// host's, right and bottom its far edges.
WindowRect fileRect(const QRect& g) { return {g.x() - 1, g.y() - 1, g.x() + g.width(), g.y() + g.height()}; }

// The host's place for a rectangle of the file. It goes back exactly where it was saved from (the
// file's left and top are one less than the host's), so saving and loading never move a window.
QRect hostRect(const WindowRect& r) { return QRect(r.left + 1, r.top + 1, r.right - r.left - 1, r.bottom - r.top - 1); }

WindowPlacement placementOf(QWidget* host) {
  if (!host) return {WindowPlacement::State::Closed, std::nullopt};
  return {WindowPlacement::State::Open, fileRect(host->geometry())};
}

}  // namespace

// The memory windows as session records, in the order of the children.
std::vector<MemoryWindowRecord> FrameWindow::memoryWindowRecords() const {
  std::vector<MemoryWindowRecord> out;
  for (MemoryWindow* w : memoryWindows(mdi_)) {
    QMdiSubWindow* host = mdiHostOf(w);
    if (!host) continue;
    const WindowRect r = fileRect(host->geometry());
    const std::string text = formatSessionRecord(w->sessionRecord({r.left, r.top, r.right, r.bottom}));
    if (std::optional<MemoryWindowRecord> m = parseMemoryRecord(text)) out.push_back(*m);
  }
  return out;
}

void FrameWindow::replaceMemoryWindowsWith(const std::vector<MemoryWindowRecord>& records) {
  closeMemoryWindows(mdi_);
  for (const MemoryWindowRecord& m : records) {
    std::string error;
    MemoryWindow* w = restoreMemoryWindow(*this, mdi_, memoryRecordText(m), error);
    if (!w) {
      k_.ui->messageBox("Error", error, MsgIcon::Error);
      continue;
    }
    if (QMdiSubWindow* host = mdiHostOf(w)) host->setGeometry(hostRect(m.rect));
  }
}

void FrameWindow::sessionDialogCommand(uint16_t id) {
  const std::optional<SessionDialog> d = sessionDialog(id);
  if (!d) return beep();
  std::string chosen;
  if (onFileDialog) {
    chosen = onFileDialog(d->title);
  } else {
    const QString start = QString::fromStdString(d->directory + d->file);
    const QString title = QString::fromStdString(d->title), filter = QString::fromStdString(d->filter);
    chosen = (d->load ? QFileDialog::getOpenFileName(this, title, start, filter)
                      : QFileDialog::getSaveFileName(this, title, start, filter))
                 .toStdString();
  }
  if (chosen.empty()) return;
  const std::optional<std::string> line = sessionCommandLine(*d, chosen);
  if (!line) return k_.ui->messageBox("Error", "Can't use file name: " + chosen, MsgIcon::Error);
  runCommandLine(*line);
}

QWidget* FrameWindow::hostOfShowId(uint16_t showId) const {
  if (showId == kCmdShowCommand) return cmdHost_.data();
  return mdiHostOf(view(showId));
}

WindowLayout FrameWindow::windowLayout() const {
  WindowLayout l;
  l.arrangement = arrangement_;
  const QRect f = geometry();
  l.frame = {WindowPlacement::State::Open, WindowRect{f.x(), f.y(), f.x() + f.width(), f.y() + f.height()}};
  l.source = placementOf(mainSourceHost());
  for (size_t i = 0; i < kStandardWindowCount; ++i) l.windows[i] = placementOf(hostOfShowId(kStandardShowIds[i]));
  l.memory = memoryWindowRecords();
  return l;
}

void FrameWindow::applyWindowLayout(const WindowLayout& l, bool replaceMemoryWindows) {
  if (l.arrangement) {
    if (*l.arrangement == kCmdCascade) applyStartArrangement(kCmdCascade);
    else arrange(*l.arrangement);
  }
  if (l.frame.state == WindowPlacement::State::Open && l.frame.rect) {
    const WindowRect& r = *l.frame.rect;
    setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  if (QWidget* src = mainSourceHost(); src && l.source.rect) src->setGeometry(hostRect(*l.source.rect));
  for (size_t i = 0; i < kStandardWindowCount; ++i) {
    const WindowPlacement& p = l.windows[i];
    const uint16_t id = kStandardShowIds[i];
    if (p.state == WindowPlacement::State::Closed) {
      if (QWidget* host = hostOfShowId(id)) host->close();
    } else if (p.state == WindowPlacement::State::Open) {
      if (!hostOfShowId(id)) {
        if (id == kCmdShowCommand) showCommandWindow(true);
        else showView(id, true);
      }
      if (QWidget* host = hostOfShowId(id); host && p.rect) host->setGeometry(hostRect(*p.rect));
    }
  }
  if (replaceMemoryWindows) replaceMemoryWindowsWith(l.memory);
}

}  // namespace yav
