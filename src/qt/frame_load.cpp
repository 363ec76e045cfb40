// The frame's File menu: the load dialog (101..104), the recently loaded files shown while the
// menu is open (180..184) and the reload of the newest one (189).
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>

#include "engine/kernel.h"
#include "qt/frame_window.h"
#include "ui/option_settings.h"
#include "ui/recent_files.h"

namespace yav {

namespace {

// The filters of the load dialog; `Index` of section `Load` picks one (1-based).
const QStringList kLoadFilters = {"S08 Files(*.s08)", "S-Record Files(*.s19 *.s28 *.s37 *.srec)",
                                  "Intel Hex Files(*.hex)", "All Files(*)"};

}  // namespace

void FrameWindow::loadFile(const std::string& file, bool start) {
  std::string line = symbolsOnly_ ? "load /S " : "load ";
  line += file;
  const int errors = k_.errorCount;
  runCommandLine(line);
  if (k_.errorCount == errors) addRecentFile(file);
  if (start) runCommandLine("go");
}

void FrameWindow::loadDialog(uint16_t id) {
  if (k_.exec.busy) return beep();
  std::string entry;
  if (id == 104) {
    std::string answer;
    if (!k_.ui->askText("Start Address", "Start from:", answer) || answer.empty()) return;
    entry = answer;
  }
  std::string file;
  if (onFileDialog) {
    file = onFileDialog("Load File");
  } else {
    LastFileChoice last = readLastFileChoice(FileDialogKind::Load);
    QFileDialog d(this, "Load File", QString::fromStdString(last.directory));
    d.setObjectName("LOADFILE");
    d.setNameFilters(kLoadFilters);
    const int index = std::clamp(readLoadFilterIndex(), 1, static_cast<int>(kLoadFilters.size()));
    d.selectNameFilter(kLoadFilters[index - 1]);
    if (!last.file.empty()) d.selectFile(QString::fromStdString(last.file));
    d.setFileMode(QFileDialog::ExistingFile);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    file = d.selectedFiles().front().toStdString();
    writeLoadFilterIndex(static_cast<int>(kLoadFilters.indexOf(d.selectedNameFilter())) + 1);
  }
  if (file.empty()) return;
  const QFileInfo info(QString::fromStdString(file));
  writeLastFileChoice(FileDialogKind::Load, {info.absolutePath().toStdString(), info.fileName().toStdString()});
  if (!entry.empty()) {
    runCommandLine((symbolsOnly_ ? "load /S /O:" : "load /O:") + entry + " " + file);
    addRecentFile(file);
    runCommandLine("go");
    return;
  }
  loadFile(file, id == 103);
}

void FrameWindow::showRecentFiles() {
  hideRecentFiles();
  const std::vector<RecentFileItem> items = recentFileMenuItems();
  if (items.empty() || !fileMenu_) return;
  recentItems_.push_back(fileMenu_->addSeparator());
  for (const RecentFileItem& item : items) {
    QAction* a = fileMenu_->addAction(QString::fromStdString(item.text));
    a->setObjectName(QString::number(item.id));
    a->setData(item.id);
    const uint16_t id = item.id;
    connect(a, &QAction::triggered, this, [this, id] { command(id); });
    recentItems_.push_back(a);
  }
}

void FrameWindow::hideRecentFiles() {
  for (QAction* a : recentItems_) {
    if (fileMenu_) fileMenu_->removeAction(a);
    a->deleteLater();
  }
  recentItems_.clear();
}

}  // namespace yav
