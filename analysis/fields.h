// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The seven fields of a circuit, written once, in the order the check
// takes them: what the text holds, how the start window, the command line
// and the fault explanations name it, its default, and the field check's
// two messages (their blanks before full stops, trailing blanks and
// repeated words are part of the texts).
#pragma once

#include <string>

namespace analysis {

enum class Field { kIs, kR, kC, kL, kF, kN, kNP };

// The seven texts as typed, UTF-8, never trimmed.
struct ParameterTexts {
  std::string Is;  // A, text box Text1
  std::string R;   // ohm, Text2
  std::string C;   // F, Text3
  std::string L;   // H, Text6
  std::string f;   // Hz, Text7
  std::string N;   // samples per period, Text4
  std::string NP;  // periods shown, Text8
};

// One field: what it is called wherever it is named.
struct FieldSpec {
  Field field;
  std::string ParameterTexts::*text;  // where a command keeps the typed text
  const char* label;                  // "Is": the symbol the explanations use
  const char* widget;                 // "Text1": the start window's text box
  const char* spoken;                 // "Is [A]": what a screen reader says of that box
  const char* option;                 // "corrente": the command line's --corrente
  const char* help;                   // the command line's help for it
  const char* default_text;           // the start window's text at start
  const char* missing;                // the check's message for an empty field
  const char* invalid;                // and for a character that is no part of a number
};

inline constexpr FieldSpec kFields[] = {
    {Field::kIs, &ParameterTexts::Is, "Is", "Text1", "Is [A]", "corrente",
     "Ampiezza Is della corrente ad onda quadra, in A.", "1",
     "Hai dimenticato di scrivere la corrente Is",
     "Errore di inserimento dati per la corrente Is. Puoi scrivere soltanto numeri "
     "razionali con il punto come separatore decimale, anche in forma esponenziale. "
     "Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kR, &ParameterTexts::R, "R", "Text2", "R [ohm]", "resistenza", "Resistenza R, in ohm.",
     "400", "Hai dimenticato di scrivere il valore di R in ohm",
     "Errore di inserimento dati per il valore di R in ohm. Puoi scrivere soltanto "
     "numeri razionali con il punto come separatore decimale, anche in forma "
     "esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kC, &ParameterTexts::C, "C", "Text3", "C [F]", "capacita", "Capacità C, in F.", "1e-5",
     "Hai dimenticato di scrivere il valore della capacità C in F ",
     "Errore di inserimento dati per il valore della capacità C in F . Puoi "
     "scrivere soltanto numeri razionali con il punto come separatore decimale, "
     "anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kL, &ParameterTexts::L, "L", "Text6", "L [H]", "induttanza", "Induttanza L, in H.",
     "0.1", "Hai dimenticato di scrivere il valore della induttanza L in H  ",
     "Errore di inserimento dati per il valore della induttanza L in H  . Puoi "
     "scrivere soltanto numeri razionali con il punto come separatore decimale, "
     "anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kF, &ParameterTexts::f, "f", "Text7", "f [Hz]", "frequenza",
     "Frequenza f dell'onda quadra, in Hz.", "159",
     "Hai dimenticato di scrivere il valore della frequenza in Hz",
     "Errore di inserimento dati per il valore della frequenza in Hz. Puoi scrivere "
     "soltanto numeri razionali con il punto come separatore decimale, anche in "
     "forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kN, &ParameterTexts::N, "N", "Text4", "N, numero campioni", "campioni",
     "Numero N di campioni per periodo.", "1000",
     "Hai dimenticato di scrivere il numero dei campioni N",
     "Errore di inserimento dati per numero dei campioni N. Puoi scrivere soltanto "
     "numeri razionali con il punto come separatore decimale, anche in forma "
     "esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {Field::kNP, &ParameterTexts::NP, "NP", "Text8", "NP, numero periodi visualizzati", "periodi",
     "Numero NP di periodi visualizzati (se ne simulano 100 NP).", "10",
     "Hai dimenticato di scrivere il numero dei periodi visualizzati NP",
     "Errore di inserimento dati per numero dei periodi visualizzati NP. Puoi "
     "scrivere soltanto Puoi scrivere soltanto numeri razionali con il punto come "
     "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
};

// Returns the row of `field`.
inline constexpr const FieldSpec& FieldOf(Field field) { return kFields[static_cast<int>(field)]; }

}  // namespace analysis
