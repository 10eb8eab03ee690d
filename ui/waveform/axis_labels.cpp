#include "ui/waveform/axis_labels.h"

#include <QLabel>
#include <QLocale>

#include "analysis/analysis.h"
#include "ui/app/control_table.h"
#include "ui/app/picture_box.h"
#include "ui/app/session.h"
#include "ui/waveform/form2.h"

namespace ui {

namespace {

struct TraceLabel {
  const char* name;
  const char* caption;
  double left, top;  // user units of Picture3
};

// Each name near the upper end of its band, each "0" on its zero line.
constexpr TraceLabel kTraceLabels[] = {
    {"Label6", "is(t)[A]", 15, 98.5}, {"Label7", "0", 70, 90},
    {"Label8", "v(t)[V]", 15, 88.5},  {"Label9", "0", 70, 75},
    {"Label10", "iC(t)[A]", 15, 60},  {"Label11", "0", 70, 45},
    {"Label12", "iL(t)[A]", 15, 30},  {"Label13", "0", 70, 15},
};

}  // namespace

void LabelAxes(Session& session, Form2& form) {
  analysis::CircuitState& state = session.state();
  const double span_numerator = analysis::Checked(static_cast<double>(state.NP) * 1000000);
  state.span_usec = span_numerator / state.f;
  if (!std::isfinite(state.span_usec))
    analysis::ThrowNonFiniteQuotient(span_numerator, state.f, state.span_usec);

  const std::string separator = QLocale().decimalPoint().toStdString();
  auto* picture1 = Control<PictureBox>(&form, "Picture1");
  auto set_time_label = [&](const char* name, double value, double left) {
    auto* label = Control<QLabel>(&form, name);
    label->setText(QString::fromStdString(analysis::Format(value, "0.00E+00", separator)));
    picture1->PlaceChild(label, left, 3);
  };
  // Each time caption stands one unit left of its bottom tick mark.
  set_time_label("Label1", analysis::Checked(state.span_usec / 2), 49);
  set_time_label("Label2", analysis::Checked(state.span_usec / 4), 24);
  set_time_label("Label3", analysis::Checked(analysis::Checked(state.span_usec * 3) / 4), 74);

  auto* picture3 = Control<PictureBox>(&form, "Picture3");
  picture3->SetScale(0, 100, 100, 0);
  for (const TraceLabel& trace : kTraceLabels) {
    auto* label = Control<QLabel>(&form, trace.name);
    label->setText(QString::fromLatin1(trace.caption));
    picture3->PlaceChild(label, trace.left, trace.top);
  }
}

}  // namespace ui
