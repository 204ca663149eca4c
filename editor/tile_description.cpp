// Describing tiles in words.
#include "editor/tile_description.h"

#include <QStringList>

QString KindName(std::int32_t kind) {
  if (IsShooter(kind)) {
    const ShooterDirections directions = ShooterDirectionsOf(kind);
    const std::array<bool, 4> ticked{directions.up, directions.right, directions.down, directions.left};
    QStringList names;
    for (std::size_t i = 0; i < ticked.size(); ++i)
      if (ticked[i]) names << DirectionLabels[i];
    return QStringLiteral("Shooter ") + names.join(QLatin1Char('+'));
  }
  if (IsBrickKind(kind)) return KindLabel(BrickKinds[static_cast<std::size_t>(BrickKindPlace(kind))]);
  return kind == 0 ? QStringLiteral("Unassigned") : QStringLiteral("Kind %1").arg(kind);
}

QString DescribeTile(int number, const TileDef& tile) {
  QStringList parts{KindName(tile.kind)};
  if (tile.hitCount > 1) parts << QStringLiteral("stage %1 of %2 hits").arg(tile.hitStage).arg(tile.hitCount);
  if (tile.frameCount > 1) parts << QStringLiteral("frame %1 of %2").arg(tile.frameNumber).arg(tile.frameCount);
  return QStringLiteral("Tile %1: %2").arg(number).arg(parts.join(QStringLiteral(", ")));
}
