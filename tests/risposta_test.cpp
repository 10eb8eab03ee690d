// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Risposta in frequenza": the curves and the harmonics of the
// last result, followed without taking the focus; the marker that reads
// the curves and hands its f to the start window; the copy.
#ifndef Q_MOC_RUN  // moc cannot read it
#include <numbers>
#endif

#include <QChart>
#include <QChartView>
#include <QLogValueAxis>

#include "tests/window_test_support.h"

namespace {

// The lines of block `i` of a copy, its header first.
QStringList Block(const QString& copy, int i) {
  return copy.split("\n\n").value(i).split('\n', Qt::SkipEmptyParts);
}

// The number in column `column` of a line of the copy (the C locale).
double Cell(const QString& line, int column) { return line.section('\t', column, column).toDouble(); }

// Whether `shown` is `value` to the `digits` significant digits it was written with.
bool Shows(double shown, double value, int digits = 10) {
  return std::fabs(shown - value) <= 0.5 * std::pow(10.0, 1 - digits) * std::fabs(value);
}

class RispostaTest : public test::WindowTest {
  Q_OBJECT

  ui::Risposta* window() { return p_->session().response(); }
  QString Copy() {
    if (!test::Activate(window())) return QString();
    QTest::keyClick(window(), Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
  }
  QString Reading() { return test::Find<QLabel>(window(), "Lettura")->text(); }
  QString Note() { return test::Find<QLabel>(window(), "Nota")->text(); }

 private slots:
  void init() { Restart(); }
  void cleanup() { p_.reset(); }

  // The curves and the harmonics of the last compute or plot that completed,
  // held against the exact steady state, fris / k and the compute's own
  // method peak, without taking the focus from the window of the command.
  void theResponseFollowsTheLastResult() {
    QTest::keyClick(&form1(), Qt::Key_R, Qt::ControlModifier);  // before any result
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QCOMPARE(Block(Copy(), 0).value(1), QString::fromUtf8("R [ohm]\t—"));
    QVERIFY(Note().startsWith("Nessun risultato ancora"));
    for (const test::Case& row : test::Cases("response_results")) {
      const bool plot = row.at(1) == "grafico";
      QVERIFY2(RunLeavingFocus(row.at(0), plot), "the window of the command lost the focus");
      const analysis::CircuitState state = analysis::RunOf(form1().FieldTexts());
      const analysis::Accuracy a = analysis::AssessAccuracy(state);
      const double fris = 1 / (2 * std::numbers::pi * std::sqrt(state.L * state.C));
      const QString copy = Copy();
      QCOMPARE(Block(copy, 0).value(4), "f [Hz]\t159");
      QStringList curve = Block(copy, 1);
      QCOMPARE(curve.takeFirst(), "f [Hz]\tpicco esatto [V]\tpicco di Eulero [V]\tpunto");
      QVERIFY(Shows(Cell(curve.first(), 0), fris / 30) && Shows(Cell(curve.last(), 0), 10 * fris));
      int orders = 0, unstable = 0, current = 0;
      double highest = 0;  // of both curves
      for (int i = 0; i < curve.size(); ++i) {
        const double f = Cell(curve[i], 0);
        const auto exact = analysis::ExactSteadyState::Of(state.Is, state.R, state.C, state.L, f);
        QVERIFY2((i == 0 || f > Cell(curve[i - 1], 0)) && Shows(Cell(curve[i], 1), exact->peak_v(), 8),
                 qPrintable(curve[i]));
        const QString point = curve[i].section('\t', 3);
        const int k = point.startsWith("f0/") ? point.mid(3).section(',', 0, 0).toInt() : 1;
        if (point.startsWith("f0")) orders += k;
        QVERIFY2(!point.startsWith("f0") || Shows(f, fris / k), qPrintable(curve[i]));
        if (point.endsWith("f attuale")) {
          ++current;
          QVERIFY2(Shows(f, 159) && Shows(Cell(curve[i], 2), a.method->peak), qPrintable(curve[i]));
        }
        // The method fails below some f, with dt = 1 / (f N) too long, and only there.
        const bool gap = curve[i].section('\t', 2, 2) == QString::fromUtf8("—");
        QVERIFY2(!gap || unstable == i, qPrintable(curve[i]));
        unstable += gap;
        highest = std::max({highest, Cell(curve[i], 1), gap ? 0 : Cell(curve[i], 2)});
      }
      const QChart* chart = test::Find<QChartView>(window(), "Grafico")->chart();
      QVERIFY(Shows(qobject_cast<QLogValueAxis*>(chart->axes(Qt::Vertical)[0])->max(), 1.5 * highest,
                    9));
      QCOMPARE(orders, 15 * 15);  // 1 + 3 + … + 29: each fris / k in range, once
      QCOMPARE(current, 1);
      QCOMPARE(unstable > 0, plot);
      QVERIFY2(Note().startsWith("Assi logaritmici") &&
                   Note().contains(QString::fromUtf8("instabile in %1 punti").arg(unstable)) == plot,
               qPrintable(Note()));
      // The harmonics: the mean and the odd k, with V = I |Z| and I = 2 Is / (pi k),
      // their shares adding to the listed share.
      QStringList harmonics = Block(copy, 2);
      QCOMPARE(harmonics.takeFirst(),
               QString::fromUtf8("k\tk·f [Hz]\tI_k [A]\t|Z| [ohm]\targ Z [°]\tV_k [V]\tquota [%]"));
      const double mean_square = Cell(harmonics.takeLast(), 1);
      const double listed = Cell(harmonics.takeLast(), 1);
      double shares = 0, parseval = 0;
      for (int i = 0; i < harmonics.size(); ++i) {
        const int k = i == 0 ? 0 : 2 * i - 1;
        const double I = k == 0 ? state.Is / 2 : 2 * state.Is / (std::numbers::pi * k);
        const QString& h = harmonics[i];
        QVERIFY2(Cell(h, 0) == k && Shows(Cell(h, 1), k * state.f, 5) && Shows(Cell(h, 2), I, 5) &&
                     Shows(Cell(h, 5), Cell(h, 2) * Cell(h, 3), 4),
                 qPrintable(h));
        shares += Cell(h, 6);
        parseval += Cell(h, 5) * Cell(h, 5) / 2;
      }
      QVERIFY2(harmonics.size() >= 9 && listed >= 99.9 && std::fabs(shares - listed) < 0.01 &&
                   Shows(parseval, mean_square * listed / 100, 3),
               qPrintable(harmonics.join('|')));
      if (row.at(0).empty()) COMPARE_WITH_REFERENCE(window(), "risposta");
    }
  }

  // Left, Right, Home and End walk the points; Enter and a click put the
  // marker's f into the start window's field, exactly and undoably,
  // without computing; every window's menu opens the window.
  void theMarkerHandsItsFrequencyToTheStartWindow() {
    p_->Compute();
    for (QWidget* w : std::initializer_list<QWidget*>{&form1(), &p_->session().LoadForm2()}) {
      auto* action = w->findChild<QAction*>("ShowResponse");
      QVERIFY(action->text() == QString::fromUtf8("Risposta in frequenza…") &&
              action->shortcut() == QKeySequence("Ctrl+R"));
    }
    QTest::keyClick(&form1(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(p_->session().precision(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(QTest::qWaitForWindowActive(window()));
    auto* chart = test::Find<QChartView>(window(), "Grafico");
    QCOMPARE(QApplication::focusWidget(), chart);
    QCOMPARE(Reading(), "f = 1.5900E+02 Hz (f attuale): picco esatto 2.5462E+02 V, picco di "
                        "Eulero 2.6099E+02 V");
    auto key = [&](Qt::Key k) {
      QTest::keyClick(chart, k);
      return Reading().section(':', 0, 0);
    };
    QCOMPARE(key(Qt::Key_End), "f = 1.5915E+03 Hz");
    QCOMPARE(key(Qt::Key_Right), "f = 1.5915E+03 Hz");
    const QString first = key(Qt::Key_Home);
    QCOMPARE(first, "f = 5.3052E+00 Hz");
    QCOMPARE(key(Qt::Key_Left), first);
    const QString second = key(Qt::Key_Right);
    key(Qt::Key_Right);
    QCOMPARE(key(Qt::Key_Left), second);
    while (!Reading().contains("(f0/3)")) key(Qt::Key_Right);
    const double fris = p_->session().state().fris;
    QTest::keyClick(chart, Qt::Key_Return);
    auto* field = test::Find<QLineEdit>(&form1(), "Text7");
    QCOMPARE(analysis::Val(field->text().toStdString()), fris / 3);
    QVERIFY(Results() == kComputed && QApplication::activeWindow() == window());
    QCOMPARE(QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Name),
             QString::fromUtf8("Picco di v(t) a regime al variare di f: ") + Reading());
    field->undo();
    QCOMPARE(field->text(), "159");
    // A click at fris / 3 marks the point under it, a pixel apart at most.
    QChart* c = chart->chart();
    const QPointF at = c->mapToPosition(QPointF(fris / 3, 100), c->series().front());
    QTest::mouseClick(chart->viewport(), Qt::LeftButton, {},
                      chart->mapFromScene(c->mapToScene(at)));
    const double chosen = analysis::Val(field->text().toStdString());
    QVERIFY2(Shows(chosen, fris / 3, 2) && Shows(Reading().mid(4, 10).toDouble(), chosen, 5),
             qPrintable(Reading()));
    p_->Edit({"Text7", QString::number(fris, 'g', 17)});
    p_->Compute();
    QVERIFY(Reading().contains("(f0, f attuale)"));
    // Shift+F10 opens the window's menu from the keyboard; Ctrl+M opens Precisione.
    QStringList menu;
    p_->Answer([&](QWidget* popup) {
      for (QAction* action : popup->actions()) menu << action->text();
      popup->close();
      return true;
    });
    QTest::keyClick(chart, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(menu.join('|'), QString::fromUtf8("Copia|Aggiorna|Precisione del metodo…|Chiudi"));
    QVERIFY(test::Activate(window()));
    QTest::keyClick(window(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(QTest::qWaitForWindowActive(p_->session().precision()));
  }

  // The Euler curve of a large N shows its progress and can be cancelled:
  // the exact curve stays, and Ctrl+R computes the Euler one again. While
  // the window follows a compute, the progress stands over the start
  // window, which keeps the focus.
  void aLongEulerCurveCanBeCancelled() {
    p_->Edit({"Text4", "50000", "Text8", "1"});
    p_->Compute();
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(25));
    QWidget* over = nullptr;
    auto cancel_curve = [&] {
      p_->Answer([&](QWidget* modal) {
        const auto* dialog = qobject_cast<QProgressDialog*>(modal);
        if (dialog->labelText() != QString::fromUtf8("Curva di Eulero in corso…")) return false;
        over = modal->parentWidget();
        modal->findChild<QPushButton*>()->click();  // "Annulla"
        return true;
      });
    };
    cancel_curve();
    QTest::keyClick(&form1(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(over, window());
    QVERIFY(!window()->curve_complete() && Note().contains("annullato: Ctrl+R lo rifà"));
    for (const QString& line : Block(Copy(), 1).mid(1))
      QVERIFY2(Cell(line, 1) > 0 && line.section('\t', 2, 2) == QString::fromUtf8("—"),
               qPrintable(line));
    QVERIFY(Reading().endsWith("picco di Eulero non calcolato"));
    QVERIFY(test::Activate(window()));
    QTest::keyClick(window(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(window()->curve_complete() && !Reading().endsWith("non calcolato"));
    QVERIFY(test::Activate(&form1()));
    cancel_curve();
    p_->Compute();
    QCOMPARE(over, &form1());  // the window system gives it the focus back
  }
};

}  // namespace

RLC_WINDOW_TEST_MAIN(RispostaTest)

#include "risposta_test.moc"
