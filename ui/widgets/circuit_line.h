// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit a companion window shows its numbers for, in the order of the
// start window's fields: on one line for the eye ("Circuito: Is = 1 A, R =
// 400 ohm, …") and one value per line for a spreadsheet.
#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

namespace ui {

// The seven values of a circuit, as short as they read back exactly, in the
// locale's format without grouping: "1E-05", "0,1".
QStringList CircuitValues(double Is, double R, double C, double L, double f, int32_t N,
                          int32_t NP);

// Seven "—", for a window that has no result yet.
QStringList NoCircuit();

// "Circuito: Is = 1 A, R = 400 ohm, C = 1E-05 F, L = 0.1 H, f = 159 Hz, N = 1000, NP = 10".
QString CircuitLine(const QStringList& values);

// "Is [A]<TAB>1", … "NP<TAB>10", one line each, each ending in a newline.
QString CircuitBlock(const QStringList& values);

}  // namespace ui
