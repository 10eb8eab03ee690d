// Form1: the start window. Seven input fields for the circuit and the
// simulation with their default texts, the compute and plot commands, three
// result boxes, two explanatory texts, the schematic and three formulas.
#pragma once

#include <QWidget>

#include "analysis/parameters.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class Session;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(Session& session);

  // The seven texts as typed, never trimmed.
  analysis::ParameterTexts FieldTexts() const;

  // The compute command ("calcola valori "): checks the fields, simulates
  // without the source wrap and shows Qris, fris and the peak of v(t).
  void Command1_Click();
  // The plot command ("grafico di "v(t)" a regime"): the same checks, then
  // the plot of the fields as they are now. It never writes the results.
  void Command2_Click();

 private:
  Session& session_;
  QLineEdit* Text1;  // Is [A]
  QLineEdit* Text2;  // R [ohm]
  QLineEdit* Text3;  // C [F]
  QLineEdit* Text6;  // L [H]
  QLineEdit* Text7;  // f [Hz]
  QLineEdit* Text4;  // N, samples per period
  QLineEdit* Text8;  // NP, periods shown
  QLabel* Label5;    // Qris
  QLabel* Label9;    // fris
  QLabel* Label12;   // peak of v(t)
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace ui
