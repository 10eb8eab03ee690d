// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/field_check.h"

#include "analysis/numbers.h"

namespace analysis {

namespace {

struct FieldMessages {
  const char* missing;
  const char* invalid;
};

// In check order: Is, R, C, L, f, N, NP. The blanks before full stops, the
// trailing blanks and the repeated words are part of the texts.
constexpr FieldMessages kIsMessages = {
    "Hai dimenticato di scrivere la corrente Is",
    "Errore di inserimento dati per la corrente Is. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. "
    "Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kRMessages = {
    "Hai dimenticato di scrivere il valore di R in ohm",
    "Errore di inserimento dati per il valore di R in ohm. Puoi scrivere soltanto "
    "numeri razionali con il punto come separatore decimale, anche in forma "
    "esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kCMessages = {
    "Hai dimenticato di scrivere il valore della capacità C in F ",
    "Errore di inserimento dati per il valore della capacità C in F . Puoi "
    "scrivere soltanto numeri razionali con il punto come separatore decimale, "
    "anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kLMessages = {
    "Hai dimenticato di scrivere il valore della induttanza L in H  ",
    "Errore di inserimento dati per il valore della induttanza L in H  . Puoi "
    "scrivere soltanto numeri razionali con il punto come separatore decimale, "
    "anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kFMessages = {
    "Hai dimenticato di scrivere il valore della frequenza in Hz",
    "Errore di inserimento dati per il valore della frequenza in Hz. Puoi scrivere "
    "soltanto numeri razionali con il punto come separatore decimale, anche in "
    "forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kNMessages = {
    "Hai dimenticato di scrivere il numero dei campioni N",
    "Errore di inserimento dati per numero dei campioni N. Puoi scrivere soltanto "
    "numeri razionali con il punto come separatore decimale, anche in forma "
    "esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
constexpr FieldMessages kNPMessages = {
    "Hai dimenticato di scrivere il numero dei periodi visualizzati NP",
    "Errore di inserimento dati per numero dei periodi visualizzati NP. Puoi "
    "scrivere soltanto Puoi scrivere soltanto numeri razionali con il punto come "
    "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};

// A byte-wise test is a character-wise one here: every byte of a non-ASCII
// UTF-8 character lies outside the allowed set, as the character does.
bool IsAllowed(char c) {
  return (c >= '0' && c <= '9') || c == 'e' || c == '.' || c == 'E' || c == '-' || c == '+';
}

// Runs the check protocol for one field; returns true when it passed.
bool CheckField(CircuitState& state, const std::string& text, const FieldMessages& messages,
                MessageSink& sink) {
  state.field_text = text;
  state.missing_msg = messages.missing;
  state.invalid_msg = messages.invalid;
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
  const std::string* fields[] = {&texts.Is, &texts.R, &texts.C, &texts.L,
                                 &texts.f,  &texts.N, &texts.NP};
  const FieldMessages* messages[] = {&kIsMessages, &kRMessages, &kCMessages, &kLMessages,
                                     &kFMessages,  &kNMessages, &kNPMessages};
  for (int i = 0; i < 7; ++i) {
    if (i == 5) {
      state.field_text = texts.N;
      if (Val(state.field_text) < 1000.0) {
        state.n_warning_msg = kSampleCountWarning;
        sink.ShowMessage(state.n_warning_msg);
      }
    }
    if (!CheckField(state, *fields[i], *messages[i], sink)) {
      if (failed != nullptr) *failed = i;
      return false;
    }
  }
  return true;
}

}  // namespace analysis
