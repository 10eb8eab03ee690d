// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's one message box, used for the field messages, the
// sample-count warning and the fault texts.
#pragma once

#include <functional>
#include <string>

#include <QString>

#include "analysis/field_check.h"
#include "ui/widgets/title_and_icon.h"

namespace ui {

// Shows `text` modally with one OK button, no icon and kApplicationTitle as
// caption; returns once the user has pressed OK.
void ShowMessage(const QString& text);

// Test seam: while a handler is set, ShowMessage hands it the text instead
// of opening the box. An empty handler restores the box.
void SetMessageHandler(std::function<void(const QString&)> handler);

// The field check's MessageSink: shows each message with ShowMessage.
class BoxMessageSink : public analysis::MessageSink {
 public:
  void ShowMessage(const std::string& text) override;
};

}  // namespace ui
