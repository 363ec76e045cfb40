#include "qt/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace yav {

namespace {

enum class Shape { Disc, Play, Square, Tile };

struct Image {
  std::string_view name;
  Shape shape;
  QRgb colour;
  const char* label;  // drawn in white on the shape, at most three characters
};

// One row per bitmap of the toolbar.
constexpr Image kImages[] = {
    {"CBREAKmap", Shape::Disc, 0xffd00000, "B"},   {"DBREAKmap", Shape::Disc, 0xffd06000, "D"},
    {"ISTEPmap", Shape::Tile, 0xff305080, "A"},    {"MSTEPmap", Shape::Tile, 0xff603080, "M"},
    {"CSTEPmap", Shape::Tile, 0xff2060c0, "C"},    {"OSTEPmap", Shape::Tile, 0xff2090a0, "O"},
    {"GOmap", Shape::Play, 0xff109020, ""},        {"STOPmap", Shape::Square, 0xffc00000, ""},
    {"PROJECTmap", Shape::Tile, 0xff806020, "P"},  {"COMMANDmap", Shape::Tile, 0xff202020, ">"},
    {"DISAmap", Shape::Tile, 0xff505050, "As"},    {"REGSmap", Shape::Tile, 0xff505050, "R"},
    {"STACKmap", Shape::Tile, 0xff505050, "St"},   {"LOCSmap", Shape::Tile, 0xff207040, "L"},
    {"GLOBSmap", Shape::Tile, 0xff207040, "G"},    {"MONITmap", Shape::Tile, 0xff207040, "Mo"},
    {"MEMORYmap", Shape::Tile, 0xff404080, "01"},  {"RTMONmap", Shape::Disc, 0xff404080, "RM"},
    {"RTMEMmap", Shape::Disc, 0xff404080, "R0"},
};

QPixmap draw(const Image& img) {
  constexpr int kSize = 22;
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(img.colour));
  const QRectF box(2, 2, kSize - 4, kSize - 4);
  switch (img.shape) {
    case Shape::Disc:
      p.drawEllipse(box);
      break;
    case Shape::Square:
      p.drawRect(box.adjusted(2, 2, -2, -2));
      break;
    case Shape::Play: {
      QPainterPath path;
      path.moveTo(box.left() + 2, box.top());
      path.lineTo(box.right(), box.center().y());
      path.lineTo(box.left() + 2, box.bottom());
      path.closeSubpath();
      p.drawPath(path);
      break;
    }
    case Shape::Tile:
      p.drawRoundedRect(box, 3, 3);
      break;
  }
  if (*img.label) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::char_traits<char>::length(img.label) > 1 ? 9 : 12);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, QString::fromLatin1(img.label));
  }
  return pm;
}

}  // namespace

QIcon toolbarImage(std::string_view name) {
  for (const Image& img : kImages)
    if (img.name == name) return QIcon(draw(img));
  return {};
}

}  // namespace yav
