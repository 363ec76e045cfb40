// The MDI child that hosts one view ("REGHOST", "CMDHOST" ...): deleted when closed, and tells
// its owner first, so that the frame can forget the view and uncheck its Show item.
#pragma once
#include <QMdiSubWindow>
#include <functional>
#include <string_view>

namespace yav {

// The MDI child a view lives in; null for a widget outside the MDI area.
QMdiSubWindow* mdiHostOf(const QWidget* view);

class HostWindow : public QMdiSubWindow {
  Q_OBJECT
 public:
  HostWindow(std::string_view hostClass, std::string_view title, QWidget* parent = nullptr);
  std::function<void()> onClose;
  // False for a window that lives as long as the frame (the main source window): the user's
  // close request is ignored.
  bool closable = true;

 protected:
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace yav
