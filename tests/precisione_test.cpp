// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Precisione del metodo": the table, the chart and the copy of
// the last result, followed without taking the focus.
#include "tests/window_test_support.h"

namespace {

class PrecisioneTest : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init() { Restart(); }
  void cleanup() { p_.reset(); }

  // "Precisione del metodo" shows and copies the numbers of the analysis for
  // the last compute or plot that completed, without taking the focus from
  // the window of the command.
  void thePrecisionWindowFollowsTheLastResult() {
    QTest::keyClick(&form1(), Qt::Key_M, Qt::ControlModifier);  // before any result
    ui::Precisione* window = p_->session().precision();
    QVERIFY(window->isVisible() && window->ReportText().contains("Picco esatto di v(t) [V]\t—\n"));
    // The defaults, another circuit, a compute that fails (nothing new), a plot.
    analysis::CircuitState state;
    for (const test::Case& row : test::Cases("precision_results")) {
      const bool plot = row.at(1) == "grafico";
      QVERIFY2(RunLeavingFocus(row.at(0), plot), "the window of the command lost the focus");
      if (row.at(2) == "completa") state = analysis::RunOf(form1().FieldTexts());
      analysis::Accuracy a = analysis::AssessAccuracy(state);
      analysis::Advise(a);
      QVERIFY(test::Activate(window));
      QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
      const QStringList blocks = QGuiApplication::clipboard()->text().split("\n\n");
      QCOMPARE(blocks[0].section('\n', 1, 1), "R [ohm]\t" + QString::number(state.R));
      QStringList lines = (blocks[1] + '\n' + blocks[2]).split('\n', Qt::SkipEmptyParts);
      QCOMPARE(lines.takeFirst(), QString::fromUtf8("quantità\tvalore"));
      QCOMPARE(lines.takeAt(15), QString("N\terrore relativo [%]"));
      auto shows = [&](int i, double value) {  // to the digits shown
        return std::fabs(lines[i].section('\t', 1).toDouble() - value) <= 1e-3 * std::fabs(value);
      };
      QVERIFY2(shows(0, a.N) && shows(1, a.NP) && shows(2, state.v_peak) &&
                   shows(3, a.method->peak) && shows(4, a.exact->peak_v()) &&
                   shows(5, a.exact->peak_time() * 1e6) && shows(6, 100 * *a.EulerError()) &&
                   shows(7, 100 * *a.MethodError()) && shows(8, a.stability.rho) &&
                   shows(10, *a.stability.n_min) && shows(13, *a.advice->n) &&
                   shows(14, *a.advice->np),
               qPrintable(lines.join('|')));
      QCOMPARE(lines[9] + lines[12],
               QString::fromUtf8("Stabilità del metodo\tstabileNP suggerito\t—"));
      const int points = int(lines.size()) - 15;  // then "N<TAB>error [%]" lines
      QVERIFY(points >= 20 && lines[15].section('\t', 0, 0).toInt() == 2 * *a.stability.n_min &&
              lines.last().section('\t', 1).toDouble() < lines[15].section('\t', 1).toDouble() / 10 &&
              lines.last().section('\t', 0, 0).toInt() == std::max(100 * a.N, 100000));
    }
    COMPARE_WITH_REFERENCE(window, "precisione");
    // Read as a screen reader reads it: each value by its quantity and value,
    // its caption apart.
    QCOMPARE(QAccessible::queryAccessibleInterface(test::Find(window, "Valore5"))
                 ->text(QAccessible::Name),
             "Picco esatto di v(t) [V]: " + test::Find<QLabel>(window, "Valore5")->text());
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible() && test::Activate(form2()));
    QTest::keyClick(form2(), Qt::Key_M, Qt::ControlModifier);  // from the plot window too
    QVERIFY(window->isVisible() && QTest::qWaitForWindowActive(window));
    for (const test::Case& row : test::Cases("precision_extremes")) {
      p_->Edit(kDefaults + EditsOf(row.at(0)));
      p_->Click(&form1(), "Command1");
      QVERIFY2(window->ReportText().contains(QRegularExpression(Text(row, 1))),
               qPrintable(window->ReportText()));
    }
  }
};

}  // namespace

RLC_WINDOW_TEST_MAIN(PrecisioneTest)

#include "precisione_test.moc"
