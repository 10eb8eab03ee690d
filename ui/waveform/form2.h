// Form2: the waveform window. The plot area Picture1 with the time labels,
// the strip Picture3 with the trace labels, four option buttons naming the
// traces, eight readout boxes, a title line, a credit line and "Esci".
// Created on first use by the session, shown non-modal, destroyed when its
// exit button or close box is used; the next plot gets a fresh one.
#pragma once

#include <QWidget>

class QPushButton;

namespace ui {

class PictureBox;
class Session;

class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(Session& session);

  // The exit command ("Esci"): closes and destroys the window. The circuit
  // state and Form1 stay as they are.
  void Command1_Click();

 private:
  Session& session_;
  PictureBox* Picture1;
  QPushButton* Command1;
};

}  // namespace ui
