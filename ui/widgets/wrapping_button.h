// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A push button whose caption wraps at word boundaries, centred, when it is
// wider than the button (as "grafico di "v(t)" a regime" is). Enter and the
// keypad's Enter press it, as Space does.
#pragma once

#include <QPushButton>

namespace ui {

class WrappingButton : public QPushButton {
  Q_OBJECT

 public:
  WrappingButton(const QString& caption, QWidget* parent);

  // The rectangle the caption is wrapped into, in widget coordinates.
  QRect CaptionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui
