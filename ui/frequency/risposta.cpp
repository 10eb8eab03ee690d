// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frequency/risposta.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include <QAbstractTableModel>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGraphicsSimpleTextItem>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/json_text.h"
#include "analysis/numbers.h"
#include "ui/widgets/circuit_line.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/fixed_canvas.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/window_actions.h"

namespace ui {

namespace {

const QString kNone = QStringLiteral("—");

// The colours of the chart: the exact curve, the Euler curve, the current
// f, the resonances and the marker.
const QColor kExactColour(32, 120, 200);
const QColor kEulerColour(200, 40, 40);
const QColor kCurrentColour(230, 120, 0);
const QColor kResonanceColour(0, 130, 70);
const QColor kMarkerColour(0, 0, 0);

// The headers of the harmonic table, in the order of its columns.
constexpr const char* kColumns[] = {"k",         "k·f [Hz]", "I_k [A]",  "|Z| [ohm]",
                                    "arg Z [°]", "V_k [V]",  "quota [%]"};
constexpr int kColumnCount = sizeof kColumns / sizeof kColumns[0];

QString Number(double value, const char* pattern) {
  return QString::fromStdString(
      analysis::FormatReported(value, pattern, QLocale().decimalPoint().toStdString()));
}

// A peak, "∞" beyond the double range, "—" where there is none.
QString Peak(const std::optional<double>& peak, const char* pattern) {
  return peak && !std::isnan(*peak) ? Number(*peak, pattern) : kNone;
}

// "f0", "f0/3", …; empty for a point that is no resonance.
QString OrderName(int32_t k) {
  if (k == 0) return QString();
  return k == 1 ? QStringLiteral("f0") : QStringLiteral("f0/%1").arg(k);
}

// What a point of the curves is: "f0/3", "f attuale", both, or nothing.
QString PointName(const analysis::CurveFrequencies& c, size_t i) {
  QStringList names;
  if (c.order[i] != 0) names << OrderName(c.order[i]);
  if (c.current == i) names << QStringLiteral("f attuale");
  return names.join(QStringLiteral(", "));
}

// A value that a logarithmic axis can show.
bool Positive(const std::optional<double>& x) { return x && *x > 0 && std::isfinite(*x); }

// The cells of the harmonic table, written when shown: the rows of a
// circuit far below a sharp resonance are tens of thousands.
class HarmonicModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<analysis::Harmonic> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  // The cell of row `row`, column `column`.
  static QString Cell(const analysis::Harmonic& h, int column) {
    switch (column) {
      case 0: return QString::number(h.k);
      case 1: return Number(h.f, "0.0000E+00");
      case 2: return Number(h.I, "0.0000E+00");
      case 3: return Number(h.Z_abs, "0.0000E+00");
      case 4: return Number(h.Z_phase_deg, "0.00");
      case 5: return Number(h.V, "0.0000E+00");
      default: return Number(100 * h.power_share, "0.000");
    }
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : kColumnCount;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const QString cell = Cell(rows_[index.row()], index.column());
    if (role == Qt::DisplayRole) return cell;
    return QString::fromUtf8(kColumns[index.column()]) + QStringLiteral(": ") + cell;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromUtf8(kColumns[section]);
  }

 private:
  std::vector<analysis::Harmonic> rows_;
};

QPen Pen(const QColor& colour, Qt::PenStyle style) {
  QPen pen(colour, 2);
  pen.setStyle(style);
  return pen;
}

QScatterSeries* Marks(const QString& name, const QColor& colour,
                      QScatterSeries::MarkerShape shape, double size) {
  auto* marks = new QScatterSeries;
  marks->setName(name);
  marks->setMarkerShape(shape);
  marks->setMarkerSize(size);
  marks->setColor(colour);
  marks->setBorderColor(colour);
  return marks;
}

}  // namespace

