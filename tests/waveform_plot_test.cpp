#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "analysis/analysis.h"
#include "tests/window_test_support.h"
#include "ui/app/picture_box.h"
#include "ui/app/session.h"
#include "ui/app/wrapping_button.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"

namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kMagenta(255, 0, 255);
const char kWarning[] = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

class WaveformPlotTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ui::Session> session_;
  QImage grab_;  // Picture1 as last grabbed

  ui::Form1& form1() { return session_->form1(); }
  ui::Form2* form2() { return session_->form2(); }

  template <class T>
  static T* Find(const QWidget* window, const char* name) {
    return test::Find<T>(window, name);
  }
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(&form1(), name); }
  ui::PictureBox* Picture1() { return Find<ui::PictureBox>(form2(), "Picture1"); }
  QString Caption(const char* name) { return Find<QLabel>(form2(), name)->text(); }

  void Plot() {
    QTest::mouseClick(Find<QPushButton>(&form1(), "Command2"), Qt::LeftButton);
    if (form2() != nullptr) grab_ = Picture1()->grab().toImage();
  }
  // The colour of the grabbed pixel holding user point (x, y); the right
  // and bottom edges (x = 100, y = 0) belong to the last pixel inside.
  QColor At(double x, double y) {
    const QPointF p = Picture1()->FromUser({x, y});
    const QRect contents = Picture1()->contentsRect();
    return grab_.pixelColor(std::min(static_cast<int>(std::floor(p.x())), contents.right()),
                            std::min(static_cast<int>(std::floor(p.y())), contents.bottom()));
  }
  // How many pixels of the row at user height y, for x in [x1, x2], have `colour`.
  int CountInRow(double y, double x1, double x2, const QColor& colour) {
    int count = 0;
    const int py = static_cast<int>(std::floor(Picture1()->FromUser({0, y}).y()));
    const int px1 = static_cast<int>(std::floor(Picture1()->FromUser({x1, 0}).x()));
    const int px2 = static_cast<int>(std::floor(Picture1()->FromUser({x2, 0}).x()));
    for (int px = px1; px <= px2; ++px) count += grab_.pixelColor(px, py) == colour;
    return count;
  }
  // How many pixels of the column at user x, for y in [y1, y2], have `colour`.
  int CountInColumn(double x, double y1, double y2, const QColor& colour) {
    int count = 0;
    const int px = static_cast<int>(std::floor(Picture1()->FromUser({x, 0}).x()));
    const int top = static_cast<int>(std::floor(Picture1()->FromUser({0, y2}).y()));
    const int bottom = static_cast<int>(std::floor(Picture1()->FromUser({0, y1}).y()));
    for (int py = top; py <= bottom; ++py) count += grab_.pixelColor(px, py) == colour;
    return count;
  }
  void CloseForm2() {
    QTest::mouseClick(Find<QPushButton>(form2(), "Command1"), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 private slots:
  void init() {
    session_ = test::StartSession();
    QVERIFY(session_ != nullptr);
  }
  void cleanup() { session_.reset(); }

  void opensInItsDesignState() {
    test::MessageRecorder messages;
    QCOMPARE(form2(), nullptr);
    Plot();
    QVERIFY(form2() != nullptr);
    QVERIFY(form2()->isVisible());
    QVERIFY(!form2()->isModal());
    QCOMPARE(form2()->windowTitle(), QStringLiteral("Forme d'onda"));
    QCOMPARE(form2()->size(), QSize(1254, 639));
    QCOMPARE(Picture1()->geometry(), QRect(70, 0, 981, 589));
    QCOMPARE(At(50, 60.5), kLightYellow);  // the plot area's ground
    const struct {
      const char* name;
      const char* caption;
      QColor colour;
    } options[] = {{"Option1", "is(t)", kRed},
                   {"Option2", "v(t)", kGreen},
                   {"Option3", "iC(t)", kBlue},
                   {"Option4", "iL(t)", kMagenta}};
    for (const auto& option : options) {
      auto* button = Find<QRadioButton>(form2(), option.name);
      QCOMPARE(button->text(), QString::fromLatin1(option.caption));
      QCOMPARE(button->palette().color(QPalette::WindowText), option.colour);
      QCOMPARE(button->isChecked(), option.name == std::string("Option1"));
    }
    for (const char* box :
         {"Label16", "Label17", "Label23", "Label24", "Label29", "Label32", "Label35", "Label36"}) {
      auto* label = Find<QLabel>(form2(), box);
      QVERIFY(label->text().isEmpty());
      QVERIFY(label->alignment() & Qt::AlignRight);
      QCOMPARE(label->palette().color(QPalette::Window), kLightYellow);
      QCOMPARE(label->size(), QSize(92, 22));
    }
    QCOMPARE(Caption("Label14"), QStringLiteral("Forme d'onda a regime"));
    QCOMPARE(Caption("Label4"), QStringLiteral("t [usec]"));
    QCOMPARE(Caption("Label5"), QStringLiteral("0"));
    QVERIFY(!Caption("Label67").isEmpty());
    QVERIFY(!Find<QLabel>(form2(), "Label67")->font().bold());
    QCOMPARE(Find<QPushButton>(form2(), "Command1")->text(), QStringLiteral("Esci"));
    // The plot never writes the results of Form1.
    QCOMPARE(Find<QLabel>(&form1(), "Label12")->text(), QString());
  }

  void optionButtonsFormOneGroupAndFocusOrder() {
    test::MessageRecorder messages;
    Plot();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option1"));
    for (const char* next : {"Command1", "Picture3", "Picture1", "Option1"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    QTest::mouseClick(Find<QRadioButton>(form2(), "Option3"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>(form2(), "Option3")->isChecked());
    QVERIFY(!Find<QRadioButton>(form2(), "Option1")->isChecked());
  }

  void everyCaptionFits() {
    test::MessageRecorder messages;
    Plot();
    for (QLabel* label : form2()->findChildren<QLabel*>()) {
      const QRect room = label->contentsRect();
      const int needed = label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(needed <= room.width(), qPrintable(label->objectName()));
    }
    for (QRadioButton* option : form2()->findChildren<QRadioButton*>())
      QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->objectName()));
  }

  void drawsTheDefaultPlot() {
    test::MessageRecorder messages;
    Plot();
    QCOMPARE(messages.shown, QStringList());
    // Sample k of period p at x = 10 (p - 1) + 0.01 k: is(t) at 99.5 for
    // samples 2..500 and at the zero line 90 for 501..1000.
    for (int p = 1; p <= 10; ++p) {
      for (int k : {20, 250, 480}) QCOMPARE(At(10 * (p - 1) + 0.01 * k, 99.5), kRed);
      for (int k : {550, 750, 950}) {
        QCOMPARE(At(10 * (p - 1) + 0.01 * k, 99.5), kLightYellow);
        QCOMPARE(At(10 * (p - 1) + 0.01 * k, 90), kRed);
      }
    }
    // The zero lines in their colours, crossed only here and there.
    QVERIFY(CountInRow(75, 1, 99, kGreen) > 900);
    QVERIFY(CountInRow(45, 1, 99, kBlue) > 900);
    QVERIFY(CountInRow(15, 1, 99, kMagenta) > 900);
    // The v(t) trace fills its band 62..88; iC and iL theirs.
    QVERIFY(CountInRow(87.5, 1, 99, kGreen) > 0);
    QVERIFY(CountInRow(62.5, 1, 99, kGreen) > 0);
    QVERIFY(CountInRow(57.5, 1, 99, kBlue) > 0);
    QVERIFY(CountInRow(27.5, 1, 99, kMagenta) > 0);  // iL(t) carries the mean Is / 2
    // Tick marks in the foreground colour: left every 5 units (the traces
    // start at x = 0.01 and cover those inside the bands), bottom every 25.
    const QColor ink = Picture1()->palette().color(QPalette::ButtonText);
    for (int y : {100, 60, 30}) QCOMPARE(At(0.1, y - 0.01), ink);
    QCOMPARE(At(0.1, 60.5), kLightYellow);  // between two ticks
    for (int x : {0, 25, 50, 75, 100}) QCOMPARE(At(x, 0.2), ink);
    // Nothing between the bands: every pixel of these rows is light yellow.
    const int row_pixels = static_cast<int>(std::floor(Picture1()->FromUser({99, 0}).x())) -
                           static_cast<int>(std::floor(Picture1()->FromUser({1, 0}).x())) + 1;
    QCOMPARE(CountInRow(60.5, 1, 99, kLightYellow), row_pixels);
    QCOMPARE(CountInRow(30.5, 1, 99, kLightYellow), row_pixels);
    // The annotation.
    QCOMPARE(Caption("Label1"), QStringLiteral("3.14E+04"));
    QCOMPARE(Caption("Label2"), QStringLiteral("1.57E+04"));
    QCOMPARE(Caption("Label3"), QStringLiteral("4.72E+04"));
    const char* trace_captions[][2] = {
        {"Label6", "is(t)[A]"},  {"Label7", "0"},  {"Label8", "v(t)[V]"},   {"Label9", "0"},
        {"Label10", "iC(t)[A]"}, {"Label11", "0"}, {"Label12", "iL(t)[A]"}, {"Label13", "0"}};
    for (const auto& label : trace_captions)
      QCOMPARE(Caption(label[0]), QString::fromLatin1(label[1]));
    // Label1 stands one unit left of the x = 50 tick, near the bottom edge.
    const QPointF label1 = Picture1()->FromUser({49, 3});
    QCOMPARE(Find<QLabel>(form2(), "Label1")->pos(), label1.toPoint());
    // Labels of the strip stand level with the plot's heights.
    auto* strip = Find<ui::PictureBox>(form2(), "Picture3");
    QCOMPARE(Find<QLabel>(form2(), "Label9")->y(), qRound(strip->FromUser({0, 75}).y()));
    QCOMPARE(qRound(strip->FromUser({0, 75}).y()), qRound(Picture1()->FromUser({0, 75}).y()));
    // The state holds the plot's run: source wrapped, four peaks.
    const analysis::CircuitState& state = session_->state();
    QCOMPARE(state.is_peak, 1.0);
    QCOMPARE(state.is_t.at(1), 0.0);
    QVERIFY(std::abs(state.v_peak - 260.99) < 0.005);
    QCOMPARE(state.cycle, 11);
    QCOMPARE(state.k, 1000);
  }

  void timeCaptionsUnderAnItalianLocale() {
    test::MessageRecorder messages;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Plot();
    QCOMPARE(Caption("Label1"), QStringLiteral("3,14E+04"));
    QCOMPARE(Caption("Label2"), QStringLiteral("1,57E+04"));
    QCOMPARE(Caption("Label3"), QStringLiteral("4,72E+04"));
  }

  void aGapOfOneSampleAtEachPeriodBoundary() {
    // With N = 10 and NP = 2 a sample is 5 units wide: the v(t) trace has no
    // segment between sample 10 of period 1 (x = 50) and sample 1 of period
    // 2 (x = 55).
    test::MessageRecorder messages;
    test::TypeInto(Field("Text4"), "10");
    test::TypeInto(Field("Text8"), "2");
    Plot();
    QCOMPARE(messages.shown, QStringList{kWarning});
    QCOMPARE(CountInColumn(52.5, 62, 74.5, kGreen) + CountInColumn(52.5, 75.5, 88, kGreen), 0);
    QVERIFY(CountInColumn(47.5, 62, 74.5, kGreen) + CountInColumn(47.5, 75.5, 88, kGreen) > 0);
    QVERIFY(CountInColumn(2.5, 62, 74.5, kGreen) + CountInColumn(2.5, 75.5, 88, kGreen) == 0);
    QVERIFY(CountInColumn(7.5, 62, 74.5, kGreen) + CountInColumn(7.5, 75.5, 88, kGreen) > 0);
  }

  void degenerateRunsPlotWithoutAMessage_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("time_caption");
    QTest::newRow("NP = 0: no trace") << "Text8"
                                      << "0" << QStringList() << "0.00E+00";
    QTest::newRow("N = 1: no segment") << "Text4"
                                       << "1" << QStringList{kWarning} << "3.14E+04";
    QTest::newRow("N = 2: all zero, flat") << "Text4"
                                           << "2" << QStringList{kWarning} << "3.14E+04";
    QTest::newRow("Is = 0: flat traces") << "Text1"
                                         << "0" << QStringList() << "3.14E+04";
  }

  void degenerateRunsPlotWithoutAMessage() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    QFETCH(QString, time_caption);
    test::MessageRecorder messages;
    test::TypeInto(Field(qPrintable(field)), text);
    Plot();
    QCOMPARE(messages.shown, shown);
    QCOMPARE(Caption("Label1"), time_caption);
    // Zero lines and ticks, but no trace above or below a zero line.
    QVERIFY(CountInRow(75, 1, 99, kGreen) > 950);
    QCOMPARE(CountInRow(99.5, 1, 99, kRed), 0);
    for (double y : {87.5, 80.0, 70.0, 62.5}) QCOMPARE(CountInRow(y, 1, 99, kGreen), 0);
    for (double y : {57.5, 50.0, 40.0, 32.5}) QCOMPARE(CountInRow(y, 1, 99, kBlue), 0);
    QCOMPARE(At(0.1, 50 - 0.01), Picture1()->palette().color(QPalette::ButtonText));
  }

  void aNegativeSourceLiesBelowItsZeroLine() {
    test::MessageRecorder messages;
    test::TypeInto(Field("Text1"), "-1");
    Plot();
    QCOMPARE(session_->state().is_peak, 1.0);
    QCOMPARE(At(2.5, 80.5), kRed);
    QCOMPARE(At(2.5, 99.5), kLightYellow);
  }

  void aSecondPlotDrawsOverTheFirst() {
    test::MessageRecorder messages;
    Plot();
    QCOMPARE(At(12.5, 99.5), kRed);  // second period of NP = 10: source on
    test::TypeInto(Field("Text8"), "5");
    Plot();
    QCOMPARE(Caption("Label1"), QStringLiteral("1.57E+04"));  // all three captions replaced
    QCOMPARE(Caption("Label2"), QStringLiteral("7.86E+03"));
    QCOMPARE(Caption("Label3"), QStringLiteral("2.36E+04"));
    QCOMPARE(Caption("Label6"), QStringLiteral("is(t)[A]"));
    QCOMPARE(At(12.5, 90), kRed);    // NP = 5: the source is off at x = 12.5 ...
    QCOMPARE(At(12.5, 99.5), kRed);  // ... but the first plot stays
  }

  void exitThenPlotGivesAFreshWindow() {
    test::MessageRecorder messages;
    Plot();
    form2()->Picture1_MouseMove(0, 0, 50, 40);  // a readout to discard
    QVERIFY(!Caption("Label29").isEmpty());
    QVERIFY(!Picture1()->toolTip().isEmpty());
    QTest::mouseClick(Find<QRadioButton>(form2(), "Option3"), Qt::LeftButton);
    CloseForm2();
    QCOMPARE(form2(), nullptr);
    QCOMPARE(session_->state().is_peak, 1.0);  // the state stays
    test::TypeInto(Field("Text8"), "5");
    Plot();
    QVERIFY(Find<QRadioButton>(form2(), "Option1")->isChecked());
    QCOMPARE(At(12.5, 99.5), kLightYellow);
    QCOMPARE(At(2.5, 99.5), kRed);
    for (const char* box :
         {"Label16", "Label17", "Label23", "Label24", "Label29", "Label32", "Label35", "Label36"})
      QCOMPARE(Caption(box), QString());
    QCOMPARE(Picture1()->toolTip(), QString());
  }

  void theDrawingSurvivesHidingAndResizing() {
    test::MessageRecorder messages;
    Plot();
    form2()->hide();
    QApplication::processEvents();
    form2()->show();
    form2()->resize(1500, 800);
    QVERIFY(QTest::qWaitForWindowExposed(form2()));
    grab_ = Picture1()->grab().toImage();
    QCOMPARE(At(2.5, 99.5), kRed);
    QVERIFY(CountInRow(75, 1, 99, kGreen) > 900);
    QCOMPARE(Picture1()->size(), QSize(981, 589));  // nothing grows with the window
  }

  void closingTheStartWindowLeavesThePlotOpen() {
    test::MessageRecorder messages;
    Plot();
    form1().close();
    QApplication::processEvents();
    QVERIFY(form2() != nullptr);
    QVERIFY(form2()->isVisible());
    QCOMPARE(At(2.5, 99.5), kRed);
    // Closing the last window ends the event loop: exec() returns 0 at
    // once instead of the 2 of the time-out.
    QTimer::singleShot(0, this, [this] { CloseForm2(); });
    QTimer::singleShot(5000, this, [] { QApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
  }

  void layoutPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");  // pixels, twips / 15
    QTest::newRow("strip") << "Picture3" << QRect(0, 0, 71, 589);
    QTest::newRow("Option1") << "Option1" << QRect(1056, 0, 78, 22);
    QTest::newRow("Option4") << "Option4" << QRect(1064, 343, 106, 15);
    QTest::newRow("iC value box") << "Label32" << QRect(1099, 280, 92, 22);
    QTest::newRow("iC static label") << "Label30" << QRect(1078, 259, 15, 15);
    QTest::newRow("iL unit") << "Label40" << QRect(1197, 392, 22, 15);
    QTest::newRow("Esci") << "Command1" << QRect(1106, 518, 85, 29);
    QTest::newRow("title line") << "Label14" << QRect(434, 602, 288, 15);
    QTest::newRow("credit line") << "Label67" << QRect(1113, 602, 121, 19);
    // Inside the plot area, from its client area within the 2-pixel frame.
    QTest::newRow("axis title") << "Label4" << QRect(2 + 917, 2 + 560, 50, 15);
    QTest::newRow("origin mark") << "Label5" << QRect(2 + 7, 2 + 567, 22, 15);
  }

  void layoutPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    test::MessageRecorder messages;
    Plot();
    QCOMPARE(Find<QWidget>(form2(), qPrintable(name))->geometry(), geometry);
  }

  void thePlotFollowsTheFieldsNotTheLastCompute() {
    test::MessageRecorder messages;
    QTest::mouseClick(Find<QPushButton>(&form1(), "Command1"), Qt::LeftButton);
    test::TypeInto(Field("Text7"), "300");
    Plot();
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(session_->state().f, 300.0);
    QCOMPARE(Caption("Label1"), QStringLiteral("1.67E+04"));  // 10 periods of 300 Hz
    QCOMPARE(Find<QLabel>(&form1(), "Label9")->text(), QStringLiteral("1.5915E+02"));
    QCOMPARE(Find<QLabel>(&form1(), "Label12")->text(), QStringLiteral("2.61E+02"));
  }

  void aFailedCheckOpensNothing() {
    test::MessageRecorder messages;
    test::TypeInto(Field("Text4"), "");
    Plot();
    QCOMPARE(messages.shown,
             (QStringList{kWarning, "Hai dimenticato di scrivere il numero dei campioni N"}));
    QCOMPARE(form2(), nullptr);
    test::TypeInto(Field("Text4"), "1000");
    test::TypeInto(Field("Text2"), "4 00");
    messages.shown.clear();
    Plot();
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(messages.shown[0].startsWith("Errore di inserimento dati per il valore di R in ohm."));
    QCOMPARE(form2(), nullptr);
    QCOMPARE(session_->state().v_t.allocated(), false);
  }

  void faultsLeaveWhatWasDrawn_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("annotated");
    QTest::newRow("R = 0") << "Text2"
                           << "0"
                           << "Divisione per zero" << false;
    QTest::newRow("f = 0") << "Text7"
                           << "0"
                           << "Divisione per zero" << false;
    QTest::newRow("N = 0") << "Text4"
                           << "0"
                           << "Divisione per zero" << false;
    QTest::newRow("L C = 0") << "Text6"
                             << "0"
                             << "Divisione per zero" << false;
    QTest::newRow("L C < 0") << "Text6"
                             << "-0.1"
                             << "Argomento non valido" << false;
    QTest::newRow("100 NP beyond int32") << "Text8"
                                         << "30000000"
                                         << "Overflow" << true;
    QTest::newRow("negative N") << "Text4"
                                << "-5"
                                << "Indice non compreso nell'intervallo" << true;
  }

  void faultsLeaveWhatWasDrawn() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, fault);
    QFETCH(bool, annotated);
    test::MessageRecorder messages;
    QLineEdit* box = Field(qPrintable(field));
    const QString valid = box->text();
    test::TypeInto(box, text);
    Plot();
    QCOMPARE(messages.shown.last(), fault);
    QVERIFY(form2() != nullptr && form2()->isVisible());
    QCOMPARE(CountInRow(75, 1, 99, kGreen) > 950, true);  // zero lines drawn before the fault
    QCOMPARE(Caption("Label1") != QStringLiteral("Label1"), annotated);
    QCOMPARE(CountInRow(99.5, 1, 99, kRed), 0);
    // The program goes on: a valid plot in the same window.
    test::TypeInto(box, valid);
    messages.shown.clear();
    Plot();
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(At(2.5, 99.5), kRed);
  }
};

}  // namespace

QTEST_MAIN(WaveformPlotTest)
#include "waveform_plot_test.moc"
