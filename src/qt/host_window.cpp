#include "qt/host_window.h"

#include <QCloseEvent>

namespace yav {

QMdiSubWindow* mdiHostOf(const QWidget* view) {
  for (QWidget* p = view ? view->parentWidget() : nullptr; p; p = p->parentWidget())
    if (auto* h = qobject_cast<QMdiSubWindow*>(p)) return h;
  return nullptr;
}

HostWindow::HostWindow(std::string_view hostClass, std::string_view title, QWidget* parent) : QMdiSubWindow(parent) {
  setObjectName(QString::fromLatin1(hostClass.data(), static_cast<qsizetype>(hostClass.size())));
  setWindowTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
  setAttribute(Qt::WA_DeleteOnClose);
}

void HostWindow::closeEvent(QCloseEvent* e) {
  if (!closable) return e->ignore();
  if (onClose) {
    auto notify = std::move(onClose);
    onClose = nullptr;
    notify();
  }
  QMdiSubWindow::closeEvent(e);
}

}  // namespace yav
