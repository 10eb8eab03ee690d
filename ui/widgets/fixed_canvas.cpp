// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/fixed_canvas.h"

#include <algorithm>

#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

QWidget* MakeScrollPage(QWidget* window) {
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(window);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* page = new QWidget;
  scroll->setWidget(page);
  layout->addWidget(scroll);
  return page;
}

QWidget* MakeCanvas(QWidget* window, QSize size, QPalette::ColorRole ground) {
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(window);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* canvas = new QWidget;
  canvas->setFixedSize(size);
  scroll->setWidget(canvas);
  // Beyond the canvas, when the window is made larger, the same ground.
  QPalette palette = scroll->viewport()->palette();
  palette.setColor(QPalette::Window, window->palette().color(ground));
  scroll->viewport()->setPalette(palette);
  scroll->viewport()->setAutoFillBackground(true);
  layout->addWidget(scroll);
  window->resize(size);
  return canvas;
}

namespace {

void FitOnce(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = window->frameGeometry();
  const QSize margins = frame.size() - window->size();
  const QSize largest = area.size() - margins;
  const QSize size = window->size().boundedTo(largest);
  if (size != window->size()) window->resize(size);
  // Wholly inside the area, as near as can be to where it stood.
  const int x =
      std::clamp(frame.x(), area.left(), area.right() + 1 - (size.width() + margins.width()));
  const int y =
      std::clamp(frame.y(), area.top(), area.bottom() + 1 - (size.height() + margins.height()));
  if (QPoint(x, y) != frame.topLeft()) window->move(x, y);
}

}  // namespace

void KeepOnScreen(QWidget* window) {
  FitOnce(window);
  // The frame is known only once the window manager has put it around the
  // window: look again then.
  QTimer::singleShot(250, window, [window] { FitOnce(window); });
}

}  // namespace ui