Risposta::Risposta() {
  setObjectName(QStringLiteral("Risposta"));
  setWindowTitle(QStringLiteral("Risposta in frequenza"));
  setFont(ControlFont());
  // The contents scroll: on a screen smaller than the window, the window is
  // made to fit it (showEvent) and the scroll bars reach every part.
  auto* column = new QVBoxLayout(MakeScrollPage(this));
  circuit_line_ = new QLabel(QStringLiteral("Circuito: ") + kNone, this);
  circuit_line_->setObjectName(QStringLiteral("Circuito"));
  circuit_line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  circuit_values_ = NoCircuit();
  chart_view_ = new QChartView(new QChart, this);
  chart_view_->setObjectName(QStringLiteral("Grafico"));
  chart_view_->setMinimumSize(760, 400);
  chart_view_->setFocusPolicy(Qt::StrongFocus);
  chart_view_->setAccessibleName(QString::fromUtf8("Picco di v(t) a regime al variare di f"));
  chart_view_->installEventFilter(this);
  chart_view_->viewport()->installEventFilter(this);
  reading_ = new QLabel(this);
  reading_->setObjectName(QStringLiteral("Lettura"));
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("Nota"));
  note_->setWordWrap(true);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("Armoniche"));
  table_->setModel(new HarmonicModel(table_));
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  // Ten rows in sight, the header above them.
  table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                           10 * table_->verticalHeader()->defaultSectionSize() +
                           2 * table_->frameWidth());
  table_->setAccessibleName(QString::fromUtf8("Armoniche della f attuale"));
  total_ = new QLabel(this);
  total_->setObjectName(QStringLiteral("Totale"));
  total_->setWordWrap(true);
  total_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  total_->setFocusPolicy(Qt::StrongFocus);
  column->addWidget(circuit_line_);
  column->addWidget(chart_view_, 1);
  column->addWidget(reading_);
  column->addWidget(note_);
  column->addWidget(table_);
  column->addWidget(total_);
  resize(820, 800);

  connect(AddAction(this, nullptr, QStringLiteral("Copia"), QKeySequence(Qt::CTRL | Qt::Key_C)),
          &QAction::triggered, this, &Risposta::CopyReport);
  // Ctrl+R here too: it computes a cancelled Euler curve again.
  AddAction(this, "ShowResponse", QStringLiteral("Aggiorna"), QKeySequence(Qt::CTRL | Qt::Key_R));
  AddPrecisionAction(this);
  connect(AddAction(this, nullptr, QStringLiteral("Chiudi"), QKeySequence(Qt::Key_Escape)),
          &QAction::triggered, this, &QWidget::close);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  AddKeyboardMenu(this);
  connect(chart_view_->chart(), &QChart::plotAreaChanged, this, &Risposta::PlaceLabels);
  // The axes stay for the life of the window; each result replaces the series.
  QChart* chart = chart_view_->chart();
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  chart->setLocalizeNumbers(true);
  chart->setLocale(locale);
  x_axis_ = new QLogValueAxis;
  x_axis_->setTitleText(QStringLiteral("f [Hz]"));
  x_axis_->setLabelFormat(QStringLiteral("%.3g"));
  x_axis_->setMinorTickCount(8);
  y_axis_ = new QLogValueAxis;
  y_axis_->setTitleText(QStringLiteral("picco di v(t) [V]"));
  y_axis_->setLabelFormat(QStringLiteral("%.3g"));
  chart->addAxis(x_axis_, Qt::AlignBottom);
  chart->addAxis(y_axis_, Qt::AlignLeft);
  x_axis_->hide();
  y_axis_->hide();
  chart_view_->setFocus();  // Left and Right read the chart at once
  note_->setText(QString::fromUtf8(
      "Nessun risultato ancora: la risposta viene da \"calcola valori \" o dal grafico."));
}

Risposta::~Risposta() = default;

void Risposta::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepOnScreen(this);
}

void Risposta::ShowResponse(const analysis::CircuitState& circuit, QWidget* progress_over) {
  circuit_ = analysis::NumbersOf(circuit);
  circuit_values_ =
      CircuitValues(circuit.Is, circuit.R, circuit.C, circuit.L, circuit.f, circuit.N, circuit.NP);
  circuit_line_->setText(CircuitLine(circuit_values_));
  std::optional<analysis::CurveFrequencies> frequencies =
      analysis::CurveFrequenciesOf(circuit_, analysis::DefaultCurveRange(circuit_));
  frequencies_ = frequencies ? std::move(*frequencies) : analysis::CurveFrequencies{};
  exact_ = analysis::ExactCurve(circuit_, frequencies_.f);
  euler_.reset();
  harmonics_ = analysis::HarmonicTableOf(circuit_);
  marked_.reset();
  ShowHarmonics();
  euler_running_ = true;
  ShowCurves();  // the exact curve, on screen while the Euler one is computed
  {
    ProgressGate gate(progress_over != nullptr ? progress_over : this,
                      QString::fromUtf8("Curva di Eulero in corso…"));
    euler_ = analysis::EulerCurve(circuit_, frequencies_.f, &gate);
  }
  euler_running_ = false;
  ShowCurves();
}

