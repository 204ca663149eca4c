// Painters for every picture of the game's Gfx folder, one look: glassy crystal shards on dark space.
#pragma once
#include <map>
#include <string>

#include "tools/default_content/paint/canvas.h"

namespace pictures {

// The house colours.
namespace look {
inline const paint::Color Ice = paint::Rgb(200, 245, 255);
inline const paint::Color Cyan = paint::Rgb(60, 200, 255);
inline const paint::Color Violet = paint::Rgb(140, 90, 255);
inline const paint::Color Magenta = paint::Rgb(255, 70, 200);
inline const paint::Color Gold = paint::Rgb(255, 200, 70);
inline const paint::Color Ember = paint::Rgb(255, 120, 40);
inline const paint::Color Ink = paint::Rgb(16, 12, 48);  // outlines: dark, never pure black
}  // namespace look

paint::Canvas PaintPaddle();  // horizontal, 320 x 10; the vertical one is its transpose
paint::Canvas PaintBalls();   // 10 x 30: normal, Super, Dyna
paint::Canvas PaintExplosion();
paint::Canvas PaintLaserShot();  // 4 x 16 flying up (bottom paddle)
paint::Canvas PaintCannon();     // 8 x 16 pointing up (bottom paddle)
paint::Canvas PaintBarrier();    // 640 x 5
paint::Canvas PaintTrail();
paint::Canvas PaintNumbers();
paint::Canvas PaintFont();
paint::Canvas PaintCapsuleSheet(bool sideways);
// The capsules with their names and effects, column by column from (x, y), for the Read Me picture.
void DrawCapsuleGuide(paint::Canvas& canvas, int x, int y, int columns, int columnWidth, int rowHeight);
paint::Canvas PaintReadMe();  // the controls, the bricks and the capsules
paint::Canvas PaintTitle();
paint::Canvas PaintLoading();
paint::Canvas PaintMenuTile();

// The panel textures come as finished bitmaps, their colours chosen for SRCAND and the colour key by hand.
Bitmap PaintPanelMask();   // "menuback.bmp", ANDed over the backdrop
Bitmap PaintPanelPlain();  // "menuback2.bmp", the colour-keyed fallback

}  // namespace pictures
