#include "ui/widgets/progress_gate.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "ui/widgets/title_and_icon.h"

namespace ui {

namespace {

std::chrono::milliseconds g_delay{500};
int g_running = 0;

// How often the windows get their events while the dialog is up.
constexpr qint64 kEventsEveryMs = 25;
// The dialog counts in thousandths of the run.
constexpr int kSteps = 1000;

}  // namespace

ProgressGate::ProgressGate(QWidget* window) : window_(window), due_ms_(g_delay.count()) {
  clock_.start();
  ++g_running;
}

ProgressGate::~ProgressGate() {
  delete dialog_.data();
  --g_running;
}

bool ProgressGate::showing() const { return dialog_ != nullptr; }

bool ProgressGate::Running() { return g_running > 0; }

void ProgressGate::SetDelay(std::chrono::milliseconds delay) { g_delay = delay; }

bool ProgressGate::Continue(double share_done) {
  if (cancelled_) return false;
  const qint64 now = clock_.elapsed();
  if (now < due_ms_) return true;
  due_ms_ = now + kEventsEveryMs;
  if (dialog_ == nullptr) ShowDialog();
  dialog_->setValue(static_cast<int>(share_done * kSteps));
  QCoreApplication::processEvents();
  return !cancelled_;
}

void ProgressGate::ShowDialog() {
  dialog_ = new QProgressDialog(QString::fromUtf8("Simulazione in corso…"),
                                QStringLiteral("Annulla"), 0, kSteps, window_);
  dialog_->setWindowTitle(QString::fromUtf8(kApplicationTitle));
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->setMinimumWidth(320);  // room for the title in the title bar
  // "Annulla" and the close box emit canceled(), Esc rejects the dialog.
  QObject::connect(dialog_, &QProgressDialog::canceled, [this] { cancelled_ = true; });
  QObject::connect(dialog_, &QProgressDialog::rejected, [this] { cancelled_ = true; });
  dialog_->show();
}

}  // namespace ui
