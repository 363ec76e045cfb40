#include "qt/frame_dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "engine/output.h"
#include "engine/ui_port.h"
#include "platform/program_dir.h"
#include "qt/view_window.h"

namespace yav {

std::string runPathEditor(ViewServices& services) {
  Kernel& k = services.kernel();
  QDialog d;
  d.setObjectName("PATHEDIT");
  d.setWindowTitle("Path Editor");
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(new QLabel("Source directories, separated by '|':", &d));
  auto* edit = new QLineEdit(QString::fromStdString(k.cmdfile.sourcePath), &d);
  edit->setObjectName("path");
  edit->setMinimumWidth(420);
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  layout->addWidget(buttons);
  if (services.execDialog(d) != QDialog::Accepted) return {};
  std::string text = edit->text().toStdString();
  std::erase(text, '"');  // the command takes the path between double quotes
  return "path \"" + text + "\"";
}

void showHelp(ViewServices& services, uint16_t id) {
  Kernel& k = services.kernel();
  if (id != 13001) {
    const char* file = id == 13002 ? "CHELP.HLP" : "CLIB.HLP";
    const std::filesystem::path path = std::filesystem::path(platform::programFolder()) / file;
    if (!std::filesystem::is_regular_file(path) ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string()))))
      k.ui->messageBox("Error", "Can't Open " + path.string(), MsgIcon::Error);
    return;
  }
  startCapture(k, 2);
  docmd(k, "help", 0);
  std::string text = k.out.capture2.text;
  stopCapture(k, 2);
  QDialog d;
  d.setObjectName("YAVHELP");
  d.setWindowTitle("Yav Help");
  auto* layout = new QVBoxLayout(&d);
  auto* view = new QPlainTextEdit(QString::fromStdString(text), &d);
  view->setReadOnly(true);
  view->setFont(services.font("Command_Font"));
  view->setMinimumSize(560, 420);
  layout->addWidget(view);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &d);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  layout->addWidget(buttons);
  services.execDialog(d);
}

}  // namespace yav
