// The frame's three-field status bar with its progress gauge.
#pragma once
#include <QStatusBar>
#include <QString>
#include <array>
#include <cstdint>

namespace yav {

class FrameStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit FrameStatusBar(QWidget* parent = nullptr);

  void setField(int index, const QString& text);
  QString field(int index) const { return fields_.at(static_cast<size_t>(index)); }

  void gauge(bool on, uint32_t total);
  void gaugeAdd(uint32_t n);
  bool gaugeOn() const { return gaugeOn_; }
  uint32_t gaugeDone() const { return done_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::array<QString, 3> fields_;
  bool gaugeOn_ = false;
  uint32_t total_ = 0, done_ = 0;
};

}  // namespace yav
