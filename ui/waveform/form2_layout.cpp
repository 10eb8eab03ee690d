// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/form2_layout.h"

namespace ui {

namespace {

using K = ControlKind;

constexpr ControlSpec kLayout[] = {
    // name, kind, caption, left, top, width, height, tab index, container, text colour
    // The strip comes first so that the plot area lies above the column
    // where the two overlap.
    {"Picture3", K::kPicture, "", 0, 0, 1065, 8835, 5},
    {"Picture1", K::kPicture, "", 1050, 0, 14715, 8835, 15},
    {"Label1", K::kPlotLabel, "Label1", 6825, 8295, 1485, 225, 20, "Picture1"},
    {"Label2", K::kPlotLabel, "Label2", 2940, 8295, 1380, 225, 19, "Picture1"},
    {"Label3", K::kPlotLabel, "Label3", 10080, 8400, 1275, 225, 18, "Picture1"},
    {"Label4", K::kPlotLabel, "t [usec]", 13755, 8400, 750, 225, 17, "Picture1"},
    {"Label5", K::kPlotLabel, "0", 105, 8505, 330, 225, 16, "Picture1"},
    {"Label6", K::kLabel, "Label6", 210, 105, 750, 225, 13, "Picture3"},
    {"Label7", K::kLabel, "Label7", 210, 1050, 645, 225, 12, "Picture3"},
    {"Label8", K::kLabel, "Label8", 210, 1680, 750, 225, 11, "Picture3"},
    {"Label9", K::kLabel, "Label9", 210, 2625, 645, 225, 10, "Picture3"},
    {"Label10", K::kLabel, "Label10", 105, 3045, 855, 225, 9, "Picture3"},
    {"Label11", K::kLabel, "Label11", 210, 4095, 750, 225, 8, "Picture3"},
    {"Label12", K::kLabel, "Label12", 105, 4515, 855, 330, 7, "Picture3"},
    {"Label13", K::kLabel, "Label13", 105, 5460, 855, 225, 6, "Picture3"},
    {"Option1", K::kOption, "is(t)", 15840, 0, 1170, 330, 0, nullptr, kRed},
    {"Option2", K::kOption, "v(t)", 15960, 1680, 1170, 330, 1, nullptr, kGreen},
    {"Option3", K::kOption, "iC(t)", 15960, 3360, 1275, 330, 2, nullptr, kBlue},
    {"Option4", K::kOption, "iL(t)", 15960, 5145, 1590, 225, 3, nullptr, kMagenta},
    // Readout rows: static label, readout box, unit label.
    {"Label19", K::kLabel, "t", 16275, 420, 120, 225, 0},
    {"Label16", K::kReadoutBox, "", 16485, 420, 1380, 330, 0},
    {"Label20", K::kLabel, "[usec]", 17955, 420, 540, 225, 0},
    {"Label21", K::kLabel, "Is", 16200, 840, 210, 225, 0},
    {"Label17", K::kReadoutBox, "", 16485, 840, 1380, 330, 0},
    {"Label22", K::kLabel, "[A]", 17955, 840, 435, 225, 0},
    {"Label25", K::kLabel, "t", 16170, 2100, 225, 225, 0},
    {"Label23", K::kReadoutBox, "", 16485, 2100, 1380, 330, 0},
    {"Label26", K::kLabel, "[usec]", 17955, 2100, 645, 225, 0},
    {"Label27", K::kLabel, "v", 16200, 2520, 165, 225, 0},
    {"Label24", K::kReadoutBox, "", 16485, 2520, 1380, 330, 0},
    {"Label28", K::kLabel, "[V]", 17955, 2520, 330, 225, 0},
    {"Label30", K::kLabel, "t", 16170, 3885, 225, 225, 0},
    {"Label29", K::kReadoutBox, "", 16485, 3780, 1380, 330, 0},
    {"Label31", K::kLabel, "[usec]", 17955, 3780, 645, 225, 0},
    {"Label33", K::kLabel, "iC", 16200, 4305, 210, 225, 0},
    {"Label32", K::kReadoutBox, "", 16485, 4200, 1380, 330, 0},
    {"Label34", K::kLabel, "[A]", 17955, 4200, 330, 225, 0},
    {"Label37", K::kLabel, "t", 16170, 5565, 120, 225, 0},
    {"Label35", K::kReadoutBox, "", 16485, 5460, 1380, 330, 0},
    {"Label38", K::kLabel, "[usec]", 17955, 5460, 540, 225, 0},
    {"Label39", K::kLabel, "iL", 16200, 5985, 225, 225, 0},
    {"Label36", K::kReadoutBox, "", 16485, 5880, 1380, 330, 0},
    {"Label40", K::kLabel, "[A]", 17955, 5880, 330, 225, 0},
    {"Command1", K::kButton, "Esci", 16590, 7770, 1275, 435, 4},
    {"Label14", K::kLabel, "Forme d'onda a regime", 6510, 9030, 4320, 225, 22},
    {"Label67", K::kCreditBox, "Esercitazione RLC", 16695, 9030, 1815, 285, 21},
};

}  // namespace

std::span<const ControlSpec> Form2Layout() { return kLayout; }

}  // namespace ui
