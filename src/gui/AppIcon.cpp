#include "gui/AppIcon.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kIconSides[] = {16, 32, 48, 64, 128, 256};

}  // namespace

QImage App_Icon_Image(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 64.0, side / 64.0);

  // Paper.
  p.setPen(QPen(QColor(120, 110, 95), 1.5));
  p.setBrush(QColor(250, 246, 236));
  p.drawRoundedRect(QRectF(4, 4, 56, 56), 6, 6);

  // Three washes, glazed over one another as the separations are.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(226, 178, 60, 210));
  p.drawEllipse(QRectF(9, 12, 30, 26));
  p.setBrush(QColor(196, 72, 56, 190));
  p.drawEllipse(QRectF(25, 10, 28, 30));
  p.setBrush(QColor(54, 104, 170, 190));
  p.drawEllipse(QRectF(16, 28, 34, 24));

  // The outline: one pencil stroke.
  QPainterPath stroke;
  stroke.moveTo(10, 50);
  stroke.cubicTo(22, 36, 34, 58, 54, 20);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(40, 38, 36), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(stroke);
  return image;
}

QIcon App_Icon() {
  QIcon icon;
  for (const int side : kIconSides) icon.addPixmap(QPixmap::fromImage(App_Icon_Image(side)));
  return icon;
}

bool Write_App_Icons(const QString& folder, QString& failed) {
  QDir().mkpath(folder);
  for (const int side : kIconSides) {
    const QString path = QDir(folder).filePath(QString("quorlin-separator-%1.png").arg(side));
    if (!App_Icon_Image(side).save(path, "PNG")) {
      failed = path;
      return false;
    }
  }
  return true;
}
