// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows and the boxes of the program show of it: its title and
// its icon.
#pragma once

#include <QIcon>

namespace ui {

// The caption of every message box and the title of the start window.
inline constexpr char kApplicationTitle[] = "Circuito RLC parallelo";

// The red diamond, in its 16- and 32-pixel forms.
QIcon WindowIcon();

}  // namespace ui
