// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

std::function<void(const QString&)>& Handler() {
  static std::function<void(const QString&)> handler;
  return handler;
}

}  // namespace

int TitleWidth(const QWidget& window) {
  QFont title = QApplication::font("QMdiSubWindowTitleBar");
  title.setBold(true);
  // The title text, a window icon and three frame buttons of about a line's
  // height each, and the margins of a title bar.
  const QFontMetrics metrics(title);
  return metrics.horizontalAdvance(window.windowTitle()) + 4 * (metrics.height() + 8) + 32;
}

void ShowMessage(const QString& text) {
  if (Handler()) {
    Handler()(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // a platform theme may give it one
  // Wide enough for its whole title, beside the frame's icon and buttons.
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid != nullptr)
    grid->addItem(new QSpacerItem(TitleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  box.exec();
}

void SetMessageHandler(std::function<void(const QString&)> handler) {
  Handler() = std::move(handler);
}

void BoxMessageSink::ShowMessage(const std::string& text) {
  ui::ShowMessage(QString::fromStdString(text));
}

}  // namespace ui
