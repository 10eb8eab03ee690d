// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/form2.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>

#include "analysis/analysis.h"
#include "ui/waveform/cursor_readout.h"
#include "ui/waveform/form2_layout.h"
#include "ui/waveform/plot_export.h"
#include "ui/waveform/traces.h"
#include "ui/waveform/waveform_plot.h"
#include "ui/widgets/fixed_canvas.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/save_file.h"
#include "ui/widgets/title_and_icon.h"
#include "ui/widgets/window_actions.h"

namespace ui {

namespace {

const QColor kLightYellow(255, 255, 192);
// The exact steady state over the plot: dark against every trace and the ground.
const QColor kExactColour(0, 0, 0);
const char kPlotName[] = "Grafico delle forme d'onda";

// A command of the window with its key, disabled until there is a plot.
QAction* Command(QWidget* window, const char* name, const char* text, const QKeySequence& keys) {
  QAction* action = AddAction(window, name, QString::fromUtf8(text), keys);
  action->setEnabled(false);
  return action;
}

}  // namespace

Form2::Form2() {
  setObjectName(QStringLiteral("Form2"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The window has the button-face colour of a dialog.
  QWidget* canvas =
      MakeCanvas(this, QSize(Pixels(kForm2Width), Pixels(kForm2Height)), QPalette::Button);
  BuildControls(canvas, QPalette::Button, Form2Layout());

  Picture1 = Control<PictureBox>(this, "Picture1");
  Picture1->SetBackground(kLightYellow);
  Command1 = Control<QPushButton>(this, "Command1");
  Command1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_E));  // its caption unchanged
  // What a screen reader says for the controls whose captions repeat.
  NameForScreenReaders(this, {{"Picture3", "Nomi delle tracce"},
                              {"Label5", "0, inizio dei tempi"},
                              {"Label7", "0, zero di is(t)"},
                              {"Label9", "0, zero di v(t)"},
                              {"Label11", "0, zero di iC(t)"},
                              {"Label13", "0, zero di iL(t)"},
                              {"Label19", "t, tempo di is(t)"},
                              {"Label25", "t, tempo di v(t)"},
                              {"Label30", "t, tempo di iC(t)"},
                              {"Label37", "t, tempo di iL(t)"},
                              {"Label20", "[usec], unità del tempo di is(t)"},
                              {"Label26", "[usec], unità del tempo di v(t)"},
                              {"Label31", "[usec], unità del tempo di iC(t)"},
                              {"Label38", "[usec], unità del tempo di iL(t)"},
                              {"Label22", "[A], unità di is(t)"},
                              {"Label34", "[A], unità di iC(t)"},
                              {"Label40", "[A], unità di iL(t)"},
                              {"Label16", "Tempo di is(t)"},
                              {"Label17", "Valore di is(t)"},
                              {"Label23", "Tempo di v(t)"},
                              {"Label24", "Valore di v(t)"},
                              {"Label29", "Tempo di iC(t)"},
                              {"Label32", "Valore di iC(t)"},
                              {"Label35", "Tempo di iL(t)"},
                              {"Label36", "Valore di iL(t)"}});
  readout_ = std::make_unique<CursorReadout>(this);
  Picture1->setAccessibleName(QString::fromUtf8(kPlotName));
  copy_image_ = Command(this, "CopyImage", "Copia immagine", QKeySequence(Qt::CTRL | Qt::Key_C));
  save_image_ = Command(this, "SaveImage", "Salva immagine…", QKeySequence(Qt::CTRL | Qt::Key_S));
  save_data_ =
      Command(this, "SaveData", "Salva dati…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  exact_ = Command(this, "ExactSolution", "Soluzione esatta", QKeySequence(Qt::CTRL | Qt::Key_E));
  exact_->setCheckable(true);
  connect(exact_, &QAction::toggled, this, &Form2::UpdateOverlay);
  clear_plot_ = Command(this, "ClearPlot", "Pulisci grafico", QKeySequence(Qt::CTRL | Qt::Key_L));
  QAction* precision = AddPrecisionAction(this);
  QAction* response = AddResponseAction(this);
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  Picture1->SetContextActions(
      {copy_image_, save_image_, save_data_, separator, exact_, clear_plot_, precision, response});

  Control<QRadioButton>(this, "Option1")->setChecked(true);
  // The tooltip agrees with the readout boxes also while another window is active.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setWindowTitle(QStringLiteral("Forme d'onda"));
  setWindowIcon(WindowIcon());
  Control<QRadioButton>(this, "Option1")->setFocus();
}

Form2::~Form2() = default;

void Form2::Command1_Click() { close(); }

void Form2::ShowPlot(std::unique_ptr<analysis::CircuitState> plotted,
                     std::unique_ptr<analysis::Accuracy> accuracy, const TimeCaptions& captions) {
  LabelAxes(this, captions);
  plotted_ = std::move(plotted);
  plotted_accuracy_ = std::move(accuracy);
  // The exact steady state exists only for positive R, C, L and f.
  const bool exact = plotted_accuracy_->exact.has_value();
  exact_->setEnabled(exact);
  exact_->setToolTip(exact ? QString()
                           : QString::fromUtf8("Con questi valori di R, L, C e f il circuito non "
                                               "ha un regime periodico esatto da mostrare."));
  cursor_ = 0;
  Picture1->SetMarker(std::nullopt);
  readout_->Forget();  // the readings shown so far are of the old samples
  UpdateOverlay();
  Picture1->setAccessibleName(QString::fromUtf8(kPlotName));
  for (QAction* command : {copy_image_, save_image_, save_data_, clear_plot_})
    command->setEnabled(true);
}

void Form2::UpdateOverlay() {
  const analysis::ExactSteadyState* exact = nullptr;
  if (exact_->isChecked() && plotted_accuracy_ != nullptr && plotted_accuracy_->exact)
    exact = &*plotted_accuracy_->exact;
  Picture1->SetOverlay(
      exact != nullptr ? ExactTraces(*plotted_, *exact, Picture1->ColumnXs()) : QList<QPolygonF>(),
      kExactColour);
  // The last reading, of the mouse or the keys, follows at once; a screen
  // reader hears it again, with or without "esatto".
  const QString reading = readout_->SetExact(exact);
  if (!reading.isEmpty()) Picture1->setAccessibleName(reading);
}

void Form2::Picture1_MouseMove(int16_t, int16_t, float x, float y) {
  // The name tells the reading the boxes show, also while the plot area
  // has the focus and the keys read before.
  if (plotted_ != nullptr) Picture1->setAccessibleName(readout_->Update(*plotted_, x, y));
}

void Form2::Picture1_KeyPress(int key, Qt::KeyboardModifiers modifiers) {
  if (plotted_ == nullptr || plotted_->N < 1 || plotted_->NP < 1) return;
  const int64_t last = int64_t{plotted_->NP} * plotted_->N - 1;
  const int64_t step = (modifiers & Qt::ShiftModifier) != 0
                           ? std::max<int64_t>(1, std::llround(plotted_->N / 10.0))
                           : 1;
  int row = readout_->Selected();
  // The first moving key after a click shows the cursor where it stands.
  if (!Picture1->marker_shown() && (key == Qt::Key_Left || key == Qt::Key_Right ||
                                    key == Qt::Key_PageUp || key == Qt::Key_PageDown))
    key = Qt::Key_unknown;
  switch (key) {
    case Qt::Key_Left:
      cursor_ = std::max<int64_t>(0, cursor_ - step);
      break;
    case Qt::Key_Right:
      cursor_ = std::min(last, cursor_ + step);
      break;
    case Qt::Key_PageUp:  // a period back or on
      cursor_ = std::max<int64_t>(0, cursor_ - plotted_->N);
      break;
    case Qt::Key_PageDown:
      cursor_ = std::min(last, cursor_ + plotted_->N);
      break;
    case Qt::Key_Home:
      cursor_ = 0;
      break;
    case Qt::Key_End:
      cursor_ = last;
      break;
    case Qt::Key_Up:
      row = std::max(0, row - 1);
      break;
    case Qt::Key_Down:
      row = std::min(3, row + 1);
      break;
    default:  // the focus came from the keyboard: the cursor shows where it stands
      break;
  }
  ShowSample(row);
}

void Form2::ShowSample(int row) {
  const analysis::CircuitState& state = *plotted_;
  const auto period = static_cast<int32_t>(cursor_ / state.N + 1);
  const auto k = static_cast<int32_t>(cursor_ % state.N + 1);
  const double time = SampleTime(state, cursor_ + 1);
  const QPointF point = SamplePoint(state, row, period, k);
  readout_->Select(row);
  const double value = TraceSamples(state, row).at(k);
  const QString reading = readout_->ShowReading(
      row, time, value, CursorReadout::Sample{value, static_cast<double>(cursor_) * state.dt});
  Picture1->SetMarker(point, QColor::fromRgb(kTraces[row].colour));
  Picture1->setAccessibleName(reading);  // a screen reader announces the new name
}

QImage Form2::PictureWithoutCursor() {
  const bool marked = Picture1->marker_shown();
  if (marked) Picture1->SetMarker(std::nullopt);  // the picture never holds the cursor
  Picture1->SetFocusFrameShown(false);            // nor the focus
  QImage picture = PlotPicture(this);
  Picture1->SetFocusFrameShown(true);
  if (marked) ShowSample(readout_->Selected());
  return picture;
}

void Form2::ClearPlot() { RedrawPlotAlone(*plotted_, *this); }

void Form2::CopyImage() { QGuiApplication::clipboard()->setImage(PictureWithoutCursor()); }

void Form2::SaveImage() {
  const QString path =
      AskSavePath(this, QStringLiteral("Salva immagine"), QStringLiteral("forme-d-onda.png"),
                  QStringLiteral("Immagini PNG (*.png)"));
  if (path.isEmpty()) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  PictureWithoutCursor().save(&buffer, "PNG");
  const QString reason = SaveWhole(path, png);
  if (!reason.isEmpty()) TellWhyNotSaved(path, reason);
}

void Form2::SaveData() {
  const QString path =
      AskSavePath(this, QStringLiteral("Salva dati"), QStringLiteral("forme-d-onda.csv"),
                  QStringLiteral("Dati CSV (*.csv)"));
  if (path.isEmpty()) return;
  // A large file takes a while: the progress dialog comes after half a
  // second, and "Annulla" leaves no file and an old one as it was.
  ProgressGate gate(this, QString::fromUtf8("Salvataggio in corso…"));
  const QString reason =
      SaveStreamed(path, [&](QIODevice& file) { return WriteSamplesCsv(*plotted_, file, gate); });
  if (!reason.isEmpty()) TellWhyNotSaved(path, reason);
}

void Form2::TellWhyNotSaved(const QString& path, const QString& reason) {
  ShowMessage(QStringLiteral("Impossibile salvare il file \"%1\": %2.")
                  .arg(QDir::toNativeSeparators(path), reason));
}

void Form2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepOnScreen(this);
}

}  // namespace ui
