// A picture shown at its own pixel size from the top-left corner, clipped to the box; it reports presses.
#pragma once
#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const QImage& picture() const { return picture_; }
  void setPicture(const QImage& picture);
  // A single-line border drawn inside the box edges.
  void setBordered(bool bordered);
  bool bordered() const { return bordered_; }
  // Distance of the picture from the box's top-left corner, leaving room for the border.
  void setInset(int inset) { inset_ = inset; }

 signals:
  void pressed(QPoint position, Qt::MouseButton button);
  void moved(QPoint position, Qt::MouseButtons buttons);
  void released(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  bool bordered_ = false;
  int inset_ = 0;
};
