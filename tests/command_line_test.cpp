// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, run as another program runs it: without a
// display, its exit status, what it writes and where.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "analysis/analysis.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"
#include "ui/app/command_line.h"

namespace {

struct Outcome {
  int status;
  QString out, err;
};

// Runs the program with `arguments` under `locale`, with no display at all.
Outcome RunProgram(const QStringList& arguments, const QString& locale = "C.UTF-8") {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"})
    environment.remove(name);
  environment.insert("LC_ALL", locale);
  program.setProcessEnvironment(environment);
  program.start(RLC_PROGRAM, arguments);
  if (!program.waitForFinished(60000)) return {-1, {}, {}};
  return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
          QString::fromUtf8(program.readAllStandardError())};
}

// Whether `text` begins with `start`; an empty `start` asks for an empty text.
bool Begins(const QString& text, const char* start) {
  return *start == 0 ? text.isEmpty() : text.startsWith(QString::fromUtf8(start));
}

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void statusesAndMessages() {
    for (const test::Case& row : test::Cases("command_line")) {
      const QStringList arguments = QString::fromStdString(row.at(0)).split('|');
      const std::string locale = test::Field(row, 4);
      const Outcome o = RunProgram(arguments, locale.empty() ? "C.UTF-8" : locale.c_str());
      const QString what = arguments.join(' ');
      QVERIFY2(o.status == std::stoi(row.at(1)), qPrintable(what + ": " + o.err));
      QVERIFY2(Begins(o.out, row.at(2).c_str()), qPrintable(what + ": " + o.out));
      QVERIFY2(Begins(o.err, test::Field(row, 3).c_str()), qPrintable(what + ": " + o.err));
    }
    QProcess full;  // results that cannot be written are no success
    full.setStandardOutputFile("/dev/full");
    full.start(RLC_PROGRAM, {"--calcola"});
    QVERIFY(full.waitForFinished() && full.exitCode() == 4);
  }

  // The JSON of the defaults holds the window's numbers to the bit, and
  // every other number reads back to the double the analysis computes.
  void jsonReadsBackToTheSameDoubles() {
    const Outcome o = RunProgram({"--calcola", "--json"}, "it_IT.UTF-8");
    QCOMPARE(o.status, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(o.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const analysis::CircuitState state = analysis::RunOf(analysis::kDefaults);
    analysis::Accuracy a = analysis::AssessAccuracy(state);
    analysis::Advise(a);
    const std::pair<const char*, double> numbers[] = {
        {"input/C", 1e-5},
        {"euler/fris", state.fris},
        {"euler/Qris", state.Qris},
        {"euler/v_peak", state.v_peak},
        {"euler_steady/v_peak", a.method->peak},
        {"exact/v_peak", a.exact->peak_v()},
        {"exact/t_peak_us", a.exact->peak_time() * 1e6},
        {"stability/rho_period", a.stability.rho},
        {"stability/n_min", 26},
        {"transient/residual", a.residual},
        {"advice/error_target", 0.01},
        {"advice/n", *a.advice->n},
        {"advice/np", *a.advice->np}};
    for (const auto& [path, value] : numbers) {
      const QStringList keys = QString(path).split('/');
      QCOMPARE(json[keys[0]].toObject()[keys[1]].toDouble(), value);
    }
    QCOMPARE(json["stability"].toObject()["stable"].toBool(), true);
    QVERIFY(json["transient"].toObject()["np_suggested"].isNull());
    QCOMPARE(json["warnings"].toArray().size(), 0);
    // No steady state: null; and every warning the window would show.
    const Outcome none =
        RunProgram({"--calcola", "--json", "--resistenza=-400", "--periodi=2", "--campioni=999"});
    const QJsonObject negative = QJsonDocument::fromJson(none.out.toUtf8()).object();
    QVERIFY(negative["exact"].isNull() && negative["advice"].isNull());
    QVERIFY(negative["euler_steady"].toObject()["v_peak"].isNull());  // never reached
    QVERIFY(negative["stability"].toObject()["n_min"].isNull());
    const QJsonArray warnings = negative["warnings"].toArray();
    QCOMPARE(warnings.size(), 2);
    QCOMPARE(warnings[0].toString(), QString::fromUtf8(analysis::kSampleCountWarning));
    QVERIFY(warnings[1].toString().contains("non ha un regime periodico"));
    // A text with quotes, a backslash and a line break reads back whole; a
    // number beyond the double range (rho of a wildly unstable step) is null.
    const std::string odd = "\"virgolette\" e \\ e\na capo";
    analysis::Accuracy unstable = a;
    unstable.stability.rho = INFINITY;
    const QJsonDocument escaped = QJsonDocument::fromJson(
        QByteArray::fromStdString(analysis::JsonReport(state, unstable, {odd})), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(escaped["warnings"].toArray()[0].toString().toStdString(), odd);
    QVERIFY(escaped["stability"].toObject()["rho_period"].isNull());
  }

  // Which arguments the windows take, and which the command line.
  void windowsOrCommandLine() {
    for (const test::Case& row : test::Cases("window_arguments")) {
      const QString text = QString::fromStdString(row.at(0));
      const QStringList arguments = text.isEmpty() ? QStringList() : text.split('|');
      QVERIFY2(ui::WantsCommandLine(arguments) == (row.at(1) == "riga di comando"),
               qPrintable(text));
    }
  }
};

}  // namespace

QTEST_GUILESS_MAIN(CommandLineTest)

#include "command_line_test.moc"
