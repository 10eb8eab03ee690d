// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// PictureBox: a framed drawing surface that keeps everything drawn on it in
// an image of device pixels (covering, repainting and resizing the window
// keep the drawing; it stays sharp on a high-density screen), with a user
// coordinate system spanning its contents rectangle, one-pixel lines and a
// mouse-move callback in user units. Its child labels can be placed in user
// units too. Nothing drawn is erased but by Erase() and Restore();
// destroying the box discards the drawing. A marker (a thin vertical line
// and a small square) can be shown over the drawing without entering it,
// for a cursor moved from the keyboard.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include <QFrame>
#include <QImage>
#include <QList>
#include <QPolygonF>

class QAction;

namespace ui {

class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent);

  // Sets the user coordinates of the upper-left corner (left, top) and the
  // lower-right corner (right, bottom) of the contents rectangle. Until the
  // first call the box counts in twips from its upper-left corner.
  void SetScale(double left, double top, double right, double bottom);

  // Sets the ground the drawing starts from; call before drawing.
  void SetBackground(const QColor& colour);
  // Erases the whole drawing to the ground.
  void Erase() { SetBackground(background_); }

  // Draws a line one logical pixel thick (rounded to whole device pixels:
  // 2 at a density of 1.5 or 2) between two points in user units, both end
  // pixels included, in the foreground colour (the button-text colour) or
  // in `rgb` (0xRRGGBB). The parts outside the box are clipped; a line with
  // a coordinate that is not a finite number is not drawn.
  void DrawLine(float x1, float y1, float x2, float y2);
  void DrawLine(float x1, float y1, float x2, float y2, QRgb rgb);
  // Draws `lines` in their order, each as DrawLine would: the pixels are
  // the same, the drawing's memory is looked up once for all of them.
  struct Line {
    float x1, y1, x2, y2;
    QRgb rgb;
  };
  void DrawLines(std::span<const Line> lines);

  // Moves `child` so that its upper-left corner stands at (x, y) in user units.
  void PlaceChild(QWidget* child, double x, double y) const;

  // Returns the user coordinates of a position in widget pixels.
  QPointF ToUser(const QPointF& position) const;
  // Returns the widget position of a point in user units.
  QPointF FromUser(const QPointF& point) const;

  // Called for every mouse movement over the box, and for movements
  // anywhere while a button pressed inside keeps the mouse, with the buttons
  // held (1 left, 2 right, 4 middle), the keys held (1 shift, 2 control,
  // 4 alt) and the position in user units.
  using MouseMoveHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;
  void SetMouseMoveHandler(MouseMoveHandler handler);

  // Called for Left, Right, Up, Down, Home, End, PageUp and PageDown while
  // the box has the keyboard focus, with the modifiers held; and with
  // Qt::Key_unknown when the box gains the focus from the keyboard (Tab,
  // Backtab). A box with a handler takes the focus, one without none.
  // Shift+F10 opens the context menu.
  using KeyHandler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;
  void SetKeyHandler(KeyHandler handler);

  // While the box has the focus it shows it on its frame, in the highlight
  // colour, outside the drawing; a picture taken of the window should not
  // hold it, and turns it off meanwhile.
  void SetFocusFrameShown(bool shown);

  // Shows the marker at `point` (user units) in `colour` over the drawing,
  // or hides it (nullopt). The mouse moving over the box and the box losing
  // the focus hide it too.
  void SetMarker(std::optional<QPointF> point, const QColor& colour = Qt::black);
  bool marker_shown() const { return marker_.has_value(); }

  // Draws `lines` (polylines in user units) over the drawing in `colour`,
  // as thick as the drawn lines, without entering the drawing: showing none
  // gives back exactly what was drawn. An empty list removes them.
  void SetOverlay(QList<QPolygonF> lines, const QColor& colour);
  // The user x of the middle of each column of device pixels across the
  // contents, left to right: where a curve over the drawing is sharpest.
  QList<double> ColumnXs() const;

  // The commands of the box's context menu.
  void SetContextActions(QList<QAction*> actions) { context_actions_ = std::move(actions); }

  // While a Hold lives, the lines drawn reach the screen together when it
  // ends, not piece by piece whenever a long drawing lets the events through.
  class Hold {
   public:
    explicit Hold(PictureBox& box) : box_(box) { box_.held_ = true; }
    ~Hold() {
      box_.held_ = false;
      box_.update();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    PictureBox& box_;
  };

  // The drawing, in device pixels (its devicePixelRatio() says how many per
  // logical pixel of the contents).
  const QImage& image() const { return image_; }
  // Puts back `drawing`, an image() taken earlier: what was drawn since goes.
  void Restore(const QImage& drawing);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The drawing's pixels, fetched once for a group of lines.
  struct Raster {
    uchar* bits;
    qsizetype stride;
    int width, height;
  };
  Raster PixelsToDraw();
  // Draws the line in user units into `raster`, unless a coordinate is not
  // a finite number; then asks for the repaint.
  void Rasterize(const Raster& raster, float x1, float y1, float x2, float y2, QRgb rgb);
  // Draws the line from (x1, y1) to (x2, y2) in image pixel coordinates.
  void RasterizeLine(const Raster& raster, double x1, double y1, double x2, double y2, QRgb rgb);
  void AskRepaint();
  // Recomputes the pixels per user unit after a change of scale, size or
  // density.
  void UpdateScale();
  // Returns the device pixels of a size in logical pixels, rounded up.
  QSize DeviceSize(QSize logical) const;

  QImage image_;
  QColor background_;
  double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  bool twips_scale_ = true;
  QRect contents_;  // the contents rectangle, where the image is shown
  double pixels_per_x_ = 1.0 / 15, pixels_per_y_ = 1.0 / 15;  // logical
  double device_per_x_ = 1.0 / 15, device_per_y_ = 1.0 / 15;  // of the image
  int line_pixels_ = 1;                                       // of the image
  bool repaint_pending_ = false;
  bool held_ = false;
  MouseMoveHandler mouse_move_handler_;
  KeyHandler key_handler_;
  std::optional<QPointF> marker_;  // user units
  QColor marker_colour_;
  bool focus_frame_shown_ = true;
  QList<QPolygonF> overlay_;  // user units
  QColor overlay_colour_;
  QList<QAction*> context_actions_;
};

}  // namespace ui
