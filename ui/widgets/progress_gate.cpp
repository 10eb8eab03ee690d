// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/progress_gate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

#include "ui/widgets/title_and_icon.h"

namespace ui {

namespace {

std::chrono::milliseconds g_delay{500};
// How often the windows get their events while the dialog is up.
std::chrono::milliseconds g_events_every{25};
int g_running = 0;
// The dialog counts in thousandths of the run.
constexpr int kSteps = 1000;

// The progress dialog of a gate. It stays on screen, modal, until the gate
// goes: "Annulla", Esc and the close box only emit canceled(). So nothing of
// the windows runs until the command has ended, cancelled or not.
class Dialog : public QProgressDialog {
 public:
  Dialog(QWidget* window, const QString& label)
      : QProgressDialog(label.isEmpty() ? QString::fromUtf8("Simulazione in corso…") : label,
                        QString(), 0, kSteps, window) {
    auto* button = new QPushButton(QStringLiteral("Annulla"), this);
    setCancelButton(button);  // its clicks emit canceled()
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(320);  // room for the title in the title bar
  }
  void SetCancellable(bool cancellable) { findChild<QPushButton*>()->setEnabled(cancellable); }

 protected:
  void reject() override { emit canceled(); }
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    emit canceled();
  }
};

}  // namespace

ProgressGate::ProgressGate(QWidget* window, const QString& label)
    : window_(window), label_(label), due_ms_(g_delay.count()) {
  clock_.start();
  ++g_running;
}

ProgressGate::~ProgressGate() {
  delete dialog_.data();
  --g_running;
}

bool ProgressGate::showing() const { return dialog_ != nullptr; }

bool ProgressGate::Running() { return g_running > 0; }

void ProgressGate::SetTiming(std::chrono::milliseconds delay,
                             std::chrono::milliseconds events_every) {
  g_delay = delay;
  g_events_every = events_every;
}

void ProgressGate::SetCancellable(bool cancellable) {
  cancellable_ = cancellable;
  if (dialog_ != nullptr) static_cast<Dialog*>(dialog_.data())->SetCancellable(cancellable);
}

bool ProgressGate::Continue(double share_done) {
  if (cancelled_) return false;
  const qint64 now = clock_.elapsed();
  if (now < due_ms_) return true;
  due_ms_ = now + g_events_every.count();
  if (dialog_ == nullptr) {
    auto* dialog = new Dialog(window_, label_);
    dialog->SetCancellable(cancellable_);
    QObject::connect(dialog, &QProgressDialog::canceled, [this] { cancelled_ = cancellable_; });
    dialog_ = dialog;
    dialog->show();
  }
  dialog_->setValue(static_cast<int>(share_done * kSteps));
  QCoreApplication::processEvents();
  return !cancelled_;
}

}  // namespace ui
