// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/image_box.h"

#include <QPainter>
#include <QSvgRenderer>

namespace ui {

void ApplyPictureFrame(QFrame* frame) { frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); }

ImageBox::ImageBox(const QString& resource, QWidget* parent) : QFrame(parent), resource_(resource) {
  ApplyPictureFrame(this);
  QSvgRenderer renderer(resource_);
  natural_size_ = renderer.defaultSize();
}

void ImageBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const qreal ratio = devicePixelRatioF();
  if (pixmap_.isNull() || pixmap_.devicePixelRatio() != ratio) {
    pixmap_ = QPixmap(natural_size_ * ratio);
    pixmap_.setDevicePixelRatio(ratio);
    pixmap_.fill(Qt::white);
    QPainter image_painter(&pixmap_);
    QSvgRenderer(resource_).render(&image_painter, QRectF(QPointF(0, 0), natural_size_));
  }
  QPainter painter(this);
  const QRect contents = contentsRect();
  painter.fillRect(contents, Qt::white);
  painter.setClipRect(contents);
  painter.drawPixmap(contents.topLeft(), pixmap_);
}

}  // namespace ui
