// A picture box: pixel-exact drawing at the screen's scale, mouse reports in picture pixels.
#include "editor/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::setBordered(bool bordered) {
  bordered_ = bordered;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Whole logical pixels scaled by the device ratio without smoothing stay sharp on high-resolution screens.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (!picture_.isNull()) painter.drawImage(QRect(QPoint(inset_, inset_), picture_.size()), picture_);
  if (bordered_) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void PictureBox::mousePressEvent(QMouseEvent* event) { emit pressed(event->position().toPoint(), event->button()); }

void PictureBox::mouseMoveEvent(QMouseEvent* event) { emit moved(event->position().toPoint(), event->buttons()); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) { emit released(event->button()); }
