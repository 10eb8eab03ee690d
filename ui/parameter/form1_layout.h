// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The layout table of Form1: object names, captions or default texts,
// places and sizes in twips, tab indices.
#pragma once

#include <span>

#include "ui/widgets/control_table.h"

namespace ui {

// Client area of Form1 in twips.
inline constexpr int kForm1Width = 15015;
inline constexpr int kForm1Height = 8565;

std::span<const ControlSpec> Form1Layout();

}  // namespace ui
