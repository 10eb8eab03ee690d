#include "ui/app/session.h"

#include <QEvent>

#include "ui/app/progress_gate.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"

namespace ui {

Session::Session() : form1_(std::make_unique<Form1>(*this)) { form1_->installEventFilter(this); }

Session::~Session() { delete form2_.data(); }

Form2& Session::LoadForm2() {
  if (form2_ == nullptr) {
    form2_ = new Form2(*this);
    form2_->installEventFilter(this);
  }
  return *form2_;
}

Form2* Session::form2() const { return form2_.data(); }

bool Session::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Close || !ProgressGate::Running()) return false;
  event->ignore();
  return true;
}

}  // namespace ui
