// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/parameter/form1_layout.h"

#include "analysis/fields.h"

namespace ui {

namespace {

using K = ControlKind;
using analysis::Field;

// The text box of `field`: its name and default text come from the fields' table.
constexpr ControlSpec TextBox(Field field, int left, int top, int width, int height, int tab) {
  return {analysis::FieldOf(field).widget,
          K::kTextBox,
          analysis::FieldOf(field).default_text,
          left,
          top,
          width,
          height,
          tab};
}

// The caption of Label23: two blanks before and after "moltiplicata per",
// one blank at the end.
constexpr char kDescription[] =
    "Circuito risonante parallelo con Q non molto elevato, sottoposto ad un'onda quadra di "
    "corrente con DC = 50 % di ampiezza Is. Se la frequenza dell'onda quadra è prossima a "
    "quella di risonanza la tensione ai capi del circuito risulta con buona approssimazione "
    "sinusoidale e di ampiezza di picco circa uguale alla fondamentale di Is(t)  moltiplicata "
    "per  R=1/G ";

constexpr ControlSpec kLayout[] = {
    // name, kind, caption or default text, left, top, width, height, tab index
    {"Label1", K::kLabel, "Is", 945, 1050, 435, 225, 5},
    TextBox(Field::kIs, 1470, 945, 1800, 435, 2),
    {"Label14", K::kLabel, "[A]", 3465, 1050, 330, 225, 23},
    {"Label2", K::kLabel, "R", 945, 1575, 330, 225, 4},
    TextBox(Field::kR, 1470, 1470, 1800, 435, 1),
    {"Label15", K::kLabel, "[ohm]", 3465, 1575, 645, 225, 24},
    {"Label3", K::kLabel, "C", 945, 1995, 225, 225, 9},
    TextBox(Field::kC, 1470, 1995, 1800, 330, 8),
    {"Label16", K::kLabel, "[F]", 3360, 1995, 330, 225, 25},
    {"Label6", K::kLabel, "L", 945, 2415, 225, 225, 11},
    TextBox(Field::kL, 1470, 2415, 1800, 330, 10),
    {"Label17", K::kLabel, "[H]", 3360, 2415, 330, 225, 26},
    {"Label7", K::kLabel, "f", 945, 2835, 120, 225, 13},
    TextBox(Field::kF, 1470, 2835, 1800, 330, 12),
    {"Label18", K::kLabel, "[Hz]", 3360, 2835, 435, 225, 27},
    {"Label4", K::kLabel, "N", 1155, 3360, 225, 225, 3},
    TextBox(Field::kN, 1470, 3255, 1800, 330, 0),
    {"Label19", K::kLabel, "Numero campioni", 3465, 3360, 1485, 225, 28},
    {"Label11", K::kLabel, "NP", 945, 3780, 330, 225, 15},
    TextBox(Field::kNP, 1470, 3780, 1800, 330, 14),
    {"Label20", K::kLabel, "Numero periodi visualizzati", 3465, 3780, 2745, 225, 29},
    {"Command1", K::kButton, "calcola valori ", 5145, 1155, 1905, 855, 7},
    {"Command2", K::kButton, "grafico di \"v(t)\" a regime", 1440, 5160, 1905, 750, 6},
    {"Label13", K::kLabel, "v(t) di picco", 7140, 1260, 1275, 225, 17},
    {"Label12", K::kResultBox, "", 8610, 1155, 2115, 330, 16},
    {"Label22", K::kLabel, "[V]", 10815, 1155, 330, 225, 31},
    {"Label10", K::kLabel, "fris", 8085, 1680, 330, 225, 22},
    {"Label9", K::kResultBox, "", 8610, 1680, 2115, 330, 21},
    {"Label21", K::kLabel, "[Hz]", 10815, 1785, 435, 225, 30},
    {"Label8", K::kLabel, "Qris", 7980, 2100, 435, 225, 20},
    {"Label5", K::kResultBox, "", 8610, 2100, 2115, 330, 19},
    {"Label23", K::kLabel, kDescription, 315, 105, 13350, 645, 32},
    {"Label24", K::kLabel,
     "fris = frequenza di risonanza del circuito RLC ;  Qris = fattore di merito del circuito "
     "alla frequenza di risonanza",
     4305, 2520, 9465, 225, 33},
    {"Picture1", K::kImage, ":/schematic.svg", 6480, 3000, 8250, 5220, 18},
    {"Picture2", K::kImage, ":/formula_fris.svg", 4305, 4200, 1485, 690, 34},
    {"Picture3", K::kImage, ":/formula_vpicco.svg", 11550, 1050, 1365, 645, 35},
    {"Picture4", K::kImage, ":/formula_qris.svg", 4305, 5145, 1440, 810, 36},
};

}  // namespace

std::span<const ControlSpec> Form1Layout() { return kLayout; }

}  // namespace ui
