// Pictures of the editor: bitmaps read through the content library, and the few pictures drawn in code.
#pragma once
#include <QImage>
#include <QString>

// The file dialogs' choice of pictures.
inline const QString PictureFilter = QStringLiteral("Pictures (*.bmp *.png)");
// Reads a ".bmp" file; on failure `error` names the file and the problem.
bool LoadBitmapPicture(const QString& path, QImage& picture, QString& error);
// Reads a picture chosen from anywhere: a bitmap the game reads as it stands, else a PNG or another BMP kind
// that Qt reads (such as 32-bit with bit fields), its alpha dropped. `foreign` tells the latter: the game shows
// such a picture only once WriteGamePicture has written it.
bool LoadAnyPicture(const QString& path, QImage& picture, bool& foreign, QString& error);
// Writes `picture` as the bitmap kind the game reads.
bool WriteGamePicture(const QString& path, const QImage& picture, QString& error);
// The name a foreign picture takes once written for the game: "logo.png" becomes "logo.bmp".
QString GamePictureName(const QString& fileName);
// The 32 x 16 image of a tile whose top-left corner lies at (x, y) of the tileset bitmap.
QImage TileImage(const QImage& bitmap, int x, int y);
// Strips drawn along the guarded sides: 640 x 10 and 10 x 480.
QImage HorizontalPaddleStrip();
QImage VerticalPaddleStrip();
// The picture the background box shows while no background is chosen.
QImage ClickToSetPicture();
QImage BlackPicture(int width, int height);
// Palette slot 0: the eraser.
QImage EraserPicture();
