// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The layout table of Form2: object names, captions, places and sizes in
// twips (inside Picture1 or Picture3 relative to them), tab indices.
#pragma once

#include <span>

#include "ui/widgets/control_table.h"

namespace ui {

// Client area of Form2 in twips.
inline constexpr int kForm2Width = 18810;
inline constexpr int kForm2Height = 9585;

// The trace colours, shared by the traces, their zero lines, the captions
// of the option buttons and the readout value boxes.
inline constexpr uint32_t kRed = 0xff0000;      // is(t)
inline constexpr uint32_t kGreen = 0x00ff00;    // v(t)
inline constexpr uint32_t kBlue = 0x0000ff;     // iC(t)
inline constexpr uint32_t kMagenta = 0xff00ff;  // iL(t)

std::span<const ControlSpec> Form2Layout();

}  // namespace ui
