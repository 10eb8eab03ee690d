#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

using Shown = std::vector<std::string>;

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  Shown shown;
};

const std::string kWarning = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";
const std::string kTail =
    "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
    "1.23 , 1E-5 , 5E3";

// Per field in check order (Is, R, C, L, f, N, NP): the message for an empty
// field, and the invalid message up to its common tail. The blanks before
// full stops, the trailing blanks and the repeated words are the texts'.
const struct {
  std::string missing, invalid;
} kMessages[7] = {
    {"Hai dimenticato di scrivere la corrente Is",
     "Errore di inserimento dati per la corrente Is. Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il valore di R in ohm",
     "Errore di inserimento dati per il valore di R in ohm. Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il valore della capacità C in F ",
     "Errore di inserimento dati per il valore della capacità C in F . Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il valore della induttanza L in H  ",
     "Errore di inserimento dati per il valore della induttanza L in H  . Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il valore della frequenza in Hz",
     "Errore di inserimento dati per il valore della frequenza in Hz. Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il numero dei campioni N",
     "Errore di inserimento dati per numero dei campioni N. Puoi scrivere soltanto "},
    {"Hai dimenticato di scrivere il numero dei periodi visualizzati NP",
     "Errore di inserimento dati per numero dei periodi visualizzati NP. Puoi scrivere soltanto "
     "Puoi scrivere soltanto "},
};

TEST(CheckNumericField, AcceptsOnlyNumberCharacters) {
  const std::pair<std::string, bool> rows[] = {
      // text, passes
      {"0123456789eE.-+", true},
      {"1.2.3", true},
      {std::string(70000, '7'), true},
      {"", false},
      {" 1", false},
      {"1,5", false},
      {"/", false},
      {":", false},
      {"d", false},
      {"F", false},
      {"½", false},
      {"１", false},
      {std::string(70000, '7') + "x", false},
  };
  CircuitState state;
  state.missing_msg = "missing";
  state.invalid_msg = "invalid";
  for (const auto& [text, passes] : rows) {
    RecordingSink sink;
    state.input_error = 1;  // the previous check's flag must not survive
    CheckNumericField(text, state, sink);
    EXPECT_EQ(state.input_error, passes ? 0 : 1) << text.substr(0, 9);
    EXPECT_EQ(sink.shown, passes ? Shown{} : Shown{text.empty() ? "missing" : "invalid"})
        << text.substr(0, 9);
  }
}

TEST(CheckParameterFields, EachFieldHasItsMessagesAndTheCheckStopsThere) {
  for (int i = 0; i < 7; ++i) {
    for (const char* bad : {"", "1,5"}) {
      ParameterTexts texts{"1", "400", "1e-5", "0.1", "159", "1000", "10"};
      std::string* fields[7] = {&texts.Is, &texts.R, &texts.C, &texts.L,
                                &texts.f,  &texts.N, &texts.NP};
      *fields[i] = bad;
      for (int later = i + 1; later < 7; ++later) *fields[later] = "x";  // never reached
      CircuitState state;
      RecordingSink sink;
      EXPECT_FALSE(CheckParameterFields(state, texts, sink));
      Shown expected;
      if (i == 5) expected.push_back(kWarning);  // "" reads as 0, "1,5" as 1: below 1000
      expected.push_back(*bad == 0 ? kMessages[i].missing : kMessages[i].invalid + kTail);
      EXPECT_EQ(sink.shown, expected) << "field " << i << " '" << bad << "'";
      EXPECT_EQ(state.input_error, 1);
    }
  }
}

TEST(CheckParameterFields, WarnsAboutFewSamplesWithoutStopping) {
  const std::pair<const char*, bool> rows[] = {
      // N text, warns
      {"999.6", true},  // becomes 1000: the warning reads the text
      {"999.99999", true}, {"-5000", true}, {"1000", false}, {"1e3", false},
  };
  for (const auto& [n, warns] : rows) {
    CircuitState state;
    RecordingSink sink;
    EXPECT_TRUE(CheckParameterFields(state, {"1", "400", "1e-5", "0.1", "159", n, "10"}, sink));
    EXPECT_EQ(sink.shown, warns ? Shown{kWarning} : Shown{}) << n;
    EXPECT_EQ(state.n_warning_msg, warns ? kWarning : "") << n;
    EXPECT_EQ(state.input_error, 0);
  }
  CircuitState state;
  RecordingSink sink;
  EXPECT_EQ(test::FaultOf([&] {
              CheckParameterFields(state, {"1", "400", "1e-5", "0.1", "159", "1e400", "10"}, sink);
            }),
            FaultKind::Overflow);
}

}  // namespace
}  // namespace analysis
