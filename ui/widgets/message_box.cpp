// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

std::function<void(const QString&)>& Handler() {
  static std::function<void(const QString&)> handler;
  return handler;
}

}  // namespace

void ShowMessage(const QString& text) {
  if (Handler()) {
    Handler()(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // a platform theme may give it one
  box.exec();
}

void SetMessageHandler(std::function<void(const QString&)> handler) {
  Handler() = std::move(handler);
}

void BoxMessageSink::ShowMessage(const std::string& text) {
  ui::ShowMessage(QString::fromStdString(text));
}

}  // namespace ui
