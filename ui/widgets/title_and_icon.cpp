// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/title_and_icon.h"

namespace ui {

QIcon WindowIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icon16.svg"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icon.svg"), QSize(32, 32));
  return icon;
}

}  // namespace ui
