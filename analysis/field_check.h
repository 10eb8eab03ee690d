// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The check of the typed numbers. A field passes when it is not empty and
// holds only the characters 0-9 e E . - + (in any order and number: "1.2.3"
// and "--" pass; what they mean is left to Val). The first failing field is
// reported through a MessageSink with its Italian message, and the command
// that asked for the check stops there.
#pragma once

#include <string>

#include "analysis/circuit_state.h"
#include "analysis/parameters.h"

namespace analysis {

// Where the check shows its messages: the application's modal OK box.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` (UTF-8) and returns once the user has acknowledged it.
  virtual void ShowMessage(const std::string& text) = 0;
};

// The warning shown when fewer than 1000 samples per period are asked for.
extern const char* const kSampleCountWarning;

// Checks `text` (the caller passes state.field_text). Sets
// state.input_error to 1 after showing state.missing_msg for an empty text
// or state.invalid_msg for a text with any other character; to 0 otherwise.
// A text of any length is checked.
void CheckNumericField(const std::string& text, CircuitState& state, MessageSink& sink);

// Checks the seven fields in the order Is, R, C, L, f, N, NP, each with its
// own messages, and stops at the first failure. Between f and N it shows
// kSampleCountWarning (stored in n_warning_msg) when Val of the N text is
// below 1000; the warning never stops the check. Returns true when every
// field passed; else `failed`, when given, receives the place in the check
// order (0 Is, 1 R, 2 C, 3 L, 4 f, 5 N, 6 NP) of the field that failed. Only
// the check fields of `state` change.
// Throws Fault(Overflow) when the N text reads beyond the double range.
bool CheckParameterFields(CircuitState& state, const ParameterTexts& texts, MessageSink& sink,
                          int* failed = nullptr);

}  // namespace analysis
