// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/guard.h"

#include <QString>

#include "ui/widgets/message_box.h"

namespace ui {

void ReportFault(OnFault on_fault, analysis::FaultKind kind, const std::string& explanation) {
  if (on_fault != OnFault::kShowMessage) return;
  QString text = QString::fromUtf8(analysis::FaultText(kind));
  if (!explanation.empty()) text += QLatin1Char('\n') + QString::fromStdString(explanation);
  ShowMessage(text);
}

}  // namespace ui
