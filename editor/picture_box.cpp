// A picture box: pixel-exact drawing at a chosen scale, mouse reports in picture pixels.
#include "editor/picture_box.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::setBordered(bool bordered) {
  bordered_ = bordered;
  update();
}

void PictureBox::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  update();
}

void PictureBox::setScale(double scale) {
  scale_ = scale;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (highlighted_) painter.fillRect(rect(), QColor(255, 214, 64));
  // Whole pixels scaled without smoothing stay sharp at any zoom and on high-resolution screens.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.save();
  painter.translate(inset_, inset_);
  painter.scale(scale_, scale_);
  if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
  paintOverlay(painter);
  painter.restore();
  if (bordered_) {
    painter.setPen(QPen(highlighted_ ? QColor(200, 40, 40) : Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

QPoint PictureBox::picturePoint(QPointF position) const {
  return QPoint(static_cast<int>(std::floor((position.x() - inset_) / scale_)),
                static_cast<int>(std::floor((position.y() - inset_) / scale_)));
}

void PictureBox::mousePressEvent(QMouseEvent* event) { emit pressed(picturePoint(event->position()), event->button()); }

void PictureBox::mouseMoveEvent(QMouseEvent* event) { emit moved(picturePoint(event->position()), event->buttons()); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) { emit released(event->button()); }

void PictureBox::leaveEvent(QEvent*) { emit left(); }

void PictureBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
