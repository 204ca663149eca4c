// The clipboard's cells as a small JSON object under our own type.
#include "editor/cell_clipboard.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <set>

#include "editor/tile_description.h"

namespace {

QString DescribeIn(const LoadedTileSet& tileSet, std::int32_t tile) {
  if (tile > tileSet.usableTiles()) return {};
  return DescribeTile(tile, tileSet.tileSet.tiles[static_cast<std::size_t>(tile)]);
}

bool InRange(const QJsonValue& value, qint64 low, qint64 high) {
  const double number = value.toDouble(-1);
  return value.isDouble() && number == static_cast<double>(static_cast<qint64>(number)) && number >= low &&
         number <= high;
}

}  // namespace

void PutCellsOnClipboard(const CellBlock& block, const LoadedTileSet& source) {
  QJsonArray tiles;
  QJsonObject described;
  for (const std::int32_t tile : block.tiles) {
    tiles.append(tile);
    if (tile > 0) described.insert(QString::number(tile), DescribeIn(source, tile));
  }
  const QJsonObject object{{QStringLiteral("tileset"), QFileInfo(source.path).fileName()},
                           {QStringLiteral("columns"), block.columns},
                           {QStringLiteral("rows"), block.rows},
                           {QStringLiteral("tiles"), tiles},
                           {QStringLiteral("described"), described}};
  auto* data = new QMimeData;
  data->setData(CellsMimeType, QJsonDocument(object).toJson(QJsonDocument::Compact));
  QGuiApplication::clipboard()->setMimeData(data);
}

bool TakeCellsFromClipboard(CopiedCells& copied) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(CellsMimeType)) return false;
  const QJsonObject object = QJsonDocument::fromJson(data->data(CellsMimeType)).object();
  const QJsonValue columns = object.value(QStringLiteral("columns"));
  const QJsonValue rows = object.value(QStringLiteral("rows"));
  const QJsonArray tiles = object.value(QStringLiteral("tiles")).toArray();
  if (!InRange(columns, 1, PlayColumns) || !InRange(rows, 1, PlayRows) ||
      tiles.size() != columns.toInteger() * rows.toInteger())
    return false;
  CopiedCells read;
  read.block.columns = static_cast<int>(columns.toInteger());
  read.block.rows = static_cast<int>(rows.toInteger());
  for (const QJsonValue tile : tiles) {
    if (!InRange(tile, NoTile, MaxTileCount)) return false;
    read.block.tiles.push_back(static_cast<std::int32_t>(tile.toInteger()));
  }
  read.tileSetName = object.value(QStringLiteral("tileset")).toString();
  const QJsonObject described = object.value(QStringLiteral("described")).toObject();
  for (auto entry = described.begin(); entry != described.end(); ++entry)
    read.tiles[entry.key().toInt()] = entry.value().toString();
  copied = std::move(read);
  return true;
}

CellBlock FitToTileSet(const CopiedCells& copied, const LoadedTileSet& target, QString& warning) {
  std::set<std::int32_t> used(copied.block.tiles.begin(), copied.block.tiles.end());
  used.erase(0);
  used.erase(NoTile);
  std::set<std::int32_t> lacking;
  QStringList changed;
  for (const std::int32_t tile : used) {
    const QString there = DescribeIn(target, tile);
    const auto source = copied.tiles.find(tile);
    const QString copiedAs = source == copied.tiles.end() ? QString() : source->second;
    if (there.isEmpty()) {
      lacking.insert(tile);
    } else if (there != copiedAs) {
      changed << QStringLiteral("%1 (copied as %2)").arg(there, copiedAs.section(QStringLiteral(": "), 1));
    }
  }
  CellBlock fitted = copied.block;
  QStringList missing;
  for (const std::int32_t tile : lacking) missing << QString::number(tile);
  for (std::int32_t& tile : fitted.tiles)
    if (lacking.count(tile)) tile = 0;
  warning.clear();
  const QString into = QFileInfo(target.path).fileName();
  if (!missing.isEmpty())
    warning += QStringLiteral("%1 has no tile %2: those cells are pasted empty.\n")
                   .arg(into, missing.join(QStringLiteral(", ")));
  if (!changed.isEmpty())
    warning += QStringLiteral("These tiles are pasted by number but differ in %1:\n%2\n")
                   .arg(into, changed.join(QLatin1Char('\n')));
  if (!warning.isEmpty())
    warning.prepend(QStringLiteral("The cells were copied from a level on %1.\n").arg(copied.tileSetName));
  return fitted;
}
