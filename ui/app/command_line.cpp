// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include "analysis/analysis.h"
#include "ui/app/guard.h"

namespace ui {

namespace {

// The options a graphical Qt application takes for itself, with whether
// each is followed by a value.
constexpr std::pair<const char*, bool> kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"style", true},           {"stylesheet", true},
    {"display", true},         {"geometry", true},
    {"title", true},           {"name", true},
    {"visual", true},          {"ncols", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"cmap", false},
};

void Print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

void Print(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

// Keeps what the field check shows, to print it once its outcome is known.
class RecordingSink : public analysis::MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// The texts of --da, --a and --punti; empty where not given.
struct RangeTexts {
  std::string from, to, points;
};

// The range of the frequency response that `texts` ask for, the default
// range's ends and points where one is not given; or the message of the
// first that is not valid (a number above 0, from below to, 2 to
// kMaxCurvePoints points).
std::variant<analysis::CurveRange, std::string> RangeOf(const RangeTexts& texts,
                                                        const analysis::CircuitState& state) {
  analysis::CurveRange range = analysis::DefaultCurveRange(state);
  auto frequency = [](const std::string& text, double& value, const char* option) {
    if (text.empty()) return std::string();
    const std::optional<double> read = analysis::ValInRange(text);
    if (read && *read > 0 && std::isfinite(*read)) {
      value = *read;
      return std::string();
    }
    return std::string("La frequenza di ") + option + " deve essere un numero maggiore di 0.";
  };
  for (const std::string& message :
       {frequency(texts.from, range.from, "--da"), frequency(texts.to, range.to, "--a")})
    if (!message.empty()) return message;
  if (!(range.from < range.to))
    return std::string("La frequenza di --da deve essere minore di quella di --a.");
  if (!texts.points.empty()) {
    const std::optional<double> read = analysis::ValInRange(texts.points);
    const std::optional<int32_t> points =
        read ? analysis::NearestInt32InRange(*read) : std::nullopt;
    if (!points || *points < 2 || *points > analysis::kMaxCurvePoints)
      return "Il numero di punti --punti deve essere da 2 a " +
             std::to_string(analysis::kMaxCurvePoints) + ".";
    range.points = *points;
  }
  return range;
}

// Checks, computes and prints; returns the exit status. With `response`,
// prints the frequency response of the circuit instead of the compute.
int Compute(const analysis::ParameterTexts& texts, bool json,
            const std::optional<RangeTexts>& response = std::nullopt) {
  analysis::CircuitState state;
  RecordingSink check;
  bool checked = false;  // a number beyond the double range faults within the check
  const auto fault = CatchFault([&] {
    checked = analysis::CheckParameterFields(state, texts, check);
    if (!checked) return;
    analysis::ReadParameters(state, texts);
    analysis::RunSimulation(state, /*wrap_source=*/false);
    analysis::FindPeakV(state);
  });
  if (fault) {
    std::string text = fault->what();
    const std::string why = analysis::ExplainFault(*fault, texts, analysis::Command::kCompute,
                                                   QLocale().decimalPoint().toStdString());
    if (!why.empty()) text += "\n" + why;
    Print(stderr, text + "\n");
    return 3;
  }
  if (!checked) {
    for (const std::string& message : check.shown) Print(stderr, message + "\n");
    return 2;
  }
  const std::string separator = QLocale().decimalPoint().toStdString();
  if (response) {
    const auto range = RangeOf(*response, state);
    if (const auto* message = std::get_if<std::string>(&range)) {
      Print(stderr, *message + "\n");
      return 2;
    }
    const std::optional<analysis::FrequencyResponse> curve =
        analysis::FrequencyResponseOf(state, std::get<analysis::CurveRange>(range));
    if (!curve) {
      Print(stderr, std::string("L'intervallo di frequenze chiesto non si può calcolare per questo "
                                "circuito.\n"));
      return 2;
    }
    Print(stdout, json ? analysis::FrequencyJsonReport(state, *curve)
                       : analysis::FrequencyTextReport(state, *curve, separator));
    return 0;
  }
  analysis::Accuracy accuracy = analysis::AssessAccuracy(state);
  analysis::Advise(accuracy);
  std::vector<std::string> warnings = check.shown;  // the sample-count warning
  for (std::string& warning : analysis::AccuracyWarnings(accuracy, separator))
    warnings.push_back(std::move(warning));
  Print(stdout, json ? analysis::JsonReport(state, accuracy, warnings)
                     : analysis::TextReport(state, accuracy, warnings, separator));
  return 0;
}

}  // namespace

bool WantsCommandLine(const QStringList& arguments) {
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!argument.startsWith(QLatin1Char('-'))) return true;
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1)
                             .section(QLatin1Char('='), 0, 0);
    bool qt = false;
    for (const auto& [option, takes_value] : kQtOptions) {
      if (name != QLatin1String(option)) continue;
      qt = true;
      if (takes_value && !argument.contains(QLatin1Char('='))) ++i;
    }
    if (!qt) return true;
  }
  return false;
}

namespace {

// The unknown option `name` as it was written: "--bogus", or "-x" for a
// letter of a short option ("-hx"). The parser keeps neither dash.
QString UnknownOptionAsWritten(const QStringList& arguments, const QString& name) {
  const QString long_form = QLatin1String("--") + name;
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--")) break;  // the rest are arguments
    if (argument == long_form || argument.startsWith(long_form + QLatin1Char('=')))
      return long_form;
    if (name.size() == 1 && argument.startsWith(QLatin1Char('-')) &&
        !argument.startsWith(QLatin1String("--")) && argument.contains(name))
      return QLatin1Char('-') + name;
  }
  return long_form;
}

