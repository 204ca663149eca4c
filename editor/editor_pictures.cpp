// Bitmap reading for the editor and the pictures it draws itself.
#include "editor/editor_pictures.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>
#include <string>

#include "content/bitmap_file.h"
#include "content/names.h"
#include "content/playfield.h"
#include "content/tileset_file.h"

namespace {

QImage PictureOf(const Bitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width; ++x) line[x] = 0xFF000000u | bitmap.at(x, y);
  }
  return image;
}

// The colours as stored, whatever the alpha: a transparent pixel keeps the colour it was given.
Bitmap BitmapOf(const QImage& picture) {
  const QImage straight = picture.convertToFormat(QImage::Format_ARGB32);
  Bitmap bitmap{straight.width(), straight.height(), {}};
  bitmap.pixels.reserve(static_cast<std::size_t>(bitmap.width) * bitmap.height);
  for (int y = 0; y < bitmap.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    for (int x = 0; x < bitmap.width; ++x) bitmap.pixels.push_back(line[x] & 0xFFFFFFu);
  }
  return bitmap;
}

// Qt fills in what a cut-off file lacks, so it is asked only about kinds the game does not read (the game's
// `problem` says so for a bitmap), and a bitmap only when all its pixel rows are there.
bool LeftToQt(const QByteArray& bytes, const QString& problem) {
  if (bytes.startsWith("\x89PNG\r\n\x1a\n")) return true;
  if (!problem.contains(QStringLiteral("unsupported bitmap:")) || bytes.size() < 30) return false;
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  const qint64 width = qFromLittleEndian<qint32>(data + 18);
  const qint64 height = std::abs(qint64{qFromLittleEndian<qint32>(data + 22)});
  const qint64 stride = (width * qFromLittleEndian<quint16>(data + 28) + 31) / 32 * 4;
  return width > 0 && qFromLittleEndian<quint32>(data + 10) + stride * height <= bytes.size();
}

}  // namespace

bool LoadBitmapPicture(const QString& path, QImage& picture, QString& error) {
  Bitmap bitmap;
  std::string why;
  if (!ReadBitmapFile(path.toStdString(), bitmap, why)) {
    error = QString::fromStdString(why);
    return false;
  }
  picture = PictureOf(bitmap);
  return true;
}

bool LoadAnyPicture(const QString& path, QImage& picture, bool& foreign, QString& error) {
  foreign = false;
  if (LoadBitmapPicture(path, picture, error)) return true;
  QFile file(path);
  const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  const QImage read = LeftToQt(bytes, error) ? QImage::fromData(bytes) : QImage();
  if (read.isNull()) {
    error += QStringLiteral(" (the editor reads BMP and PNG pictures)");
    return false;
  }
  foreign = true;
  picture = PictureOf(BitmapOf(read));
  return true;
}

bool WriteGamePicture(const QString& path, const QImage& picture, QString& error) {
  std::string why;
  if (WriteBitmapFile(path.toStdString(), BitmapOf(picture), why)) return true;
  error = QString::fromStdString(why);
  return false;
}

QString GamePictureName(const QString& fileName) {
  return QString::fromStdString(ReplaceLastThree(fileName.toStdString(), "bmp"));
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
