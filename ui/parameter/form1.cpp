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
#include "ui/widgets/fixed_canvas.h"
#include "ui/widgets/title_and_icon.h"
#include "ui/widgets/window_actions.h"

namespace ui {

namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

std::string Separator() { return QLocale().decimalPoint().toStdString(); }

QString FormatForLocale(double value, const char* pattern) {
  return QString::fromStdString(analysis::Format(value, pattern, Separator()));
}

}  // namespace

Form1::Form1() {
  setObjectName(QStringLiteral("Form1"));
  // The ground is the 3D-light colour; the labels are drawn on it.
  QWidget* canvas =
      MakeCanvas(this, QSize(Pixels(kForm1Width), Pixels(kForm1Height)), QPalette::Midlight);
  BuildControls(canvas, QPalette::Midlight, Form1Layout());

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

  // What a screen reader says for each box: its symbol and unit; for each
  // result its quantity, its value being the description; for each picture
  // what it shows; no two alike.
  for (size_t i = 0; i < fields_.size(); ++i) {
    fields_[i] = Control<QLineEdit>(this, analysis::kFields[i].widget);
    fields_[i]->setAccessibleName(QString::fromUtf8(analysis::kFields[i].spoken));
  }
  NameForScreenReaders(this, {{"Label12", "Tensione di picco v(t)"},
                              {"Label9", "Frequenza di risonanza fris"},
                              {"Label5", "Fattore di merito Qris"},
                              {"Label18", "[Hz], unità di f"},
                              {"Label21", "[Hz], unità di fris"},
                              {"Picture1", "Schema del circuito e forma d'onda della corrente"},
                              {"Picture2", "Formula di fris"},
                              {"Picture3", "Formula di v di picco"},
                              {"Picture4", "Formula di Qris"}});

  // Enter in a field computes, as the window's default action; Alt with the
  // first letter presses a button, its caption unchanged.
  for (QLineEdit* field : fields_)
    connect(field, &QLineEdit::returnPressed, Command1, &QPushButton::click);
  Command1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
  Command2->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));

  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setWindowIcon(WindowIcon());
  AddPrecisionAction(this);
  AddResponseAction(this);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  Text4->setFocus();
}

analysis::ParameterTexts Form1::FieldTexts() const {
  analysis::ParameterTexts texts;
  for (size_t i = 0; i < fields_.size(); ++i) texts.*analysis::kFields[i].text = Text(fields_[i]);
  return texts;
}

void Form1::ShowResults(const analysis::CircuitState& state) {
  ShowValue(Label5, FormatForLocale(state.Qris, "0.00E+00"));
  ShowValue(Label9, FormatForLocale(state.fris, "0.0000E+00"), QStringLiteral("Hz"));
  ShowValue(Label12, FormatForLocale(state.v_peak, "0.00E+00"), QStringLiteral("V"));
}

void Form1::SelectField(int failed) {
  fields_[failed]->setFocus(Qt::OtherFocusReason);
  fields_[failed]->selectAll();
}

void Form1::PutFrequency(const QString& text) {
  // As if typed over the whole field: Ctrl+Z in it brings the old text back.
  Text7->selectAll();
  Text7->insert(text);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepOnScreen(this);
}

}  // namespace ui
