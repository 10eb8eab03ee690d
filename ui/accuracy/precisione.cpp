// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accuracy/precisione.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QVBoxLayout>

#include "analysis/numbers.h"
#include "ui/widgets/circuit_line.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/fixed_canvas.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/window_actions.h"

namespace ui {

namespace {

// The quantities of the table, in its order.
constexpr const char* kQuantities[] = {
    "N, campioni per periodo",
    "NP, periodi visualizzati",
    "Picco di v(t) con Eulero [V]",
    "Picco di v(t) a regime del metodo [V]",
    "Picco esatto di v(t) [V]",
    "Istante del picco esatto dall'accensione [usec]",
    "Errore relativo del picco di Eulero [%]",
    "Errore relativo del regime del metodo [%]",
    "ρ per periodo",
    "Stabilità del metodo",
    "N minimo stabile",
    "Scarto dal regime del metodo (transitorio) [%]",
    "NP suggerito",
    "N per restare entro l'1 %",
    "NP per restare entro l'1 % (con quell'N)",
};
constexpr int kRows = sizeof kQuantities / sizeof kQuantities[0];

const QString kNone = QStringLiteral("—");

// The colours of the chart: the method's points, the slope of reference,
// the current N and the stability edge.
const QColor kMethodColour(32, 120, 200);
const QColor kSlopeColour(110, 110, 110);
const QColor kCurrentColour(230, 120, 0);
const QColor kEdgeColour(170, 0, 0);

QPen Pen(const QColor& colour, Qt::PenStyle style) {
  QPen pen(colour, 2);
  pen.setStyle(style);
  return pen;
}

QString Number(double value, const char* pattern, double fixed_below = 1e6) {
  return QString::fromStdString(analysis::FormatReported(
      value, pattern, QLocale().decimalPoint().toStdString(), fixed_below));
}

QString Number(const std::optional<double>& value, const char* pattern) {
  return value ? Number(*value, pattern) : kNone;
}

QString Count(const std::optional<int32_t>& value, const QString& none) {
  return value ? QString::number(*value) : none;
}

// A share as a percentage: three decimals, in exponent form below 0,01 %.
QString Percent(const std::optional<double>& share) {
  if (!share) return kNone;
  const double percent = 100 * *share;
  return Number(percent, percent != 0 && percent < 0.01 ? "0.000E+00" : "0.000");
}

// N1 or NP1 of the advice: "circa" where it is estimated, "nessuno" where
// there is none; "—" where the advice does not apply or was cancelled.
QString AdviceCount(const analysis::Accuracy& a, std::optional<int32_t> analysis::Advice::*count) {
  if (!a.advice) return kNone;
  const std::optional<int32_t> value = (*a.advice).*count;
  if (!value) return QStringLiteral("nessuno");
  return (a.advice->estimated ? QStringLiteral("circa ") : QString()) + QString::number(*value);
}

// The values of the table's rows for `a`.
QStringList Values(const analysis::Accuracy& a) {
  const char* kPeak = "0.000000000E+00";  // ten digits: more than the start window's three
  const std::optional<double> method =
      a.method ? std::optional<double>(a.method->peak) : std::nullopt;
  // A fixed point that a run moves away from, or towards no steady state.
  const QString method_text = a.method && !a.MethodReached()
                                  ? QString::fromUtf8("— (instabile: mai raggiunto)")
                                  : Number(method, kPeak);
  const std::optional<double> exact =
      a.exact ? std::optional<double>(a.exact->peak_v()) : std::nullopt;
  const std::optional<double> when =
      a.exact ? std::optional<double>(a.exact->peak_time() * 1e6) : std::nullopt;
  return {QString::number(a.N),
          QString::number(a.NP),
          Number(a.euler_peak, kPeak),
          method_text,
          Number(exact, kPeak),
          Number(when, "0.000"),
          Percent(a.EulerError()),
          Percent(a.MethodError()),
          Number(a.stability.rho, "0.000000", 1000),
          a.stability.stable ? QStringLiteral("stabile") : QStringLiteral("instabile"),
          Count(a.stability.n_min, QStringLiteral("nessuno")),
          a.method ? Percent(a.residual) : kNone,
          Count(a.np_suggested, kNone),
          AdviceCount(a, &analysis::Advice::n),
          AdviceCount(a, &analysis::Advice::np)};
}

}  // namespace

Precisione::Precisione() {
  setObjectName(QStringLiteral("Precisione"));
  setWindowTitle(QStringLiteral("Precisione del metodo"));
  setFont(ControlFont());
  // The contents scroll: on a screen smaller than the window, the window is
  // made to fit it (showEvent) and the scroll bars reach every part.
  auto* grid = new QGridLayout(MakeScrollPage(this));
  circuit_ = new QLabel(QStringLiteral("Circuito: ") + kNone, this);  // no result yet
  circuit_->setObjectName(QStringLiteral("Circuito"));
  circuit_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  circuit_values_ = NoCircuit();
  grid->addWidget(circuit_, 0, 0, 1, 3);
  for (int row = 0; row < kRows; ++row) {
    const QString quantity = QString::fromUtf8(kQuantities[row]);
    auto* name = new QLabel(quantity, this);
    auto* value = new QLabel(kNone, this);
    value->setObjectName(QStringLiteral("Valore%1").arg(row + 1));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Reachable with Tab, and read out as its quantity and value.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus);
    value->setAccessibleName(quantity + QStringLiteral(": ") + kNone);
    name->setBuddy(value);
    grid->addWidget(name, row + 1, 0);
    grid->addWidget(value, row + 1, 1);
    values_.push_back(value);
  }
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  chart_view_ = new QChartView(new QChart, this);
  chart_view_->setObjectName(QStringLiteral("Grafico"));
  chart_view_->setMinimumSize(560, 380);
  chart_view_->setFocusPolicy(Qt::StrongFocus);
  chart_view_->setAccessibleName(
      QString::fromUtf8("Errore relativo del picco a regime del metodo al variare di N"));
  grid->addWidget(chart_view_, 1, 2, kRows, 1);
  grid->addWidget(note_, kRows + 1, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  resize(980, 470);

  connect(AddAction(this, nullptr, QStringLiteral("Copia"), QKeySequence(Qt::CTRL | Qt::Key_C)),
          &QAction::triggered, this, &Precisione::CopyReport);
  connect(AddAction(this, nullptr, QStringLiteral("Chiudi"), QKeySequence(Qt::Key_Escape)),
          &QAction::triggered, this, &QWidget::close);
  // Ctrl+M here too: it computes a cancelled chart again.
  AddAction(this, "ShowPrecision", QStringLiteral("Aggiorna"), QKeySequence(Qt::CTRL | Qt::Key_M));
  AddResponseAction(this);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  AddKeyboardMenu(this);
  note_->setText(QString::fromUtf8(
      "Nessun risultato ancora: i numeri vengono da \"calcola valori \" o dal grafico."));
}

Precisione::~Precisione() = default;

void Precisione::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepOnScreen(this);
}

void Precisione::ShowAccuracy(const analysis::Accuracy& accuracy, QWidget* progress_over) {
  progress_over_ = progress_over != nullptr ? progress_over : this;
  analysis::Accuracy shown = accuracy;
  {
    ProgressGate gate(progress_over_);
    analysis::Advise(shown, &gate);  // cancelled: its rows read "—"
  }
  circuit_values_ = CircuitValues(shown.Is, shown.R, shown.C, shown.L, shown.f, shown.N, shown.NP);
  circuit_->setText(CircuitLine(circuit_values_));
  ShowTable(shown);
  ShowChart(shown);
}

void Precisione::ShowTable(const analysis::Accuracy& accuracy) {
  const QStringList values = Values(accuracy);
  for (int row = 0; row < kRows; ++row) {
    ShowValue(values_[row], values[row]);
    // Unlike its caption, which a screen reader reads too, the name holds the value.
    values_[row]->setAccessibleName(QString::fromUtf8(kQuantities[row]) + QStringLiteral(": ") +
                                    values[row]);
  }
}

void Precisione::ShowChart(const analysis::Accuracy& accuracy) {
  ProgressGate gate(progress_over_);
  series_ = analysis::ErrorSeries(accuracy, gate);
  QChart* chart = chart_view_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  if (!series_) {
    note_->setText(QString::fromUtf8("Calcolo del grafico annullato: Ctrl+M lo rifà."));
    return;
  }
  if (series_->empty()) {
    note_->setText(QString::fromUtf8(
        "Nessun errore da mostrare: per questi valori il circuito non ha un regime periodico "
        "esatto, o la corrente Is è 0."));
    chart_view_->setAccessibleDescription(note_->text());
    return;
  }
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  chart->setLocalizeNumbers(true);
  chart->setLocale(locale);
  chart->setTitle(QString::fromUtf8("Errore relativo del picco a regime del metodo"));
  auto* method = new QLineSeries;
  method->setName(QStringLiteral("regime del metodo"));
  double low = INFINITY, high = 0;
  for (const analysis::ErrorPoint& p : *series_) {
    method->append(p.N, 100 * p.error);
    low = std::min(low, 100 * p.error);
    high = std::max(high, 100 * p.error);
  }
  const double first = series_->front().N, last = series_->back().N;
  double left = first, right = last;
  // The reference of slope -1 through the point of largest N.
  auto* slope = new QLineSeries;
  slope->setName(QString::fromUtf8("errore ∝ 1/N"));
  const double through = 100 * series_->back().error * last;
  slope->append(first, through / first);
  slope->append(last, through / last);
  high = std::max(high, through / first);
  low = std::min(low, through / last);
  slope->setPen(Pen(kSlopeColour, Qt::DashLine));
  method->setPen(Pen(kMethodColour, Qt::SolidLine));
  chart->addSeries(slope);  // under the points, which lie on it for large N
  chart->addSeries(method);
  QString description =
      QString::fromUtf8("Assi logaritmici. Da N = %1 a N = %2 l'errore scende da %3 a %4.")
          .arg(series_->front().N)
          .arg(series_->back().N)
          .arg(Number(100 * series_->front().error, "0.0E+00") + QStringLiteral(" %"),
               Number(100 * series_->back().error, "0.0E+00") + QStringLiteral(" %"));
  if (const std::optional<double> error = accuracy.MethodError(); error && *error > 0) {
    auto* current = new QScatterSeries;
    current->setName(QString::fromUtf8("N attuale = %1").arg(accuracy.N));
    current->setMarkerSize(9);
    current->setColor(kCurrentColour);
    current->setBorderColor(kCurrentColour);
    current->append(accuracy.N, 100 * *error);
    chart->addSeries(current);
    left = std::min(left, double(accuracy.N));
    right = std::max(right, double(accuracy.N));
    low = std::min(low, 100 * *error);
    high = std::max(high, 100 * *error);
    description += QString::fromUtf8(" N attuale %1, con errore %2 %.")
                       .arg(accuracy.N)
                       .arg(Number(100 * *error, "0.0E+00"));
  }
  if (const std::optional<int32_t> n_min = accuracy.stability.n_min;
      n_min && *n_min >= left / 1.2 && *n_min <= right * 1.2) {
    auto* edge = new QLineSeries;
    edge->setName(QString::fromUtf8("N minimo stabile = %1").arg(*n_min));
    edge->append(*n_min, low / 2);
    edge->append(*n_min, high * 2);
    edge->setPen(Pen(kEdgeColour, Qt::DotLine));
    chart->addSeries(edge);
    left = std::min(left, double(*n_min));
    description += QString::fromUtf8(" Il metodo è stabile da N = %1.").arg(*n_min);
  }
  auto* x = new QLogValueAxis;
  x->setTitleText(QStringLiteral("N, campioni per periodo"));
  x->setLabelFormat(QStringLiteral("%.0f"));
  x->setRange(left / 1.2, right * 1.2);
  auto* y = new QLogValueAxis;
  y->setTitleText(QStringLiteral("errore relativo [%]"));
  y->setLabelFormat(QStringLiteral("%.0e"));
  y->setRange(low / 2, high * 2);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  note_->setText(description);
  chart_view_->setAccessibleDescription(description);
}

QString Precisione::ReportText() const {
  QString text = CircuitBlock(circuit_values_);
  text += QString::fromUtf8("\nquantità\tvalore\n");
  for (int row = 0; row < kRows; ++row)
    text += QString::fromUtf8(kQuantities[row]) + QLatin1Char('\t') + values_[row]->text() +
            QLatin1Char('\n');
  text += QStringLiteral("\nN\terrore relativo [%]\n");
  if (series_) {
    for (const analysis::ErrorPoint& p : *series_)
      text += QString::number(p.N) + QLatin1Char('\t') + Number(100 * p.error, "0.000000E+00") +
              QLatin1Char('\n');
  }
  return text;
}

void Precisione::CopyReport() { QGuiApplication::clipboard()->setText(ReportText()); }

}  // namespace ui
