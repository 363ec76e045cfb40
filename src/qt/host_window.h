// The MDI child that hosts one view ("REGHOST", "CMDHOST" ...): deleted when closed, and tells
// its owner first, so that the frame can forget the view and uncheck its Show item.
#pragma once
#include <QMdiSubWindow>
#include <functional>
#include <string_view>

namespace yav {

class HostWindow : public QMdiSubWindow {
  Q_OBJECT
 public:
  HostWindow(std::string_view hostClass, std::string_view title, QWidget* parent = nullptr);
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace yav
