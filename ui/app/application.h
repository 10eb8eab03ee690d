// What both windows share: the application's title and the window icon.
#pragma once

#include <QIcon>

namespace ui {

// The caption of every message box and the title of the start window.
inline constexpr char kApplicationTitle[] = "Circuito RLC parallelo";

// The red diamond, in its 16- and 32-pixel forms.
QIcon WindowIcon();

}  // namespace ui
