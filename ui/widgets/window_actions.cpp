// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/window_actions.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace ui {

QAction* AddAction(QWidget* window, const char* name, const QString& text,
                   const QKeySequence& keys) {
  auto* action = new QAction(text, window);
  if (name != nullptr) action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(keys);
  window->addAction(action);
  return action;
}

void AddKeyboardMenu(QWidget* window) {
  auto* keys = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
  QObject::connect(keys, &QShortcut::activated, window, [window] {
    QWidget* at = QApplication::focusWidget();
    if (at == nullptr || at->window() != window) at = window;
    QMenu::exec(window->actions(), at->mapToGlobal(at->rect().center()), nullptr, window);
  });
}

QAction* AddPrecisionAction(QWidget* window) {
  return AddAction(window, "ShowPrecision", QString::fromUtf8("Precisione del metodo…"),
                   QKeySequence(Qt::CTRL | Qt::Key_M));
}

QAction* AddResponseAction(QWidget* window) {
  return AddAction(window, "ShowResponse", QString::fromUtf8("Risposta in frequenza…"),
                   QKeySequence(Qt::CTRL | Qt::Key_R));
}

}  // namespace ui