// How many times `option` was given, under any of its names.
qsizetype TimesGiven(const QCommandLineParser& parser, const QCommandLineOption& option) {
  qsizetype times = 0;
  for (const QString& name : parser.optionNames()) times += option.names().contains(name);
  return times;
}

// The message for an option given more than once, named by its long name.
QString Repeated(const QCommandLineOption& option) {
  return QString::fromUtf8("L'opzione --%1 è ripetuta\n").arg(option.names().last());
}

// Parses the arguments and runs what they ask; returns the exit status.
// Mistakes of use (status 1) are told before help and version are answered;
// a value given twice is a mistake in a value (status 2), like the field
// check's, so that no value silently replaces another.
int ParseAndRun() {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(
      "Circuito RLC parallelo alimentato da un'onda quadra di corrente.\n"
      "Senza opzioni apre la finestra; con --calcola calcola senza finestre e scrive i "
      "risultati."));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QString::fromUtf8("Mostra questo aiuto."));
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                   QString::fromUtf8("Mostra la versione."));
  parser.addOption(help);
  parser.addOption(version);
  const QCommandLineOption compute(QStringLiteral("calcola"),
                                   QString::fromUtf8("Calcola senza aprire la finestra."));
  const QCommandLineOption json(QStringLiteral("json"),
                                QString::fromUtf8("Con --calcola, scrive i risultati in JSON."));
  const QCommandLineOption response(
      QStringLiteral("risposta"),
      QString::fromUtf8("Scrive la risposta in frequenza senza aprire la finestra: il picco "
                        "esatto e quello di Eulero al variare di f, e le armoniche di f."));
  const QCommandLineOption from(QStringLiteral("da"),
                                QString::fromUtf8("Con --risposta, la frequenza più bassa, in Hz. "
                                                  "Predefinito: fris/30."),
                                QStringLiteral("F"));
  const QCommandLineOption to(QStringLiteral("a"),
                              QString::fromUtf8("Con --risposta, la frequenza più alta, in Hz. "
                                                "Predefinito: 10·fris."),
                              QStringLiteral("F"));
  const QCommandLineOption points(
      QStringLiteral("punti"),
      QString::fromUtf8("Con --risposta, i punti in scala logaritmica, estremi compresi, da 2 a "
                        "%1. Predefinito: 400.")
          .arg(analysis::kMaxCurvePoints),
      QStringLiteral("K"));
  parser.addOption(compute);
  parser.addOption(json);
  parser.addOption(response);
  parser.addOption(from);
  parser.addOption(to);
  parser.addOption(points);
  std::vector<QCommandLineOption> values;
  for (const analysis::FieldSpec& field : analysis::kFields) {
    const QString fallback = QString::fromUtf8(field.default_text);
    values.emplace_back(QString::fromLatin1(field.option),
                        QString::fromUtf8(field.help) + QString::fromUtf8(" Predefinito: ") +
                            fallback + QLatin1Char('.'),
                        QStringLiteral("valore"), fallback);
    parser.addOption(values.back());
  }
  const QStringList arguments = QCoreApplication::arguments();
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    Print(stderr, unknown.isEmpty()
                      ? parser.errorText() + QLatin1Char('\n')
                      : QString::fromUtf8("Opzione sconosciuta: %1\nPer l'aiuto: %2 --help\n")
                            .arg(UnknownOptionAsWritten(arguments, unknown.first()),
                                 QCoreApplication::applicationName()));
    return 1;
  }
  for (const QCommandLineOption* flag : {&help, &version, &compute, &json, &response}) {
    if (TimesGiven(parser, *flag) > 1) {
      Print(stderr, Repeated(*flag));
      return 1;
    }
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr,
          QString::fromUtf8("Argomento inatteso: %1\n").arg(parser.positionalArguments().first()));
    return 1;
  }
  if (parser.isSet(help)) {
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    return 0;
  }
  if (parser.isSet(compute) && parser.isSet(response)) {
    Print(stderr, QString::fromUtf8("--calcola e --risposta non vanno insieme.\n"));
    return 1;
  }
  if (!parser.isSet(compute) && !parser.isSet(response)) {
    Print(stderr, QString::fromUtf8(
                      "Le opzioni dei valori e --json valgono solo con --calcola o --risposta.\n"));
    return 1;
  }
  if (!parser.isSet(response) && (parser.isSet(from) || parser.isSet(to) || parser.isSet(points))) {
    Print(stderr, QString::fromUtf8("--da, --a e --punti valgono solo con --risposta.\n"));
    return 1;
  }
  for (const QCommandLineOption& value : values) {  // in the field check's order
    if (parser.values(value).size() > 1) {
      Print(stderr, Repeated(value));
      return 2;
    }
  }
  for (const QCommandLineOption* value : {&from, &to, &points}) {
    if (parser.values(*value).size() > 1) {
      Print(stderr, Repeated(*value));
      return 2;
    }
  }
  analysis::ParameterTexts texts;
  for (size_t i = 0; i < values.size(); ++i)
    texts.*analysis::kFields[i].text = parser.value(values[i]).toStdString();
  if (parser.isSet(response))
    return Compute(texts, parser.isSet(json),
                   RangeTexts{parser.value(from).toStdString(), parser.value(to).toStdString(),
                              parser.value(points).toStdString()});
  return Compute(texts, parser.isSet(json));
}

}  // namespace

int RunCommandLine() {
  const int status = ParseAndRun();
  // Results that did not reach their file (a full disk) are no success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Print(stderr, QString::fromUtf8("Impossibile scrivere i risultati.\n"));
    return 4;
  }
  return status;
}

}  // namespace ui