void Risposta::ShowHarmonics() {
  auto* model = static_cast<HarmonicModel*>(table_->model());
  model->SetRows(harmonics_ ? harmonics_->rows : std::vector<analysis::Harmonic>{});
  if (!harmonics_) {
    total_->setText(QString::fromUtf8(
        "Nessuna armonica da mostrare: la corrente Is è 0, o il circuito non ha un regime "
        "periodico esatto."));
  } else {
    total_->setText(
        QString::fromUtf8("Le %1 righe tengono il %2 % di ⟨v²⟩ = %3 V², dalla forma chiusa "
                          "integrata su un periodo.")
            .arg(harmonics_->rows.size())
            .arg(Number(100 * harmonics_->listed_share, "0.000"),
                 Number(harmonics_->mean_square_v, "0.0000E+00")));
  }
  total_->setAccessibleName(total_->text());
}

std::optional<double> Risposta::MarkHeight(size_t i) const {
  if (Positive(exact_[i])) return exact_[i];
  if (euler_ && Positive((*euler_)[i])) return (*euler_)[i];
  return std::nullopt;
}

void Risposta::ShowCurves() {
  QChart* chart = chart_view_->chart();
  chart->removeAllSeries();
  for (QGraphicsSimpleTextItem* label : labels_) delete label;
  labels_.clear();
  label_points_.clear();
  marker_ = nullptr;
  const std::vector<double>& f = frequencies_.f;
  double low = INFINITY, high = 0, exact_high = 0;
  auto* exact = new QLineSeries;
  exact->setName(QStringLiteral("esatto"));
  exact->setPen(Pen(kExactColour, Qt::SolidLine));
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(f.size()));
  for (size_t i = 0; i < f.size(); ++i) {
    if (!Positive(exact_[i])) continue;
    points.append({f[i], *exact_[i]});
    low = std::min(low, *exact_[i]);
    exact_high = std::max(exact_high, *exact_[i]);
  }
  exact->replace(points);
  high = exact_high;
  x_axis_->setVisible(!points.empty());
  y_axis_->setVisible(!points.empty());
  if (points.empty()) {
    delete exact;
    chart->setTitle(QString());
    note_->setText(QString::fromUtf8(
        "Nessuna curva da mostrare: per questi valori il circuito non ha un regime periodico "
        "esatto, o la corrente Is è 0 e v(t) resta 0 a ogni frequenza."));
    reading_->clear();
    chart_view_->setAccessibleDescription(note_->text());
    return;
  }
  chart->addSeries(exact);
  // The Euler curve, one line per run of points where the method is stable;
  // where it is far beyond the exact peak the axis stops at 100 times that.
  size_t unstable = 0;
  if (euler_) {
    for (size_t i = 0; i < f.size();) {
      QList<QPointF> run;
      for (; i < f.size() && Positive((*euler_)[i]); ++i) {
        run.append({f[i], *(*euler_)[i]});
        low = std::min(low, *(*euler_)[i]);
        high = std::max(high, std::min(*(*euler_)[i], 100 * exact_high));
      }
      if (!run.empty()) {
        auto* euler = new QLineSeries;
        euler->setName(QString::fromUtf8("Eulero, N = %1").arg(circuit_.N));
        euler->setPen(Pen(kEulerColour, Qt::DashLine));
        euler->replace(run);
        chart->addSeries(euler);
        if (chart->series().size() > 2) chart->legend()->markers(euler)[0]->setVisible(false);
      }
      for (; i < f.size() && !Positive((*euler_)[i]); ++i) ++unstable;
    }
  }
  const double bottom = low / 1.5, top = high * 1.5;
  if (frequencies_.current) {
    auto* current = new QLineSeries;
    current->setName(QStringLiteral("f attuale = ") + circuit_values_[4] + QStringLiteral(" Hz"));
    current->setPen(Pen(kCurrentColour, Qt::DotLine));
    current->append(circuit_.f, bottom);
    current->append(circuit_.f, top);
    chart->addSeries(current);
  }
  auto* resonances = Marks(QStringLiteral("f0/k, k dispari"), kResonanceColour,
                           QScatterSeries::MarkerShapeTriangle, 10);
  for (size_t i = 0; i < f.size(); ++i) {
    if (frequencies_.order[i] == 0) continue;
    const std::optional<double> height = MarkHeight(i);
    if (!height) continue;
    resonances->append(f[i], *height);
    auto* label = new QGraphicsSimpleTextItem(OrderName(frequencies_.order[i]), chart);
    label->setBrush(kResonanceColour);
    label->setFont(font());
    labels_.push_back(label);
    label_points_.emplace_back(f[i], *height);
  }
  chart->addSeries(resonances);
  marker_ = Marks(QStringLiteral("punto scelto"), kMarkerColour,
                  QScatterSeries::MarkerShapeCircle, 12);
  marker_->setColor(Qt::transparent);
  chart->addSeries(marker_);

  chart->setTitle(QString::fromUtf8("Picco di v(t) a regime al variare di f"));
  // Both ranges set at once, so that no moment holds a range the other axis
  // has not caught up with.
  x_axis_->setRange(f.front(), f.back());
  y_axis_->setRange(bottom, top);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x_axis_);
    series->attachAxis(y_axis_);
  }
  QString description =
      QString::fromUtf8("Assi logaritmici, da %1 a %2 Hz, %3 punti.")
          .arg(Number(f.front(), "0.0000E+00"), Number(f.back(), "0.0000E+00"))
          .arg(f.size());
  if (euler_running_) {
    description += QString::fromUtf8(" Curva di Eulero in corso…");
  } else if (!euler_) {
    description += QString::fromUtf8(" Calcolo della curva di Eulero annullato: Ctrl+R lo rifà.");
  } else if (unstable == f.size()) {
    description += QString::fromUtf8(" Con N = %1 il metodo di Eulero è instabile in ogni punto.")
                       .arg(circuit_.N);
  } else if (unstable > 0) {
    description += QString::fromUtf8(
                       " Con N = %1 il metodo di Eulero è instabile in %2 punti: lì la sua "
                       "curva si interrompe.")
                       .arg(circuit_.N)
                       .arg(unstable);
  }
  note_->setText(description);
  chart_view_->setAccessibleDescription(description);
  PlaceLabels();
  Mark(frequencies_.current.value_or(0));
}

