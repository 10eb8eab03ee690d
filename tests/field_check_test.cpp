#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "tests/fault_of.h"

namespace analysis {
namespace {

// Records what the message box would show.
class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

const char kWarning[] = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

// The texts as the user reads them, written out in full.
const char* const kMissing[7] = {
    "Hai dimenticato di scrivere la corrente Is",
    "Hai dimenticato di scrivere il valore di R in ohm",
    "Hai dimenticato di scrivere il valore della capacità C in F ",
    "Hai dimenticato di scrivere il valore della induttanza L in H  ",
    "Hai dimenticato di scrivere il valore della frequenza in Hz",
    "Hai dimenticato di scrivere il numero dei campioni N",
    "Hai dimenticato di scrivere il numero dei periodi visualizzati NP",
};
const char* const kInvalid[7] = {
    "Errore di inserimento dati per la corrente Is. Puoi scrivere soltanto numeri razionali con il "
    "punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3",
    "Errore di inserimento dati per il valore di R in ohm. Puoi scrivere soltanto numeri razionali "
    "con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3",
    "Errore di inserimento dati per il valore della capacità C in F . Puoi scrivere soltanto "
    "numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
    "1E-5 , 5E3",
    "Errore di inserimento dati per il valore della induttanza L in H  . Puoi scrivere soltanto "
    "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
    "1.23 , 1E-5 , 5E3",
    "Errore di inserimento dati per il valore della frequenza in Hz. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
    "1E-5 , 5E3",
    "Errore di inserimento dati per numero dei campioni N. Puoi scrivere soltanto numeri razionali "
    "con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3",
    "Errore di inserimento dati per numero dei periodi visualizzati NP. Puoi scrivere soltanto "
    "Puoi "
    "scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma "
    "esponenziale. Ad es: 1.23 , 1E-5 , 5E3",
};

ParameterTexts Defaults() { return {"1", "400", "1e-5", "0.1", "159", "1000", "10"}; }

// The field of `texts` at check position `i` (Is, R, C, L, f, N, NP).
std::string& FieldAt(ParameterTexts& texts, int i) {
  std::string* fields[7] = {&texts.Is, &texts.R, &texts.C, &texts.L, &texts.f, &texts.N, &texts.NP};
  return *fields[i];
}

TEST(CheckNumericField, AcceptsOnlyNumberCharacters) {
  const struct {
    const char* text;
    bool passes;
  } cases[] = {
      {"1e-5", true},  {"-0.5", true},  {"+3E+2", true}, {"400", true},  {"e", true},
      {".", true},     {"--", true},    {"1.2.3", true}, {"+", true},    {"5E3E", true},
      {"1,5", false},  {" 1", false},   {"1 k", false},  {"abc", false}, {"0x10", false},
      {" 400", false}, {"4 00", false}, {"0,5", false},  {"1\t", false}, {"½", false},
      {"١", false},    {"１", false},   {"1d5", false},  {"E٣", false},
  };
  for (const auto& c : cases) {
    CircuitState state;
    RecordingSink sink;
    state.missing_msg = "missing";
    state.invalid_msg = "invalid";
    state.field_text = c.text;
    CheckNumericField(state.field_text, state, sink);
    EXPECT_EQ(state.input_error, c.passes ? 0 : 1) << "'" << c.text << "'";
    EXPECT_EQ(sink.shown,
              c.passes ? std::vector<std::string>{} : std::vector<std::string>{"invalid"})
        << "'" << c.text << "'";
  }
}

TEST(CheckNumericField, EmptyShowsTheMissingMessageAndPassingClearsTheFlag) {
  CircuitState state;
  RecordingSink sink;
  state.missing_msg = "missing";
  state.invalid_msg = "invalid";
  CheckNumericField("", state, sink);
  EXPECT_EQ(state.input_error, 1);
  CheckNumericField("12", state, sink);
  EXPECT_EQ(state.input_error, 0);
  EXPECT_EQ(sink.shown, std::vector<std::string>{"missing"});
}

TEST(CheckNumericField, ChecksAFieldOfAnyLength) {
  // Far beyond what a 16-bit character count could hold.
  CircuitState state;
  RecordingSink sink;
  std::string text(70000, '7');
  CheckNumericField(text, state, sink);
  EXPECT_EQ(state.input_error, 0);
  text.back() = 'x';
  CheckNumericField(text, state, sink);
  EXPECT_EQ(state.input_error, 1);
}

TEST(CheckParameterFields, DefaultsPassWithoutAMessage) {
  CircuitState state;
  RecordingSink sink;
  EXPECT_TRUE(CheckParameterFields(state, Defaults(), sink));
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_EQ(state.input_error, 0);
  EXPECT_EQ(state.field_text, "10");
}

TEST(CheckParameterFields, EachFieldHasItsOwnMessages) {
  for (int i = 0; i < 7; ++i) {
    for (bool empty : {true, false}) {
      ParameterTexts texts = Defaults();
      FieldAt(texts, i) = empty ? "" : "1,5";
      CircuitState state;
      RecordingSink sink;
      EXPECT_FALSE(CheckParameterFields(state, texts, sink));
      std::vector<std::string> expected;
      if (i == 5) expected.push_back(kWarning);  // "" reads as 0, "1,5" as 1
      expected.push_back(empty ? kMissing[i] : kInvalid[i]);
      EXPECT_EQ(sink.shown, expected) << "field " << i << (empty ? " empty" : " invalid");
      EXPECT_EQ(state.input_error, 1);
      EXPECT_EQ(state.missing_msg, kMissing[i]);
      EXPECT_EQ(state.invalid_msg, kInvalid[i]);
    }
  }
}

TEST(CheckParameterFields, StopsAtTheFirstFailure) {
  ParameterTexts texts = Defaults();
  texts.Is = "";
  texts.R = "abc";
  texts.N = "5";  // the warning comes after field 5: never reached
  CircuitState state;
  RecordingSink sink;
  EXPECT_FALSE(CheckParameterFields(state, texts, sink));
  EXPECT_EQ(sink.shown, std::vector<std::string>{kMissing[0]});

  texts = Defaults();
  texts.R = "4 00";
  texts.N = "";
  sink.shown.clear();
  EXPECT_FALSE(CheckParameterFields(state, texts, sink));
  EXPECT_EQ(sink.shown, std::vector<std::string>{kInvalid[1]});
}

TEST(CheckParameterFields, WarnsAboutFewSamplesWithoutStopping) {
  const struct {
    const char* n_text;
    bool warns;
  } cases[] = {
      {"999.6", true},  // becomes 1000 later, but the warning reads the text
      {"1e3", false},  {"1000", false},     {"-5000", true},   {"500", true},
      {"e", true},     {"999.99999", true}, {"1000.0", false},
  };
  for (const auto& c : cases) {
    ParameterTexts texts = Defaults();
    texts.N = c.n_text;
    CircuitState state;
    RecordingSink sink;
    EXPECT_TRUE(CheckParameterFields(state, texts, sink)) << c.n_text;
    EXPECT_EQ(sink.shown, c.warns ? std::vector<std::string>{kWarning} : std::vector<std::string>{})
        << c.n_text;
    EXPECT_EQ(state.n_warning_msg, c.warns ? kWarning : "") << c.n_text;
  }
}

TEST(CheckParameterFields, FailureChangesOnlyTheCheckFields) {
  CircuitState state;
  ReadParameters(state, Defaults());
  RunSimulation(state, false);
  FindPeakV(state);
  const double v_peak = state.v_peak;
  const double fris = state.fris;
  ParameterTexts texts = Defaults();
  texts.NP = "";
  texts.R = "1";
  RecordingSink sink;
  EXPECT_FALSE(CheckParameterFields(state, texts, sink));
  EXPECT_EQ(state.R, 400);
  EXPECT_EQ(state.v_peak, v_peak);
  EXPECT_EQ(state.fris, fris);
  EXPECT_EQ(state.v_t.upper(), 1001);
}

TEST(CheckParameterFields, AnNTextBeyondTheDoubleRangeOverflowsAtTheWarning) {
  ParameterTexts texts = Defaults();
  texts.N = "1e400";
  CircuitState state;
  RecordingSink sink;
  EXPECT_EQ(test::FaultOf([&] { CheckParameterFields(state, texts, sink); }), FaultKind::Overflow);
  EXPECT_TRUE(sink.shown.empty());
}

TEST(ReadParameters, ReadsAndDerivesInOrder) {
  CircuitState state;
  ParameterTexts texts = Defaults();
  texts.NP = "2.5";
  texts.N = "1000.5";
  ReadParameters(state, texts);
  EXPECT_EQ(state.Is, 1);
  EXPECT_EQ(state.R, 400);
  EXPECT_EQ(state.G, 1.0 / 400);
  EXPECT_EQ(state.C, 1e-5);
  EXPECT_EQ(state.L, 0.1);
  EXPECT_EQ(state.f, 159);
  EXPECT_EQ(state.N, 1000);
  EXPECT_EQ(state.NP, 2);
  EXPECT_EQ(state.dt, (1.0 / 159) / 1000);
  texts.NP = "3.5";
  ReadParameters(state, texts);
  EXPECT_EQ(state.NP, 4);
}

TEST(ReadParameters, StopsAtTheFaultingValue) {
  // G is derived before N and NP are read: R = 0 leaves them as they were.
  CircuitState state;
  ParameterTexts texts = Defaults();
  texts.R = "0";
  texts.N = "77";
  EXPECT_EQ(test::FaultOf([&] { ReadParameters(state, texts); }), FaultKind::DivisionByZero);
  EXPECT_EQ(state.f, 159);
  EXPECT_EQ(state.N, 0);

  texts = Defaults();
  texts.NP = "1e10";
  EXPECT_EQ(test::FaultOf([&] { ReadParameters(state, texts); }), FaultKind::Overflow);
  EXPECT_EQ(state.N, 1000);
}

}  // namespace
}  // namespace analysis
