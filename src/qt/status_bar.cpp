#include "qt/status_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include "ui/status_bar_layout.h"

namespace yav {

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("STATWIN");
  setSizeGripEnabled(false);
}

void FrameStatusBar::setField(int index, const QString& text) {
  if (index < 0 || index > 2) return;
  fields_[static_cast<size_t>(index)] = text;
  update();
}

void FrameStatusBar::gauge(bool on, uint32_t total) {
  gaugeOn_ = on;
  total_ = total;
  done_ = 0;
  repaint();
}

void FrameStatusBar::gaugeAdd(uint32_t n) {
  done_ += n;
  repaint();
}

QSize FrameStatusBar::sizeHint() const { return {QStatusBar::sizeHint().width(), fontMetrics().height() + 8}; }

void FrameStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const std::array<int, 3> ends = statusBarParts(width());
  int left = 0;
  for (size_t i = 0; i < ends.size(); ++i) {
    QRect r(left, 1, std::max(0, ends[i] - left - 2), height() - 2);
    qDrawShadePanel(&p, r, palette(), true, 1);
    QString text = fontMetrics().elidedText(fields_[i], Qt::ElideRight, std::max(0, r.width() - 6));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    left = ends[i];
  }
  if (!gaugeOn_) return;
  GaugeGeometry g = gaugeGeometry(width(), height(), done_, total_);
  QRect frame(g.x, g.y, g.width, g.height);
  qDrawShadePanel(&p, frame, palette(), true, 1);
  if (g.filled > 0) p.fillRect(QRect(g.x + 1, g.y + 1, std::max(0, g.filled - 2), g.height - 2), QColor(255, 0, 0));
}

}  // namespace yav
