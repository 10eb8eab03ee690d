#include "ui/app/guard.h"

#include <QString>

#include "ui/widgets/message_box.h"

namespace ui {

void ReportFault(OnFault on_fault, analysis::FaultKind kind) {
  if (on_fault == OnFault::kShowMessage) ShowMessage(QString::fromUtf8(analysis::FaultText(kind)));
}

}  // namespace ui
