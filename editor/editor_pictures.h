// Pictures of the editor: bitmaps read through the content library, and the few pictures drawn in code.
#pragma once
#include <QImage>
#include <QString>

// Reads a ".bmp" file; on failure `error` names the file and the problem.
bool LoadBitmapPicture(const QString& path, QImage& picture, QString& error);
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
