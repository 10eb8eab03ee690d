// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/circuit_line.h"

#include <iterator>
#include <utility>

#include <QLocale>

namespace ui {

namespace {

// The symbol and the unit of each value.
constexpr std::pair<const char*, const char*> kCircuit[] = {
    {"Is", "A"}, {"R", "ohm"}, {"C", "F"}, {"L", "H"}, {"f", "Hz"}, {"N", ""}, {"NP", ""}};

}  // namespace

QStringList CircuitValues(double Is, double R, double C, double L, double f, int32_t N,
                          int32_t NP) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  QStringList values;
  for (const double value : {Is, R, C, L, f})
    values << locale.toString(value, 'G', QLocale::FloatingPointShortest);
  return values << QString::number(N) << QString::number(NP);
}

QStringList NoCircuit() { return QStringList(std::ssize(kCircuit), QStringLiteral("—")); }

QString CircuitLine(const QStringList& values) {
  QStringList parts;
  for (size_t i = 0; i < std::size(kCircuit); ++i) {
    const QString unit = QString::fromLatin1(kCircuit[i].second);
    parts << QString::fromLatin1(kCircuit[i].first) + QStringLiteral(" = ") + values[i] +
                 (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
  }
  return QStringLiteral("Circuito: ") + parts.join(QStringLiteral(", "));
}

QString CircuitBlock(const QStringList& values) {
  QString text;
  for (size_t i = 0; i < std::size(kCircuit); ++i) {
    const QString unit = QString::fromLatin1(kCircuit[i].second);
    text += QString::fromLatin1(kCircuit[i].first) +
            (unit.isEmpty() ? QString() : QStringLiteral(" [") + unit + QLatin1Char(']')) +
            QLatin1Char('\t') + values[i] + QLatin1Char('\n');
  }
  return text;
}

}  // namespace ui
