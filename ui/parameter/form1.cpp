#include "ui/parameter/form1.h"

#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "analysis/analysis.h"
#include "ui/app/application.h"
#include "ui/app/guard.h"
#include "ui/app/message_box.h"
#include "ui/app/progress_gate.h"
#include "ui/app/session.h"
#include "ui/parameter/form1_layout.h"
#include "ui/waveform/waveform_plot.h"

namespace ui {

namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

QString FormatForLocale(double value, const char* pattern) {
  const std::string separator = QLocale().decimalPoint().toStdString();
  return QString::fromStdString(analysis::Format(value, pattern, separator));
}

}  // namespace

Form1::Form1(Session& session) : session_(session) {
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

  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setWindowIcon(WindowIcon());
  resize(Pixels(kForm1Width), Pixels(kForm1Height));
  Text4->setFocus();
}

analysis::ParameterTexts Form1::FieldTexts() const {
  return {Text(Text1), Text(Text2), Text(Text3), Text(Text6),
          Text(Text7), Text(Text4), Text(Text8)};
}

void Form1::Command1_Click() {
  Guarded(OnFault::kShowMessage, [this] {
    analysis::CircuitState& state = session_.state();
    const analysis::ParameterTexts texts = FieldTexts();
    BoxMessageSink sink;
    if (!analysis::CheckParameterFields(state, texts, sink)) return;
    analysis::ReadParameters(state, texts);
    ProgressGate gate(this);
    if (!analysis::RunSimulation(state, /*wrap_source=*/false, gate)) return;  // cancelled
    analysis::FindPeakV(state);
    const QString qris = FormatForLocale(state.Qris, "0.00E+00");
    const QString fris = FormatForLocale(state.fris, "0.0000E+00");
    const QString v_peak = FormatForLocale(state.v_peak, "0.00E+00");
    Label5->setText(qris);
    Label9->setText(fris);
    Label12->setText(v_peak);
  });
}

void Form1::Command2_Click() {
  Guarded(OnFault::kShowMessage, [this] {
    BoxMessageSink sink;
    if (!analysis::CheckParameterFields(session_.state(), FieldTexts(), sink)) return;
    PlotWaveforms(session_);
  });
}

}  // namespace ui
