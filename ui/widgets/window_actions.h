// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of a window that live in its context menu and on its keys,
// and the two that every window has: those that open the companion windows
// "Precisione del metodo" and "Risposta in frequenza", which the session
// finds by their object names and answers.
#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

namespace ui {

// Adds to `window` the command `text` with `keys`, named `name` (none when
// null) for whoever connects it. Returns it; the window owns it.
QAction* AddAction(QWidget* window, const char* name, const QString& text,
                   const QKeySequence& keys);

// Shift+F10, the keyboard's way to a context menu, opens the menu of the
// commands of `window` at the control that has the focus.
void AddKeyboardMenu(QWidget* window);

// "Precisione del metodo…" (Ctrl+M), named ShowPrecision.
QAction* AddPrecisionAction(QWidget* window);
// "Risposta in frequenza…" (Ctrl+R), named ShowResponse.
QAction* AddResponseAction(QWidget* window);

}  // namespace ui
