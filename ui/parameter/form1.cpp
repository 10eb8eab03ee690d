// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/parameter/form1.h"

#include <string>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "analysis/analysis.h"
#include "ui/parameter/form1_layout.h"
#include "ui/waveform/form2.h"
#include "ui/waveform/waveform_plot.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/title_and_icon.h"

namespace ui {

namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

std::string Separator() { return QLocale().decimalPoint().toStdString(); }

QString FormatForLocale(double value, const char* pattern) {
  return QString::fromStdString(analysis::Format(value, pattern, Separator()));
}

// Shows, after the command's own messages, where its result is not what it
// claims to be.
void ShowWarnings(const analysis::Accuracy& accuracy, analysis::MessageSink& sink) {
  for (const std::string& warning : analysis::AccuracyWarnings(accuracy, Separator()))
    sink.ShowMessage(warning);
}

}  // namespace

Form1::Form1(analysis::CircuitState& state, std::function<Form2&()> load_form2)
    : state_(state), load_form2_(std::move(load_form2)) {
  setObjectName(QStringLiteral("Form1"));
  // The ground is the 3D-light colour; the labels are drawn on it.
  BuildControls(this, QPalette::Midlight, Form1Layout());

  Text1 = Control<QLineEdit>(this, "Text1");
  Text2 = Control<QLineEdit>(this, "Text2");
  Text3 = Control<QLineEdit>(this, "Text3");
  Text6 = Control<QLineEdit>(this, "Text6");
  Text7 = Control<QLineEdit>(this, "Text7");
  Text4 = Control<QLineEdit>(this, "Text4");
  Text8 = Control<QLineEdit>(this, "Text8");
  Label5 = Control<QLabel>(this, "Label5");
  Label9 = Control<QLabel>(this, "Label9");
  Label12 = Control<QLabel>(this, "Label12");
  Command1 = Control<QPushButton>(this, "Command1");
  Command2 = Control<QPushButton>(this, "Command2");

  // What a screen reader says for each box: its symbol and unit.
  Text1->setAccessibleName(QStringLiteral("Is [A]"));
  Text2->setAccessibleName(QStringLiteral("R [ohm]"));
  Text3->setAccessibleName(QStringLiteral("C [F]"));
  Text6->setAccessibleName(QStringLiteral("L [H]"));
  Text7->setAccessibleName(QStringLiteral("f [Hz]"));
  Text4->setAccessibleName(QStringLiteral("N, numero campioni"));
  Text8->setAccessibleName(QStringLiteral("NP, numero periodi visualizzati"));
  Label12->setAccessibleName(QStringLiteral("v(t) di picco [V]"));
  Label9->setAccessibleName(QStringLiteral("fris [Hz]"));
  Label5->setAccessibleName(QStringLiteral("Qris"));

  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setWindowIcon(WindowIcon());
  resize(Pixels(kForm1Width), Pixels(kForm1Height));
  auto* precision = new QAction(QString::fromUtf8("Precisione del metodo…"), this);
  precision->setObjectName(QStringLiteral("ShowPrecision"));
  precision->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  addAction(precision);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  Text4->setFocus();
}

analysis::ParameterTexts Form1::FieldTexts() const {
  return {Text(Text1), Text(Text2), Text(Text3), Text(Text6),
          Text(Text7), Text(Text4), Text(Text8)};
}

void Form1::Command1_Click() {
  const analysis::ParameterTexts texts = FieldTexts();
  BoxMessageSink sink;
  if (!analysis::CheckParameterFields(state_, texts, sink)) return;
  analysis::ReadParameters(state_, texts);
  ProgressGate gate(this);
  if (!analysis::RunMonitoredSimulation(state_, /*wrap_source=*/false, gate)) return;  // cancelled
  analysis::FindPeakV(state_);
  const QString qris = FormatForLocale(state_.Qris, "0.00E+00");
  const QString fris = FormatForLocale(state_.fris, "0.0000E+00");
  const QString v_peak = FormatForLocale(state_.v_peak, "0.00E+00");
  Label5->setText(qris);
  Label9->setText(fris);
  Label12->setText(v_peak);
  const analysis::Accuracy accuracy = analysis::AssessAccuracy(state_);
  ShowWarnings(accuracy, sink);
  if (result_handler_) result_handler_(accuracy);
}

void Form1::Command2_Click() {
  BoxMessageSink sink;
  if (!analysis::CheckParameterFields(state_, FieldTexts(), sink)) return;
  Form2& form2 = load_form2_();
  if (!PlotWaveforms(state_, *this, form2)) return;
  ShowWarnings(*form2.plotted_accuracy(), sink);
  if (result_handler_) result_handler_(*form2.plotted_accuracy());
}

}  // namespace ui
