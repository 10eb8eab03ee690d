// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/picture_box.h"

#include <algorithm>
#include <cmath>

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "ui/widgets/image_box.h"

namespace ui {

namespace {

// Clips the segment (x1, y1)-(x2, y2) to [0, width] x [0, height]
// (Liang-Barsky). Returns false when nothing of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double width, double height) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1, width - x1, y1, height - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double cx1 = x1 + t0 * dx, cy1 = y1 + t0 * dy;
  x2 = x1 + t1 * dx;
  y2 = y1 + t1 * dy;
  x1 = cx1;
  y1 = cy1;
  return true;
}

// The first of the `width` pixels that a line of that thickness covers across
// device coordinate `v`, in an image `size` pixels wide: the pixels nearest
// to `v`, so that a thick line stays centred where its coordinate puts it;
// the far edge itself belongs to the last pixels.
int PixelOf(double v, int size, int width) {
  // One pixel wide, the floor of a coordinate at or above 0 is its integer
  // part, and any below 0 gives pixel 0: the same pixel, without a floor.
  if (width == 1) return std::min(static_cast<int>(std::max(v, 0.0)), size - 1);
  return std::clamp(static_cast<int>(std::floor(v - (width - 1) / 2.0)), 0, size - width);
}

// Calls plot(x, y) for every pixel of the line between the end pixels
// (px, py) and (qx, qy), both included (Bresenham).
template <class Plot>
void Bresenham(int px, int py, int qx, int qy, Plot plot) {
  const int dx = std::abs(qx - px), sx = px < qx ? 1 : -1;
  const int dy = -std::abs(qy - py), sy = py < qy ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    plot(px, py);
    if (px == qx && py == qy) return;
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      px += sx;
    }
    if (e2 <= dx) {
      error += dx;
      py += sy;
    }
  }
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  ApplyPictureFrame(this);
  setAttribute(Qt::WA_StaticContents);
  setMouseTracking(true);
  background_ = palette().color(QPalette::Window);
}

void PictureBox::SetScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  twips_scale_ = false;
  UpdateScale();
}

void PictureBox::UpdateScale() {
  contents_ = contentsRect();
  if (twips_scale_) {
    pixels_per_x_ = pixels_per_y_ = 1.0 / 15;
  } else {
    pixels_per_x_ = contents_.width() / (right_ - left_);
    pixels_per_y_ = contents_.height() / (bottom_ - top_);
  }
  const double ratio = image_.devicePixelRatio();
  device_per_x_ = pixels_per_x_ * ratio;
  device_per_y_ = pixels_per_y_ * ratio;
  // The logical one-pixel line, rounded to whole device pixels.
  line_pixels_ = std::max(1, static_cast<int>(std::lround(ratio)));
}

void PictureBox::SetBackground(const QColor& colour) {
  background_ = colour;
  image_.fill(colour);
  update();
}

QPointF PictureBox::ToUser(const QPointF& position) const {
  const QRect contents = contentsRect();
  const double px = position.x() - contents.left();
  const double py = position.y() - contents.top();
  if (twips_scale_) return {px * 15, py * 15};
  return {left_ + px * (right_ - left_) / contents.width(),
          top_ + py * (bottom_ - top_) / contents.height()};
}

QPointF PictureBox::FromUser(const QPointF& point) const {
  return {contents_.left() + (point.x() - left_) * pixels_per_x_,
          contents_.top() + (point.y() - top_) * pixels_per_y_};
}

void PictureBox::PlaceChild(QWidget* child, double x, double y) const {
  const QPointF position = FromUser({x, y});
  child->move(static_cast<int>(std::lround(position.x())),
              static_cast<int>(std::lround(position.y())));
}

void PictureBox::DrawLine(float x1, float y1, float x2, float y2) {
  DrawLine(x1, y1, x2, y2, palette().color(QPalette::ButtonText).rgb());
}

void PictureBox::DrawLine(float x1, float y1, float x2, float y2, QRgb rgb) {
  const Line line{x1, y1, x2, y2, rgb};
  DrawLines({&line, 1});
}