void Risposta::PlaceLabels() {
  QChart* chart = chart_view_->chart();
  if (chart->series().isEmpty()) return;
  const QRectF area = chart->plotArea();
  std::vector<QRectF> placed;
  // In the order of k: f0 first, the crowded high orders last.
  for (size_t i = 0; i < labels_.size(); ++i) {
    QGraphicsSimpleTextItem* label = labels_[i];
    const QPointF at = chart->mapToPosition(
        QPointF(label_points_[i].first, label_points_[i].second), chart->series().front());
    const QRectF box = label->boundingRect();
    QRectF where(at.x() - box.width() / 2, at.y() - box.height() - 6, box.width(), box.height());
    if (where.top() < area.top()) where.moveTop(at.y() + 6);
    auto covers = [&](const QRectF& r) {
      return std::any_of(placed.begin(), placed.end(),
                         [&](const QRectF& p) { return p.intersects(r); });
    };
    // Over the mark, else a line higher, else left out.
    if (covers(where)) where.translate(0, -box.height());
    const bool shown = area.contains(where) && !covers(where);
    label->setVisible(shown);
    label->setPos(where.topLeft());
    if (shown) placed.push_back(where.adjusted(-2, 0, 2, 0));
  }
}

QString Risposta::Reading(size_t i) const {
  const QString name = PointName(frequencies_, i);
  const QString euler = euler_running_        ? QStringLiteral("in corso")
                        : !euler_               ? QStringLiteral("non calcolato")
                        : Positive((*euler_)[i]) ? Number(*(*euler_)[i], "0.0000E+00") + " V"
                                               : QStringLiteral("— (instabile)");
  return QStringLiteral("f = ") + Number(frequencies_.f[i], "0.0000E+00") + QStringLiteral(" Hz") +
         (name.isEmpty() ? QString() : QStringLiteral(" (") + name + QLatin1Char(')')) +
         QStringLiteral(": picco esatto ") + Peak(exact_[i], "0.0000E+00") +
         (exact_[i] ? QStringLiteral(" V") : QString()) + QStringLiteral(", picco di Eulero ") +
         euler;
}

