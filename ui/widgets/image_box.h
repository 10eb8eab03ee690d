// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A framed picture box showing a fixed SVG image at its natural pixel size
// from the upper-left corner of its contents, clipped to the box (never
// stretched). The image is rendered once, at the screen's pixel density.
#pragma once

#include <QFrame>
#include <QPixmap>

namespace ui {

// Gives `frame` the frame of the windows' picture boxes: a sunken 3D border.
// A picture takes no keyboard focus unless it does something with keys.
void ApplyPictureFrame(QFrame* frame);

class ImageBox : public QFrame {
  Q_OBJECT

 public:
  // `resource` is a Qt resource path such as ":/schematic.svg".
  ImageBox(const QString& resource, QWidget* parent);

  // The image's natural size in device-independent pixels.
  QSize natural_size() const { return natural_size_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString resource_;
  QSize natural_size_;
  QPixmap pixmap_;
};

}  // namespace ui