void PictureBox::DrawLines(std::span<const Line> lines) {
  const Raster raster = PixelsToDraw();
  for (const Line& line : lines) Rasterize(raster, line.x1, line.y1, line.x2, line.y2, line.rgb);
}

PictureBox::Raster PictureBox::PixelsToDraw() {
  return {image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()};
}

void PictureBox::Rasterize(const Raster& raster, float x1, float y1, float x2, float y2, QRgb rgb) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  RasterizeLine(raster, (x1 - left_) * device_per_x_, (y1 - top_) * device_per_y_,
                (x2 - left_) * device_per_x_, (y2 - top_) * device_per_y_, rgb);
  AskRepaint();
}

void PictureBox::AskRepaint() {
  if (!repaint_pending_ && !held_) {
    repaint_pending_ = true;
    update();
  }
}

void PictureBox::RasterizeLine(const Raster& raster, double x1, double y1, double x2, double y2,
                               QRgb rgb) {
  const int width = raster.width;
  const int height = raster.height;
  if (width == 0 || height == 0) return;
  const bool inside =
      std::min({x1, x2, y1, y2}) >= 0 && std::max(x1, x2) <= width && std::max(y1, y2) <= height;
  if (!inside && !ClipSegment(x1, y1, x2, y2, width, height)) return;
  const int thick = line_pixels_;
  const int px = PixelOf(x1, width, thick), py = PixelOf(y1, height, thick);
  const int qx = PixelOf(x2, width, thick), qy = PixelOf(y2, height, thick);
  const QRgb pixel = 0xff000000u | rgb;
  uchar* const bits = raster.bits;
  const qsizetype stride = raster.stride;
  auto at = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(bits + y * stride)[x]; };
  if (thick == 1) {
    Bresenham(px, py, qx, qy, [&](int x, int y) { at(x, y) = pixel; });
    return;
  }
  // A line that runs more across than down is thickened downwards, one that
  // runs more down than across rightwards: it is equally thick all along.
  const bool flat = std::abs(qx - px) >= std::abs(qy - py);
  Bresenham(px, py, qx, qy, [&](int x, int y) {
    for (int i = 0; i < thick; ++i) at(flat ? x : x + i, flat ? y + i : y) = pixel;
  });
}

void PictureBox::Restore(const QImage& drawing) {
  image_ = drawing;
  update();
}

void PictureBox::SetMouseMoveHandler(MouseMoveHandler handler) {
  mouse_move_handler_ = std::move(handler);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  repaint_pending_ = false;
  // Moved to a screen of another density: the drawing keeps its place.
  if (image_.devicePixelRatio() != devicePixelRatioF()) {
    const QSize logical = image_.deviceIndependentSize().toSize().expandedTo(contentsRect().size());
    image_ = image_.scaled(DeviceSize(logical));
    image_.setDevicePixelRatio(devicePixelRatioF());
    UpdateScale();
  }
  QPainter painter(this);
  if (focus_frame_shown_ && hasFocus()) {
    // The focus covers the whole frame, outside the drawing, at any density:
    // filled, where lines one device pixel thick would leave the frame's own
    // lines between them.
    const QColor highlight = palette().color(QPalette::Highlight);
    for (const QRect& band : QRegion(rect()).subtracted(contentsRect()))
      painter.fillRect(band, highlight);
  }
  const QRect contents = contentsRect();
  painter.setClipRect(contents);
  painter.drawImage(contents.topLeft(), image_);
  if (!overlay_.isEmpty()) {
    // As thick as the drawn lines: line_pixels_ device pixels, unsmoothed.
    painter.setPen(QPen(overlay_colour_, line_pixels_ / devicePixelRatioF()));
    for (const QPolygonF& line : overlay_) {
      QPolygonF widget;
      widget.reserve(line.size());
      for (const QPointF& point : line) widget << FromUser(point);
      painter.drawPolyline(widget);
    }
  }
  if (marker_) {
    // One logical pixel wide, over the drawing: the image never holds it.
    const QPointF at = FromUser(*marker_);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(QPointF(at.x(), contents.top()), QPointF(at.x(), contents.bottom()));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(marker_colour_);
    painter.drawRect(QRectF(at.x() - 3, at.y() - 3, 6, 6));
  }
}

