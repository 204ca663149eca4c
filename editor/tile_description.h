// Words for a tile: the kind labels of the builder, and the one-line description tooltips and the overview show.
#pragma once
#include <QString>
#include <array>

#include "content/tileset_file.h"

// The builder's label of kinds 1 .. 4, indexed by kind; index 0 is unused.
inline const std::array<QString, 5> KindLabels{QString(), QStringLiteral("Hittable"), QStringLiteral("Indestruct."),
                                               QStringLiteral("Go-thru"), QStringLiteral("Dynamite")};
// "Up", "Right", "Down", "Left": the shooter directions in the order of their boxes.
inline const std::array<QString, 4> DirectionLabels{QStringLiteral("Up"), QStringLiteral("Right"),
                                                    QStringLiteral("Down"), QStringLiteral("Left")};

// "Hittable", "Shooter Up+Left", or "Unassigned" for kind 0.
QString KindName(std::int32_t kind);
// "Tile 7: Hittable, stage 2 of 3, frame 1 of 4": everything the tile's record says about it in play.
QString DescribeTile(int number, const TileDef& tile);
