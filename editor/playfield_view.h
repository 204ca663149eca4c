// The playfield picture with the grid, the brush or shape under the pointer, and the selection over it.
#pragma once
#include <utility>
#include <vector>

#include "editor/picture_box.h"
#include "editor/playfield.h"

class PlayfieldView : public PictureBox {
  Q_OBJECT

 public:
  // A cell of the preview and the tile image it would get; a null image stands for erasing.
  using PreviewCell = std::pair<Cell, QImage>;

  explicit PlayfieldView(QWidget* parent = nullptr);

  void setGridShown(bool shown);
  bool gridShown() const { return gridShown_; }
  void setPreview(std::vector<PreviewCell> cells);
  const std::vector<PreviewCell>& preview() const { return preview_; }
  // The selected cells, any shape; none when empty.
  void setSelection(std::vector<Cell> cells);
  // Sizes the view to the playfield at `scale` screen pixels per picture pixel.
  void zoomTo(double scale);

 protected:
  void paintOverlay(QPainter& painter) override;

 private:
  void paintSelection(QPainter& painter) const;
  bool gridShown_ = false;
  std::vector<PreviewCell> preview_;
  std::vector<Cell> selection_;
};
