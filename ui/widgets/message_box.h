// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's one message box, used for the field messages, the
// sample-count warning and the fault texts.
#pragma once

#include <functional>
#include <string>

#include <QString>

class QWidget;

#include "analysis/field_check.h"
#include "ui/widgets/title_and_icon.h"

namespace ui {

// Shows `text` modally with one OK button, no icon and kApplicationTitle as
// caption, in a box wide enough for its whole title (TitleWidth); returns
// once the user has pressed OK.
void ShowMessage(const QString& text);

// The width a window needs for its title bar to show its whole title: the
// title in a bold title-bar font, with room for the frame's icon and three
// buttons, in logical pixels.
int TitleWidth(const QWidget& window);

// Test seam: while a handler is set, ShowMessage hands it the text instead
// of opening the box. An empty handler restores the box.
void SetMessageHandler(std::function<void(const QString&)> handler);

// The field check's MessageSink: shows each message with ShowMessage.
class BoxMessageSink : public analysis::MessageSink {
 public:
  void ShowMessage(const std::string& text) override;
};

}  // namespace ui
