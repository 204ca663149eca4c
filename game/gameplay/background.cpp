// The level's background picture, tiled from the top-left corner.
#include "gameplay/effects.h"

#include "core/game.h"
#include "platform/display.h"

void DrawBackground(Game& game) {
  const GameWorld& world = game.world;
  if (game.options.backgroundOn == 0 || world.backgroundImage < 0) return;
  const ImageSize picture = PictureSize(game.platform, world.backgroundImage);
  for (int i = 0; i < world.backgroundRepeatX; ++i)
    for (int j = 0; j < world.backgroundRepeatY; ++j)
      DrawWholeImage(game.platform, world.backgroundImage, static_cast<float>(i * picture.width),
                     static_cast<float>(j * picture.height));
}
