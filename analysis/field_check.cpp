// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/field_check.h"

#include "analysis/fields.h"
#include "analysis/numbers.h"

namespace analysis {

namespace {

// A byte-wise test is a character-wise one here: every byte of a non-ASCII
// UTF-8 character lies outside the allowed set, as the character does.
bool IsAllowed(char c) {
  return (c >= '0' && c <= '9') || c == 'e' || c == '.' || c == 'E' || c == '-' || c == '+';
}

// Runs the check protocol for one field; returns true when it passed.
bool CheckField(CircuitState& state, const std::string& text, const FieldSpec& field,
                MessageSink& sink) {
  state.field_text = text;
  state.missing_msg = field.missing;
  state.invalid_msg = field.invalid;
  CheckNumericField(state.field_text, state, sink);
  return state.input_error == 0;
}

}  // namespace

const char* const kSampleCountWarning =
    "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

void CheckNumericField(const std::string& text, CircuitState& state, MessageSink& sink) {
  state.input_error = 0;
  if (text.empty()) {
    sink.ShowMessage(state.missing_msg);
    state.input_error = 1;
    return;
  }
  for (char c : text) {
    if (!IsAllowed(c)) {
      sink.ShowMessage(state.invalid_msg);
      state.input_error = 1;
      return;
    }
  }
}

bool CheckParameterFields(CircuitState& state, const ParameterTexts& texts, MessageSink& sink,
                          int* failed) {
  for (int i = 0; i < 7; ++i) {
    const FieldSpec& field = kFields[i];
    if (field.field == Field::kN) {
      state.field_text = texts.N;
      if (ValOf(state.field_text, Field::kN) < 1000.0) {
        state.n_warning_msg = kSampleCountWarning;
        sink.ShowMessage(state.n_warning_msg);
      }
    }
    if (!CheckField(state, texts.*field.text, field, sink)) {
      if (failed != nullptr) *failed = i;
      return false;
    }
  }
  return true;
}

}  // namespace analysis
