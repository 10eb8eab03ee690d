// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/session.h"

#include <QAction>
#include <QEvent>
#include <QLocale>
#include <QPushButton>

#include "analysis/fault_explanation.h"
#include "ui/accuracy/precisione.h"
#include "ui/app/commands.h"
#include "ui/app/guard.h"
#include "ui/frequency/risposta.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/progress_gate.h"

namespace ui {

namespace {

// The command `handler` of `window`, run inside the guard: a fault shows its
// text and ends the command.
template <class Window>
auto Command(Window* window, void (Window::*handler)()) {
  return [window, handler] { Guarded(OnFault::kShowMessage, [&] { (window->*handler)(); }); };
}

// Runs `handler` of `window` when `button` of the window is clicked.
template <class Window>
void OnClick(Window* window, const char* button, void (Window::*handler)()) {
  QObject::connect(Control<QPushButton>(window, button), &QPushButton::clicked, window,
                   Command(window, handler));
}

// Runs the command `handler` of Form1 when `button` is clicked; a fault
// says what caused it, traced from the fields the command read.
void OnFieldCommand(Form1* form, const char* button, void (Form1::*handler)(),
                    analysis::Command command) {
  QObject::connect(
      Control<QPushButton>(form, button), &QPushButton::clicked, form, [form, handler, command] {
        Guarded(
            OnFault::kShowMessage, [&] { (form->*handler)(); },
            [&](const analysis::Fault& fault) {
              ProgressGate gate(form);  // the advice of an unstable run
              return analysis::ExplainFault(fault, form->FieldTexts(), command,
                                            QLocale().decimalPoint().toStdString(), &gate);
            });
      });
}

// Runs `handler` of `window` when its command `action` is chosen.
void OnTrigger(Form2* window, const char* action, void (Form2::*handler)()) {
  QObject::connect(window->findChild<QAction*>(QString::fromLatin1(action)), &QAction::triggered,
                   window, Command(window, handler));
}

}  // namespace

Session::Session() : form1_(std::make_unique<Form1>()) {
  form1_->SetCommands(
      [this] {
        if (const auto accuracy = Compute(state_, *form1_)) OnResult(*accuracy, form1_.get());
      },
      [this] {
        if (const auto accuracy = Plot(state_, *form1_, [this]() -> Form2& { return LoadForm2(); }))
          OnResult(*accuracy, form2_);
      });
  OnFieldCommand(form1_.get(), "Command1", &Form1::Command1_Click, analysis::Command::kCompute);
  OnFieldCommand(form1_.get(), "Command2", &Form1::Command2_Click, analysis::Command::kPlot);
  OnCompanions(form1_.get());
  form1_->installEventFilter(this);
}

Session::~Session() { delete form2_.data(); }

void Session::OnCompanions(QWidget* window) {
  if (auto* precision = window->findChild<QAction*>(QStringLiteral("ShowPrecision")))
    QObject::connect(precision, &QAction::triggered, window,
                     [this] { Guarded(OnFault::kShowMessage, [&] { ShowPrecision(); }); });
  if (auto* response = window->findChild<QAction*>(QStringLiteral("ShowResponse")))
    QObject::connect(response, &QAction::triggered, window,
                     [this] { Guarded(OnFault::kShowMessage, [&] { ShowResponse(); }); });
}

void Session::OnResult(const analysis::Accuracy& accuracy, QWidget* window) {
  result_ = accuracy;
  circuit_ = analysis::NumbersOf(state_);
  ++result_number_;
  // The windows follow in place: the focus stays in the window of the
  // command, also after the progress dialog of a long chart, which stands
  // over that window.
  if (precision_ != nullptr && precision_->isVisible()) UpdatePrecision(window);
  if (response_ != nullptr && response_->isVisible()) UpdateResponse(window);
}

void Session::UpdatePrecision(QWidget* progress_over) {
  if (result_ && (shown_number_ != result_number_ || !precision_->chart_complete())) {
    shown_number_ = result_number_;
    precision_->ShowAccuracy(*result_, progress_over);
  }
}

void Session::ShowPrecision() {
  if (precision_ == nullptr) {
    precision_ = std::make_unique<Precisione>();
    OnCompanions(precision_.get());
    precision_->installEventFilter(this);
  }
  // Forward first: a long chart computes with its progress over this window.
  precision_->show();
  precision_->raise();
  precision_->activateWindow();
  UpdatePrecision(precision_.get());
}

void Session::UpdateResponse(QWidget* progress_over) {
  if (result_ && (response_number_ != result_number_ || !response_->curve_complete())) {
    response_number_ = result_number_;
    response_->ShowResponse(circuit_, progress_over);
  }
}

void Session::ShowResponse() {
  if (response_ == nullptr) {
    response_ = std::make_unique<Risposta>();
    response_->SetFrequencyHandler([this](const QString& f) { form1_->PutFrequency(f); });
    OnCompanions(response_.get());
    response_->installEventFilter(this);
  }
  // Forward first: the exact curve shows while the Euler one is computed.
  response_->show();
  response_->raise();
  response_->activateWindow();
  UpdateResponse(response_.get());
}

Form2& Session::LoadForm2() {
  if (form2_ != nullptr) return *form2_;
  Form2* form = new Form2;
  form2_ = form;
  OnClick(form, "Command1", &Form2::Command1_Click);
  // The readout shows nothing on a fault: no message box for a mouse move.
  Control<PictureBox>(form, "Picture1")
      ->SetMouseMoveHandler([form](int16_t button, int16_t shift, float x, float y) {
        Guarded(OnFault::kIgnore, [&] { form->Picture1_MouseMove(button, shift, x, y); });
      });
  Control<PictureBox>(form, "Picture1")
      ->SetKeyHandler([form](int key, Qt::KeyboardModifiers modifiers) {
        Guarded(OnFault::kIgnore, [&] { form->Picture1_KeyPress(key, modifiers); });
      });
  OnTrigger(form, "CopyImage", &Form2::CopyImage);
  OnTrigger(form, "SaveImage", &Form2::SaveImage);
  OnTrigger(form, "SaveData", &Form2::SaveData);
  OnTrigger(form, "ClearPlot", &Form2::ClearPlot);
  OnCompanions(form);
  form->installEventFilter(this);
  return *form;
}

Form2* Session::form2() const { return form2_.data(); }

bool Session::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Close || !ProgressGate::Running()) return false;
  event->ignore();
  return true;
}

}  // namespace ui
