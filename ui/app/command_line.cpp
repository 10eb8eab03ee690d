// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <cstdio>
#include <string>
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

// Checks, computes and prints; returns the exit status.
int Compute(const analysis::ParameterTexts& texts, bool json) {
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
  parser.addOption(compute);
  parser.addOption(json);
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
  for (const QCommandLineOption* flag : {&help, &version, &compute, &json}) {
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
  if (!parser.isSet(compute)) {
    Print(stderr,
          QString::fromUtf8("Le opzioni dei valori e --json valgono solo con --calcola.\n"));
    return 1;
  }
  for (const QCommandLineOption& value : values) {  // in the field check's order
    if (parser.values(value).size() > 1) {
      Print(stderr, Repeated(value));
      return 2;
    }
  }
  analysis::ParameterTexts texts;
  for (size_t i = 0; i < values.size(); ++i)
    texts.*analysis::kFields[i].text = parser.value(values[i]).toStdString();
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