QSize PictureBox::DeviceSize(QSize logical) const {
  const double ratio = devicePixelRatioF();
  return {static_cast<int>(std::ceil(logical.width() * ratio)),
          static_cast<int>(std::ceil(logical.height() * ratio))};
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  UpdateScale();
  const QSize size = DeviceSize(contentsRect().size()).expandedTo(image_.size());
  if (size == image_.size() && image_.devicePixelRatio() == devicePixelRatioF()) return;
  QImage grown(size, QImage::Format_RGB32);
  grown.setDevicePixelRatio(devicePixelRatioF());
  grown.fill(background_);
  QPainter(&grown).drawImage(0, 0, image_);
  image_ = grown;
  UpdateScale();
}

void PictureBox::SetKeyHandler(KeyHandler handler) {
  key_handler_ = std::move(handler);
  setFocusPolicy(key_handler_ ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::SetFocusFrameShown(bool shown) {
  focus_frame_shown_ = shown;
  update();
}

void PictureBox::SetOverlay(QList<QPolygonF> lines, const QColor& colour) {
  overlay_ = std::move(lines);
  overlay_colour_ = colour;
  update();
}

QList<double> PictureBox::ColumnXs() const {
  QList<double> xs;
  const int columns = DeviceSize(contentsRect().size()).width();
  xs.reserve(columns);
  for (int i = 0; i < columns; ++i) xs << left_ + (i + 0.5) / device_per_x_;
  return xs;
}

void PictureBox::SetMarker(std::optional<QPointF> point, const QColor& colour) {
  marker_ = point;
  marker_colour_ = colour;
  update();
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (key_handler_) key_handler_(event->key(), event->modifiers());
      break;
    case Qt::Key_F10:
      if (event->modifiers() == Qt::ShiftModifier) {  // the keyboard's way to the context menu
        const QPoint at = marker_ ? FromUser(*marker_).toPoint() : contents_.center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        contextMenuEvent(&menu);
        break;
      }
      [[fallthrough]];
    default:
      QFrame::keyPressEvent(event);
  }
}

void PictureBox::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  const bool by_keyboard =
      event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  if (by_keyboard && key_handler_) key_handler_(Qt::Key_unknown, Qt::NoModifier);
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  // A menu of the box keeps the cursor: its commands may need it hidden anyway.
  if (event->reason() != Qt::PopupFocusReason) SetMarker(std::nullopt);
}

void PictureBox::contextMenuEvent(QContextMenuEvent* event) {
  if (context_actions_.isEmpty()) return;
  QMenu menu(this);
  menu.setToolTipsVisible(true);  // a disabled command says why
  menu.addActions(context_actions_);
  menu.exec(event->globalPos());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  QFrame::mouseMoveEvent(event);
  if (marker_) SetMarker(std::nullopt);  // the mouse takes over from the keyboard cursor
  if (!mouse_move_handler_) return;
  // Over the frame only while a button pressed inside keeps the mouse; the
  // edges of the contents (user x = 100, y = 0) still belong to them.
  if (event->buttons() == Qt::NoButton && !QRectF(contents_).contains(event->position())) return;
  const Qt::MouseButtons buttons = event->buttons();
  const Qt::KeyboardModifiers keys = event->modifiers();
  const int16_t button = (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                         (buttons & Qt::MiddleButton ? 4 : 0);
  const int16_t shift = (keys & Qt::ShiftModifier ? 1 : 0) | (keys & Qt::ControlModifier ? 2 : 0) |
                        (keys & Qt::AltModifier ? 4 : 0);
  const QPointF user = ToUser(event->position());
  mouse_move_handler_(button, shift, static_cast<float>(user.x()), static_cast<float>(user.y()));
}

}  // namespace ui
