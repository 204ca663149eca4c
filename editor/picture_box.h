// A picture shown at a whole-pixel scale from the top-left corner; it reports presses in picture pixels.
#pragma once
#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const QImage& picture() const { return picture_; }
  void setPicture(const QImage& picture);
  // A single-line border drawn inside the box edges; `highlighted` draws it in the selection colour.
  void setBordered(bool bordered);
  bool bordered() const { return bordered_; }
  void setHighlighted(bool highlighted);
  // Distance of the picture from the box's top-left corner, leaving room for the border.
  void setInset(int inset) { inset_ = inset; }
  // Screen pixels per picture pixel.
  void setScale(double scale);
  double scale() const { return scale_; }

 signals:
  void pressed(QPoint position, Qt::MouseButton button);
  void moved(QPoint position, Qt::MouseButtons buttons);
  void released(Qt::MouseButton button);
  void left();

 protected:
  // Drawn over the picture, in picture pixels.
  virtual void paintOverlay(QPainter&) {}
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Right presses belong to the box (erasing, expanding): the context menu that follows them is not passed on
  // to the window, which would look for it where the box no longer lies when the press moved or resized it.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPoint picturePoint(QPointF position) const;

  QImage picture_;
  bool bordered_ = false;
  bool highlighted_ = false;
  int inset_ = 0;
  double scale_ = 1.0;
};
