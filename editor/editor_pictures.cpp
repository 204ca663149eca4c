// Bitmap reading for the editor and the pictures it draws itself.
#include "editor/editor_pictures.h"

#include <QPainter>
#include <cstdlib>
#include <string>

#include "content/bitmap_file.h"
#include "content/playfield.h"
#include "content/tileset_file.h"

bool LoadBitmapPicture(const QString& path, QImage& picture, QString& error) {
  Bitmap bitmap;
  std::string why;
  if (!ReadBitmapFile(path.toStdString(), bitmap, why)) {
    error = QString::fromStdString(why);
    return false;
  }
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width; ++x) line[x] = 0xFF000000u | bitmap.at(x, y);
  }
  picture = image;
  return true;
}

QImage TileImage(const QImage& bitmap, int x, int y) { return bitmap.copy(x, y, TileWidth, TileHeight); }

namespace {

// A bar that fades from a bright core to darker edges across its thickness.
QImage PaddleStrip(int width, int height, bool horizontal) {
  QImage strip(width, height, QImage::Format_RGB32);
  const int thickness = horizontal ? height : width;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int across = horizontal ? y : x;
      const int distance = std::abs(2 * across - (thickness - 1));  // 0 at the core
      const int light = 230 - distance * 14;
      strip.setPixel(x, y, qRgb(light / 3, light * 2 / 3, light));
    }
  }
  return strip;
}

}  // namespace

QImage HorizontalPaddleStrip() { return PaddleStrip(PlayfieldWidth, PaddleThickness, true); }

QImage VerticalPaddleStrip() { return PaddleStrip(PaddleThickness, PlayfieldHeight, false); }

QImage ClickToSetPicture() {
  QImage picture(225, 57, QImage::Format_RGB32);
  picture.fill(QColor(40, 40, 48));
  QPainter painter(&picture);
  painter.setPen(QColor(200, 200, 210));
  painter.drawRect(0, 0, 224, 56);
  painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Click to set"));
  return picture;
}

QImage BlackPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::black);
  return picture;
}

QImage EraserPicture() {
  QImage picture(TileWidth, TileHeight, QImage::Format_RGB32);
  picture.fill(QColor(24, 24, 24));
  QPainter painter(&picture);
  painter.setPen(QColor(220, 60, 60));
  painter.drawLine(9, 1, 22, 14);
  painter.drawLine(22, 1, 9, 14);
  return picture;
}
