#include "qt/host_window.h"

#include <QCloseEvent>

namespace yav {

HostWindow::HostWindow(std::string_view hostClass, std::string_view title, QWidget* parent) : QMdiSubWindow(parent) {
  setObjectName(QString::fromLatin1(hostClass.data(), static_cast<qsizetype>(hostClass.size())));
  setWindowTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
  setAttribute(Qt::WA_DeleteOnClose);
}

void HostWindow::closeEvent(QCloseEvent* e) {
  if (onClose) {
    auto notify = std::move(onClose);
    onClose = nullptr;
    notify();
  }
  QMdiSubWindow::closeEvent(e);
}

}  // namespace yav
