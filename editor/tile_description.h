// Words for a tile: the one-line description tooltips and the overview show, and the shooter directions' names.
#pragma once
#include <QString>
#include <array>

#include "content/tileset_file.h"

// "Up", "Right", "Down", "Left": the shooter directions in the order of their boxes.
inline const std::array<QString, 4> DirectionLabels{QStringLiteral("Up"), QStringLiteral("Right"),
                                                    QStringLiteral("Down"), QStringLiteral("Left")};

// The builder's option for a kind: "Hittable", "Indestruct.", ..., "Shooter".
inline QString KindLabel(const BrickKind& kind) {
  return QString::fromLatin1(kind.label.data(), static_cast<qsizetype>(kind.label.size()));
}
// "Hittable", "Shooter Up+Left", or "Unassigned" for kind 0.
QString KindName(std::int32_t kind);
// "Tile 7: Hittable, stage 2 of 3, frame 1 of 4": everything the tile's record says about it in play.
QString DescribeTile(int number, const TileDef& tile);
