#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "analysis/analysis.h"
#include "tests/window_test_support.h"
#include "ui/app/picture_box.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"

namespace {

const char* const kBoxes[8] = {"Label16", "Label17", "Label23", "Label24",
                               "Label29", "Label32", "Label35", "Label36"};

class CursorReadoutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ui::Session> session_;

  ui::Form1& form1() { return session_->form1(); }
  ui::Form2* form2() { return session_->form2(); }
  template <class T>
  static T* Find(const QWidget* window, const char* name) {
    return test::Find<T>(window, name);
  }
  ui::PictureBox* Picture1() { return Find<ui::PictureBox>(form2(), "Picture1"); }
  QString Box(const char* name) { return Find<QLabel>(form2(), name)->text(); }
  QStringList Boxes() {
    QStringList texts;
    for (const char* name : kBoxes) texts << Box(name);
    return texts;
  }
  int Selected() {
    for (int i = 1; i <= 4; ++i)
      if (Find<QRadioButton>(form2(), qPrintable(QStringLiteral("Option%1").arg(i)))->isChecked())
        return i;
    return 0;
  }
  void Plot() { QTest::mouseClick(Find<QPushButton>(&form1(), "Command2"), Qt::LeftButton); }
  // Sends a mouse movement to Picture1 at the widget position of user point (x, y).
  void MoveTo(double x, double y, Qt::MouseButtons buttons = Qt::NoButton) {
    const QPointF local = Picture1()->FromUser({x, y});
    QMouseEvent event(QEvent::MouseMove, local, Picture1()->mapToGlobal(local), Qt::NoButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(Picture1(), &event);
  }

 private slots:
  void init() {
    session_ = test::StartSession();
    QVERIFY(session_ != nullptr);
  }
  void cleanup() { session_.reset(); }

  void theWorkedExample() {
    test::MessageRecorder messages;
    Plot();
    MoveTo(50, 95);
    QCOMPARE(Selected(), 1);
    QCOMPARE(Boxes(), (QStringList{"31446.54", "0.53", "", "", "", "", "", ""}));
    QCOMPARE(Find<QLabel>(form2(), "Label17")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(Picture1()->toolTip(), QStringLiteral("t= 31446.54usec ; is(t) = 0.53A"));
    QCOMPARE(messages.shown, QStringList());
  }

  void theWorkedExampleUnderAnItalianLocale() {
    test::MessageRecorder messages;
    Plot();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    MoveTo(50, 95);
    QCOMPARE(Box("Label16"), QStringLiteral("31446,54"));
    QCOMPARE(Box("Label17"), QStringLiteral("0,53"));
    QCOMPARE(Picture1()->toolTip(), QStringLiteral("t= 31446,54usec ; is(t) = 0,53A"));
  }

  void bandsSelectTheirTrace_data() {
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("option");
    QTest::newRow("above the plot") << 120.0 << 1;
    QTest::newRow("top edge") << 100.0 << 1;
    QTest::newRow("90 belongs to is(t)") << 90.0 << 1;
    QTest::newRow("just below 90") << 89.99 << 2;
    QTest::newRow("60 belongs to v(t)") << 60.0 << 2;
    QTest::newRow("just below 60") << 59.99 << 3;
    QTest::newRow("30 belongs to iC(t)") << 30.0 << 3;
    QTest::newRow("just below 30") << 29.99 << 4;
    QTest::newRow("0 belongs to iL(t)") << 0.0 << 4;
  }

  void bandsSelectTheirTrace() {
    QFETCH(double, y);
    QFETCH(int, option);
    test::MessageRecorder messages;
    Plot();
    // Above the plot area only with a button pressed inside it.
    MoveTo(25, y, y > 100 ? Qt::LeftButton : Qt::NoButton);
    QCOMPARE(Selected(), option);
    // The selected row is filled, the other six boxes are blank.
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(Box(kBoxes[2 * row]).isEmpty(), row + 1 != option);
      QCOMPARE(Box(kBoxes[2 * row + 1]).isEmpty(), row + 1 != option);
    }
    QCOMPARE(Box(kBoxes[2 * (option - 1)]), QStringLiteral("15723.27"));
  }

  void valuesInvertTheTraceScale() {
    test::MessageRecorder messages;
    Plot();
    const analysis::CircuitState& state = session_->state();
    const QString v_peak = QString::fromStdString(analysis::Format(state.v_peak, "0.00", "."));
    QVERIFY(v_peak.startsWith("260.9"));
    MoveTo(10, 99.5);
    QCOMPARE(Box("Label17"), QStringLiteral("1.00"));  // is_peak
    MoveTo(10, 88);
    QCOMPARE(Box("Label24"), v_peak);
    MoveTo(10, 62);
    QCOMPARE(Box("Label24"), "-" + v_peak);
    const struct {
      double y;
      const char* box;
    } zero_lines[] = {{90, "Label17"}, {75, "Label24"}, {45, "Label32"}, {15, "Label36"}};
    for (const auto& line : zero_lines) {
      MoveTo(33, line.y);
      QCOMPARE(Box(line.box), QStringLiteral("0.00"));
    }
    MoveTo(0, 45);
    QCOMPARE(Box("Label29"), QStringLiteral("0.00"));
    MoveTo(100, 45);
    QCOMPARE(Box("Label29"), QStringLiteral("62893.08"));
    // iC(t) at the top of its band: 13/13 of its peak.
    MoveTo(100, 58);
    QCOMPARE(Box("Label32"), QString::fromStdString(analysis::Format(state.iC_peak, "0.00", ".")));
  }

  void belowThePlotKeepsTheSelection() {
    test::MessageRecorder messages;
    Plot();
    MoveTo(40, 70);
    QCOMPARE(Selected(), 2);
    MoveTo(40, -5, Qt::LeftButton);  // dragged out of the box, button held
    QCOMPARE(Selected(), 2);
    const double v = ((-5.0 - 75) * session_->state().v_peak) / 13;
    QCOMPARE(Box("Label24"), QString::fromStdString(analysis::Format(v, "0.00", ".")));
    QVERIFY(Box("Label24").startsWith("-1606."));
    MoveTo(-10, -5, Qt::LeftButton);
    QVERIFY(Box("Label23").startsWith("-"));  // before the plotted span
  }

  void movingBetweenBandsSwitchesBoxesAndTooltip() {
    test::MessageRecorder messages;
    Plot();
    MoveTo(20, 95);
    QVERIFY(!Box("Label16").isEmpty());
    QVERIFY(Picture1()->toolTip().startsWith("t= "));
    MoveTo(20, 70);
    QCOMPARE(Box("Label16"), QString());
    QCOMPARE(Box("Label17"), QString());
    QCOMPARE(Box("Label23"), QStringLiteral("12578.62"));
    QVERIFY(!Box("Label24").isEmpty());
    QCOMPARE(Find<QLabel>(form2(), "Label24")->palette().color(QPalette::WindowText),
             QColor(0, 255, 0));
    QVERIFY(Picture1()->toolTip().startsWith("t= 12578.62usec ; v(t) = "));
    QVERIFY(Picture1()->toolTip().endsWith("V"));
    MoveTo(20, 40);
    QCOMPARE(Find<QLabel>(form2(), "Label32")->palette().color(QPalette::WindowText),
             QColor(0, 0, 255));
    QVERIFY(Picture1()->toolTip().startsWith("t= 12578.62usec ; iC(t) = "));
    MoveTo(20, 15);
    QCOMPARE(Picture1()->toolTip(), QStringLiteral("t = 12578.62usec ; iL(t) = 0.00A"));
    QCOMPARE(Find<QLabel>(form2(), "Label36")->palette().color(QPalette::WindowText),
             QColor(255, 0, 255));
    QCOMPARE(Boxes(), (QStringList{"", "", "", "", "", "", "12578.62", "0.00"}));
    // The time boxes keep the default text colour.
    QCOMPARE(Find<QLabel>(form2(), "Label35")->palette().color(QPalette::WindowText),
             form2()->palette().color(QPalette::WindowText));
  }

  void aVisibleTooltipFollowsTheText() {
    test::MessageRecorder messages;
    Plot();
    QVERIFY(QTest::qWaitForWindowExposed(form2()));
    MoveTo(50, 95);
    QToolTip::showText(Picture1()->mapToGlobal(QPoint(400, 30)), Picture1()->toolTip(), Picture1());
    QVERIFY(QToolTip::isVisible());
    MoveTo(50, 70);
    QVERIFY(QToolTip::text().startsWith("t= 31446.54usec ; v(t) = "));
    QToolTip::hideText();
  }

  void theFrameOfThePlotAreaIsNotPartOfIt() {
    test::MessageRecorder messages;
    Plot();
    auto move_to_pixel = [&](QPointF local, Qt::MouseButtons buttons) {
      QMouseEvent event(QEvent::MouseMove, local, Picture1()->mapToGlobal(local), Qt::NoButton,
                        buttons, Qt::NoModifier);
      QApplication::sendEvent(Picture1(), &event);
    };
    move_to_pixel({0.5, 300}, Qt::NoButton);  // on the left frame
    QCOMPARE(Boxes(), (QStringList{"", "", "", "", "", "", "", ""}));
    move_to_pixel({0.5, 300}, Qt::LeftButton);  // dragged there from inside
    QCOMPARE(Selected(), 3);
    QVERIFY(Box("Label29").startsWith("-"));  // left of the plotted span
  }

  void clickingAnOptionAloneChangesNoBox() {
    test::MessageRecorder messages;
    Plot();
    MoveTo(30, 95);
    const QStringList before = Boxes();
    QTest::mouseClick(Find<QRadioButton>(form2(), "Option3"), Qt::LeftButton);
    QCOMPARE(Selected(), 3);
    QCOMPARE(Boxes(), before);
    MoveTo(30, 70);  // the next movement selects by band again
    QCOMPARE(Selected(), 2);
  }

  void aNegativeSourceIsReadOnTheVoltageBand() {
    test::MessageRecorder messages;
    test::TypeInto(Find<QLineEdit>(&form1(), "Text1"), "-1");
    Plot();
    MoveTo(2.5, 80.5);  // the is(t) trace while the source is on
    QCOMPARE(Selected(), 2);
    QVERIFY(!Box("Label24").isEmpty());
    QCOMPARE(Box("Label17"), QString());
  }

  void noPeriodsGiveZeros() {
    test::MessageRecorder messages;
    test::TypeInto(Find<QLineEdit>(&form1(), "Text8"), "0");
    Plot();
    for (double y : {95.0, 70.0, 40.0, 10.0}) {
      MoveTo(60, y);
      QCOMPARE(Box(kBoxes[2 * (Selected() - 1)]), QStringLiteral("0.00"));
      QCOMPARE(Box(kBoxes[2 * (Selected() - 1) + 1]), QStringLiteral("0.00"));
    }
  }

  void aReadoutAfterAFailedPlotShowsNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("no arrays: R = 0") << "Text2"
                                      << "0";
    QTest::newRow("data of an unstable run") << "Text3"
                                             << "1e-9";
  }

  void aReadoutAfterAFailedPlotShowsNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    test::MessageRecorder messages;
    test::TypeInto(Find<QLineEdit>(&form1(), qPrintable(field)), text);
    if (text == "1e-9") test::TypeInto(Find<QLineEdit>(&form1(), "Text7"), "1");
    Plot();
    QCOMPARE(messages.shown.size(), 1);
    messages.shown.clear();
    MoveTo(50, 70);  // v(t): no array, or one holding the overflow
    QCOMPARE(Selected(), 2);
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Boxes(), (QStringList{"", "", "", "", "", "", "", ""}));
    QCOMPARE(Picture1()->toolTip(), QString());
    // The program goes on: a valid plot, then a readout.
    test::TypeInto(Find<QLineEdit>(&form1(), qPrintable(field)), field == "Text2" ? "400" : "1e-5");
    test::TypeInto(Find<QLineEdit>(&form1(), "Text7"), "159");
    Plot();
    MoveTo(50, 95);
    QCOMPARE(Box("Label16"), QStringLiteral("31446.54"));
    QCOMPARE(messages.shown, QStringList());
  }

  void theReadoutWorksWithTheStartWindowClosed() {
    test::MessageRecorder messages;
    Plot();
    form1().close();
    MoveTo(50, 95);
    QCOMPARE(Box("Label17"), QStringLiteral("0.53"));
  }
};

}  // namespace

QTEST_MAIN(CursorReadoutTest)
#include "cursor_readout_test.moc"
