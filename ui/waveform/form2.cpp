#include "ui/waveform/form2.h"

#include <QPushButton>
#include <QRadioButton>

#include "ui/waveform/cursor_readout.h"
#include "ui/waveform/form2_layout.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/title_and_icon.h"

namespace ui {

namespace {

const QColor kLightYellow(255, 255, 192);

}  // namespace

Form2::Form2() {
  setObjectName(QStringLiteral("Form2"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The window has the button-face colour of a dialog.
  BuildControls(this, QPalette::Button, Form2Layout());

  Picture1 = Control<PictureBox>(this, "Picture1");
  Picture1->SetBackground(kLightYellow);
  Command1 = Control<QPushButton>(this, "Command1");
  readout_ = std::make_unique<CursorReadout>(this);

  Control<QRadioButton>(this, "Option1")->setChecked(true);
  // The tooltip agrees with the readout boxes also while another window is active.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setWindowTitle(QStringLiteral("Forme d'onda"));
  setWindowIcon(WindowIcon());
  resize(Pixels(kForm2Width), Pixels(kForm2Height));
  Control<QRadioButton>(this, "Option1")->setFocus();
}

Form2::~Form2() = default;

void Form2::Command1_Click() { close(); }

void Form2::ShowPlot(std::unique_ptr<analysis::CircuitState> plotted,
                     const TimeCaptions& captions) {
  LabelAxes(this, captions);
  plotted_ = std::move(plotted);
}

void Form2::Picture1_MouseMove(int16_t, int16_t, float x, float y) {
  if (plotted_ != nullptr) readout_->Update(*plotted_, x, y);
}

}  // namespace ui