void Risposta::Mark(size_t i) {
  if (i >= frequencies_.f.size() || marker_ == nullptr) return;
  marked_ = i;
  marker_->clear();
  if (const std::optional<double> height = MarkHeight(i))
    marker_->append(frequencies_.f[i], *height);
  const QString reading = Reading(i);
  reading_->setText(reading);
  chart_view_->setAccessibleName(QString::fromUtf8("Picco di v(t) a regime al variare di f: ") +
                                 reading);
}

void Risposta::PutMarked() {
  if (!marked_) return;
  const double f = frequencies_.f[*marked_];
  put_(QString::fromStdString(analysis::json::Number(f)));
  note_->setText(QString::fromUtf8("f = %1 Hz messa nel campo f della finestra iniziale: "
                                   "\"calcola valori \" o il grafico la usano.")
                     .arg(QString::fromStdString(analysis::json::Number(f))));
}

bool Risposta::eventFilter(QObject* watched, QEvent* event) {
  if (frequencies_.f.empty() || !marked_) return QWidget::eventFilter(watched, event);
  const size_t last = frequencies_.f.size() - 1;
  if (watched == chart_view_ && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left: Mark(*marked_ == 0 ? 0 : *marked_ - 1); return true;
      case Qt::Key_Right: Mark(std::min(*marked_ + 1, last)); return true;
      case Qt::Key_Home: Mark(0); return true;
      case Qt::Key_End: Mark(last); return true;
      case Qt::Key_Return:
      case Qt::Key_Enter: PutMarked(); return true;
      default: break;
    }
  }
  if (watched == chart_view_->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // The point nearest the click along the frequency axis.
    QChart* chart = chart_view_->chart();
    const QPointF scene = chart_view_->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint());
    const double x = chart->mapFromScene(scene).x();
    size_t nearest = 0;
    double distance = INFINITY;
    for (size_t i = 0; i <= last; ++i) {
      const double d = std::fabs(
          chart->mapToPosition(QPointF(frequencies_.f[i], 1), chart->series().front()).x() - x);
      if (d < distance) distance = d, nearest = i;
    }
    chart_view_->setFocus(Qt::MouseFocusReason);
    Mark(nearest);
    PutMarked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QString Risposta::ReportText() const {
  QString text = CircuitBlock(circuit_values_);
  text += QString::fromUtf8("\nf [Hz]\tpicco esatto [V]\tpicco di Eulero [V]\tpunto\n");
  const char* kFull = "0.000000000E+00";  // ten digits
  for (size_t i = 0; i < frequencies_.f.size(); ++i) {
    text += Number(frequencies_.f[i], kFull) + QLatin1Char('\t') + Peak(exact_[i], kFull) +
            QLatin1Char('\t') + (euler_ ? Peak((*euler_)[i], kFull) : kNone) + QLatin1Char('\t') +
            PointName(frequencies_, i) + QLatin1Char('\n');
  }
  QStringList columns;
  for (const char* c : kColumns) columns << QString::fromUtf8(c);
  text += QLatin1Char('\n') + columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
  if (harmonics_) {
    for (const analysis::Harmonic& h : harmonics_->rows) {
      QStringList cells;
      for (int c = 0; c < kColumnCount; ++c) cells << HarmonicModel::Cell(h, c);
      text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    text += QString::fromUtf8("quota elencata di ⟨v²⟩ [%]\t") +
            Number(100 * harmonics_->listed_share, "0.000") + QLatin1Char('\n');
    text += QString::fromUtf8("⟨v²⟩ [V²]\t") + Number(harmonics_->mean_square_v, kFull) +
            QLatin1Char('\n');
  }
  return text;
}

void Risposta::CopyReport() { QGuiApplication::clipboard()->setText(ReportText()); }

}  // namespace ui
