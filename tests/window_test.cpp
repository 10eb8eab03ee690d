// The windows as a user sees and drives them, on the offscreen platform.
#include <bit>
#include <clocale>

#include <QClipboard>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>

#include "analysis/analysis.h"
#include "tests/allocation_counter.h"
#include "tests/window_test_support.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/save_file.h"

namespace {

const QString kWarning = QString::fromUtf8(analysis::kSampleCountWarning);
const QStringList kDefaults{"Text1", "1",     "Text2", "400",   "Text3", "1e-5",  "Text6",
                            "0.1",   "Text7", "159",   "Text4", "1000",  "Text8", "10"};
const QStringList kComputed{"4.00E+00", "1.5915E+02", "2.61E+02"};
const QStringList kNoReadout(8, QString());

QString Fixed(double value) { return QString::fromStdString(analysis::Format(value, "0.00", ".")); }

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::Program> p_;

  ui::Form2* form2() { return p_->form2(); }
  QStringList Results() {
    return {p_->Caption(&p_->form1(), "Label5"), p_->Caption(&p_->form1(), "Label9"),
            p_->Caption(&p_->form1(), "Label12")};
  }
  // The eight readout boxes: time and value of is(t), v(t), iC(t), iL(t).
  QStringList Boxes() {
    QStringList texts;
    for (const char* box :
         {"Label16", "Label17", "Label23", "Label24", "Label29", "Label32", "Label35", "Label36"})
      texts << p_->Caption(form2(), box);
    return texts;
  }
  void Edit(const QStringList& edits) {
    for (int i = 0; i + 1 < edits.size(); i += 2) p_->Type(qPrintable(edits[i]), edits[i + 1]);
  }
  void ExpectFocusChain(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
  }
  void Exit() {
    p_->Click(form2(), "Command1");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 private slots:
  void init() {
    p_ = std::make_unique<test::Program>();
    QVERIFY(p_->started);
  }
  void cleanup() { p_.reset(); }

  void theStartWindow() {
    COMPARE_WITH_REFERENCE(&p_->form1(), "form1-start");
    test::Find<QPushButton>(&p_->form1(), "Command1")->click();
    COMPARE_WITH_REFERENCE(&p_->form1(), "form1-computed");
    p_->form1().resize(1300, 800);  // more ground; nothing moves
    QVERIFY(QTest::qWaitForWindowExposed(&p_->form1()));
    COMPARE_WITH_REFERENCE(&p_->form1(), "form1-enlarged");
    ExpectFocusChain({"Text4", "Text2", "Text1", "Command2", "Command1", "Text3", "Text6", "Text7",
                      "Text8", "Picture1", "Picture2", "Picture3", "Picture4", "Text4"});
    // Under an Italian locale only the separator of the results changes:
    // typed numbers keep the point, even with the C library set to Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    p_->Compute();
    std::setlocale(LC_ALL, "C");
    QCOMPARE(Results(), (QStringList{"4,00E+00", "1,5915E+02", "2,61E+02"}));
    QCOMPARE(p_->shown, QStringList());
  }

  void messagesAndFaultsLeaveTheResultsAndTheWindowWorks_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Is empty") << QStringList{"Text1", ""}
                              << QStringList{"Hai dimenticato di scrivere la corrente Is"};
    QTest::newRow("N empty: the warning, then the missing N")
        << QStringList{"Text4", ""}
        << QStringList{kWarning, "Hai dimenticato di scrivere il numero dei campioni N"};
    QTest::newRow("the first failing field only")
        << QStringList{"Text2", "", "Text8", "1O"}
        << QStringList{"Hai dimenticato di scrivere il valore di R in ohm"};
    QTest::newRow("R = 0") << QStringList{"Text2", "0"} << QStringList{"Divisione per zero"};
    QTest::newRow("N = 0") << QStringList{"Text4", "0"}
                           << QStringList{kWarning, "Divisione per zero"};
    QTest::newRow("L C < 0") << QStringList{"Text6", "-0.1"} << QStringList{"Argomento non valido"};
    QTest::newRow("Is beyond double") << QStringList{"Text1", "1e400"} << QStringList{"Overflow"};
    QTest::newRow("negative N") << QStringList{"Text4", "-5"}
                                << QStringList{kWarning, "Indice non compreso nell'intervallo"};
    QTest::newRow("unstable run") << QStringList{"Text3", "1e-9", "Text7", "1"}
                                  << QStringList{"Overflow"};
    QTest::newRow("arrays beyond memory")
        << QStringList{"Text4", "2147483646"} << QStringList{"Memoria insufficiente"};
  }

  void messagesAndFaultsLeaveTheResultsAndTheWindowWorks() {
    QFETCH(QStringList, edits);
    QFETCH(QStringList, shown);
    p_->Compute();
    Edit(edits);
    p_->Compute();
    QCOMPARE(p_->shown, shown);
    QCOMPARE(Results(), kComputed);
    QCOMPARE(test::Find<QLineEdit>(&p_->form1(), qPrintable(edits[0]))->text(), edits[1]);
    if (shown.last().startsWith("Hai") || shown.last().startsWith("Errore")) {
      p_->shown.clear();
      p_->Plot();  // the plot command makes the same checks, and opens nothing
      QCOMPARE(p_->shown, shown);
      QCOMPARE(form2(), nullptr);
    }
    Edit(kDefaults + QStringList{"Text8", "0"});
    p_->Compute();  // the window still works
    QCOMPARE(Results(), (QStringList{"4.00E+00", "1.5915E+02", "0.00E+00"}));
  }

  void aFieldOfAnyLengthIsKeptWhole() {
    const QString long_one = QString(40000, QLatin1Char('0')) + QLatin1Char('1');
    auto* box = test::Find<QLineEdit>(&p_->form1(), "Text1");
    box->selectAll();
    box->insert(long_one);  // as a paste does
    p_->Compute();
    QCOMPARE(box->text(), long_one);
    QCOMPARE(Results(), kComputed);
  }

  void thePlotWindow() {
    p_->Type("Text2", "0");  // a plot that fails on a fresh window: the design captions
    test::Find<QPushButton>(&p_->form1(), "Command2")->click();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    COMPARE_WITH_REFERENCE(form2(), "form2-failed");
    p_->Type("Text2", "400");
    test::Find<QPushButton>(&p_->form1(), "Command2")->click();
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");
    p_->MoveTo(50, 70);
    COMPARE_WITH_REFERENCE(form2(), "form2-readout");
    QCOMPARE(p_->shown, QStringList{"Divisione per zero"});
    QCOMPARE(Results(), QStringList(3, QString()));  // the plot never writes them
    ExpectFocusChain({"Option1", "Command1", "Picture3", "Picture1", "Option1"});
  }

  void plotsAsTheyLook() {
    const struct {
      QStringList edits;
      const char* image;
      bool over_the_defaults = false;  // plotted over the plot of the default fields
    } rows[] = {
        {{"Text8", "0"}, "form2-no-period"},  // no trace, all time captions 0.00E+00
        {{"Text4", "1"}, "form2-flat"},       // no segment
        {{"Text4", "2"}, "form2-flat"},       // every sample 0: flat on the zero lines
        {{"Text1", "0"}, "form2-flat"},
        {{"Text4", "10", "Text8", "2"}, "form2-gap"},  // no segment across a period boundary
        {{"Text1", "-1"}, "form2-negative-source"},    // is(t) below its zero line
        {{"Text8", "5"}, "form2-two-plots", true},     // nothing is erased
    };
    for (const auto& row : rows) {
      p_.reset();  // a fresh program for each row
      p_ = std::make_unique<test::Program>();
      if (row.over_the_defaults) p_->Plot();
      Edit(row.edits);
      p_->Plot();
      QVERIFY(QTest::qWaitForWindowActive(form2()));
      QVERIFY(p_->shown.isEmpty() || p_->shown == QStringList{kWarning});  // no fault
      COMPARE_WITH_REFERENCE(form2(), row.image);
    }
  }

  void theWindowClosesAndComesBackFresh() {
    p_->Plot();
    p_->MoveTo(50, 40);
    p_->Click(form2(), "Option4");
    Exit();
    QCOMPARE(form2(), nullptr);
    p_->Plot();
    QVERIFY(p_->Checked("Option1"));
    QCOMPARE(Boxes(), kNoReadout);
    QCOMPARE(test::Find(form2(), "Picture1")->toolTip(), QString());
    p_->form1().close();  // the plot window goes on working alone
    p_->MoveTo(50, 95);
    QCOMPARE(p_->Caption(form2(), "Label17"), QStringLiteral("0.53"));
    // Closing the last window ends the event loop: exec() returns 0 at once,
    // not the 2 of the time-out.
    QTimer::singleShot(0, form2(), [this] { Exit(); });
    QTimer::singleShot(5000, this, [] { QApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
  }

  void aFailedPlotLeavesTheWindowConsistent_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("fault");
    QTest::newRow("L C < 0") << QStringList{"Text6", "-0.1"} << "Argomento non valido";
    QTest::newRow("100 NP beyond int32, after the time captions")
        << QStringList{"Text8", "30000000"} << "Overflow";
    QTest::newRow("unstable run") << QStringList{"Text3", "1e-9", "Text7", "1"} << "Overflow";
  }

  void aFailedPlotLeavesTheWindowConsistent() {
    QFETCH(QStringList, edits);
    QFETCH(QString, fault);
    Edit(edits);
    p_->Plot();  // on a fresh window: tick marks, zero lines, design captions
    QCOMPARE(p_->shown.last(), fault);
    COMPARE_WITH_REFERENCE(form2(), "form2-failed");
    p_->MoveTo(50, 70);
    QCOMPARE(Boxes(), kNoReadout);
    Edit(kDefaults);
    p_->Plot();
    p_->MoveTo(50, 70);
    Edit(edits);
    p_->Plot();  // over a plot: that plot stays whole, its readout too
    QCOMPARE(p_->shown.last(), fault);
    p_->MoveTo(50, 70);
    COMPARE_WITH_REFERENCE(form2(), "form2-readout");
    Edit(kDefaults + QStringList{"Text7", "300"});
    p_->Compute();  // a later compute does not change what the readout reads
    p_->MoveTo(50, 70);
    QCOMPARE(Boxes().mid(2, 2), (QStringList{"31446.54", "-100.38"}));
  }

  void aLongRunShowsItsProgressAndCanBeCancelled() {
    ui::ProgressGate::SetDelay(std::chrono::milliseconds(0));
    p_->Plot();
    p_->Compute();
    Edit({"Text8", "100"});
    QStringList seen;
    for (const char* command : {"Command1", "Command2"}) {
      auto* timer = new QTimer(this);  // runs while the dialog lets the events through
      connect(timer, &QTimer::timeout, [&, timer] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        delete timer;
        seen << dialog->windowTitle() << dialog->labelText();
        p_->form1().close();  // nothing closes while a command runs
        form2()->close();
        if (seen.size() == 2) QTest::keyClick(dialog, Qt::Key_Escape);
        if (seen.size() == 4) dialog->findChild<QPushButton*>()->click();  // "Annulla"
      });
      timer->start(1);
      p_->Click(&p_->form1(), command);
    }
    const QStringList dialog{"Circuito RLC parallelo", "Simulazione in corso…"};
    QCOMPARE(seen, dialog + dialog);
    QCOMPARE(p_->shown, QStringList());
    QCOMPARE(Results(), kComputed);
    QVERIFY(p_->form1().isVisible() && form2()->isVisible());
    form2()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");
    p_->Compute();  // completes with the dialog on screen, bit for bit as without
    ui::ProgressGate::SetDelay(std::chrono::milliseconds(500));
    analysis::CircuitState expected;
    analysis::ReadParameters(expected, {"1", "400", "1e-5", "0.1", "159", "1000", "100"});
    analysis::RunSimulation(expected, false);
    const analysis::CircuitState& state = p_->session().state();
    for (int32_t k = 0; k <= 1001; ++k) {
      QVERIFY(std::bit_cast<uint64_t>(state.v_t.at(k)) ==
              std::bit_cast<uint64_t>(expected.v_t.at(k)));
      QVERIFY(std::bit_cast<uint64_t>(state.iL_t.at(k)) ==
              std::bit_cast<uint64_t>(expected.iL_t.at(k)));
    }
  }

  void theReadoutShowsTheBandUnderTheCursor() {
    p_->Plot();
    const analysis::CircuitState& state = p_->session().state();
    const double peaks[] = {state.is_peak, state.v_peak, state.iC_peak, state.iL_peak};
    const double zero_lines[] = {90, 75, 45, 15}, heights[] = {9.5, 13, 13, 13};
    const char* tooltips[][3] = {{"t= ", "is(t) = ", "A"},
                                 {"t= ", "v(t) = ", "V"},
                                 {"t= ", "iC(t) = ", "A"},
                                 {"t = ", "iL(t) = ", "A"}};
    const struct {
      double x, y;
      Qt::MouseButtons buttons;  // a button pressed inside keeps the mouse
      int row;                   // is, v, iC, iL
      const char* time;
    } rows[] = {
        {50, 95, Qt::NoButton, 0, "31446.54"},     {25, 90, Qt::NoButton, 0, "15723.27"},
        {25, 89.99, Qt::NoButton, 1, "15723.27"},  {0, 60, Qt::NoButton, 1, "0.00"},
        {100, 59.99, Qt::NoButton, 2, "62893.08"}, {10, 30, Qt::NoButton, 2, "6289.31"},
        {10, 29.99, Qt::NoButton, 3, "6289.31"},   {20, 0, Qt::NoButton, 3, "12578.62"},
        {30, -5, Qt::LeftButton, 3, "18867.92"},   {-10, 120, Qt::LeftButton, 0, "-6289.31"},
        {50, 70, Qt::NoButton, 1, "31446.54"},     {40, -5, Qt::LeftButton, 1, "25157.23"},
    };
    for (const auto& row : rows) {
      p_->MoveTo(row.x, row.y, row.buttons);
      const int i = row.row;
      const QString value = Fixed(((row.y - zero_lines[i]) * peaks[i]) / heights[i]);
      QStringList expected = kNoReadout;
      expected[2 * i] = QString::fromLatin1(row.time);
      expected[2 * i + 1] = value;
      const QString where = QStringLiteral("at (%1, %2)").arg(row.x).arg(row.y);
      QVERIFY2(p_->Checked(qPrintable(QStringLiteral("Option%1").arg(i + 1))), qPrintable(where));
      QVERIFY2(Boxes() == expected, qPrintable(where + ": " + Boxes().join('|')));
      QCOMPARE(
          test::Find(form2(), "Picture1")->toolTip(),
          tooltips[i][0] + expected[2 * i] + "usec ; " + tooltips[i][1] + value + tooltips[i][2]);
    }
    QCOMPARE(Fixed(((95 - 90) * peaks[0]) / 9.5), QStringLiteral("0.53"));  // the worked example
    // The frame of the plot area gives no readout, but while a button pressed
    // inside keeps the mouse; an option button alone changes no box.
    auto* picture = test::Find(form2(), "Picture1");
    for (Qt::MouseButtons buttons : {Qt::NoButton, Qt::LeftButton}) {
      QMouseEvent event(QEvent::MouseMove, QPointF(0.5, 300),
                        picture->mapToGlobal(QPointF(0.5, 300)), Qt::NoButton, buttons,
                        Qt::NoModifier);
      QApplication::sendEvent(picture, &event);
      QCOMPARE(p_->Caption(form2(), "Label29").startsWith("-"), buttons == Qt::LeftButton);
    }
    p_->Click(form2(), "Option1");
    QVERIFY(p_->Caption(form2(), "Label29").startsWith("-"));
  }

  void theReadoutUnderAnItalianLocaleAndItsTooltip() {
    p_->Plot();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    p_->MoveTo(50, 95);
    QCOMPARE(Boxes().mid(0, 2), (QStringList{"31446,54", "0,53"}));
    auto* picture = test::Find(form2(), "Picture1");
    QToolTip::showText(picture->mapToGlobal(QPoint(400, 30)), picture->toolTip(), picture);
    QCOMPARE(QToolTip::text(), QStringLiteral("t= 31446,54usec ; is(t) = 0,53A"));
    p_->MoveTo(50, 70);  // a tooltip on screen follows the text
    QVERIFY(QToolTip::text().startsWith("t= 31446,54usec ; v(t) = "));
    QToolTip::hideText();
    // The tooltip also comes while another window is active.
    p_->form1().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p_->form1()));
    QTest::qWait(20);  // the activation's events, which put a tooltip to sleep
    QTest::mouseMove(form2()->windowHandle(), picture->mapTo(form2(), QPoint(490, 40)));
    QTRY_VERIFY(QToolTip::isVisible());
    QToolTip::hideText();
  }

  void theKeyboardCursorReadsSampleBySample() {
    p_->Plot();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    const analysis::CircuitState& state = *form2()->plotted();
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    const QImage drawing = picture->image();
    const analysis::SampleArray* arrays[] = {&state.is_t, &state.v_t, &state.iC_t, &state.iL_t};
    const char* names[] = {"is(t)", "v(t)", "iC(t)", "iL(t)"};
    const struct {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int64_t sample;  // shown: 1 is sample 1 of period 1
      int row;         // is, v, iC, iL
    } rows[] = {
        {Qt::Key_Tab, {}, 1, 0},  // the focus comes to the plot area from the keyboard
        {Qt::Key_Right, {}, 2, 0},
        {Qt::Key_Right, Qt::ShiftModifier, 102, 0},
        {Qt::Key_Down, {}, 102, 1},
        {Qt::Key_Down, {}, 102, 2},
        {Qt::Key_Down, {}, 102, 3},
        {Qt::Key_Down, {}, 102, 3},
        {Qt::Key_End, {}, 10000, 3},
        {Qt::Key_Right, {}, 10000, 3},
        {Qt::Key_Left, Qt::ShiftModifier, 9900, 3},
        {Qt::Key_Up, {}, 9900, 2},
        {Qt::Key_Left, {}, 9899, 2},
        {Qt::Key_Home, {}, 1, 2},
        {Qt::Key_Left, {}, 1, 2},
        {Qt::Key_Up, {}, 1, 1},
        {Qt::Key_Up, {}, 1, 0},
        {Qt::Key_Up, {}, 1, 0},
    };
    ExpectFocusChain({"Option1", "Command1"});  // then Picture3
    for (const auto& row : rows) {
      QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
      const int32_t k = static_cast<int32_t>((row.sample - 1) % 1000 + 1);
      QStringList expected = kNoReadout;
      expected[2 * row.row] = Fixed((row.sample * 1e6 / 159) / 1000);
      expected[2 * row.row + 1] = Fixed(arrays[row.row]->at(k));
      const QString where = QStringLiteral("sample %1 of %2").arg(row.sample).arg(names[row.row]);
      QVERIFY2(Boxes() == expected, qPrintable(where + ": " + Boxes().join('|')));
      QVERIFY(p_->Checked(qPrintable(QStringLiteral("Option%1").arg(row.row + 1))));
      QCOMPARE(picture->accessibleName(),
               QStringLiteral("%1: %2 microsecondi, %3 %4")
                   .arg(names[row.row], expected[2 * row.row], expected[2 * row.row + 1],
                        row.row == 1 ? "volt" : "ampere"));
    }
    QTest::keyClick(picture, Qt::Key_Down);
    for (int i = 0; i < 3; ++i) QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);
    COMPARE_WITH_REFERENCE(form2(), "form2-cursor");
    QVERIFY(picture->image() == drawing);  // on v(t) at sample 301: over the plot, not into it
    p_->MoveTo(50, 95);                    // the mouse takes over
    QVERIFY(!picture->marker_shown());
    QCOMPARE(Boxes().mid(0, 2), (QStringList{"31446.54", "0.53"}));
  }

  void thePlotAndItsDataAreCopiedAndSavedWhole() {
    p_->Type("Text2", "0");
    p_->Plot();
    QTemporaryDir dir;
    QStringList asked;
    ui::SetSavePathHandler([&](const QString& proposed) {
      asked << proposed;
      return dir.filePath(proposed);
    });
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier);  // no plot yet: disabled
    QCOMPARE(asked, QStringList());
    p_->Type("Text2", "400");
    p_->Plot();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    const QImage picture = form2()->grab(QRect(0, 0, 1051, 589)).toImage();
    QTest::keyClick(form2(), Qt::Key_Tab);  // a cursor on screen stays out of the picture
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form2(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(asked, (QStringList{"forme-d-onda.csv", "forme-d-onda.png"}));
    QVERIFY(QImage(dir.filePath("forme-d-onda.png")) ==
            picture.convertToFormat(QImage::Format_RGB32));
    QVERIFY(QGuiApplication::clipboard()->image() == picture);
    QFile csv(dir.filePath("forme-d-onda.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 1002);  // the header, N lines and the end of the last
    QCOMPARE(lines[0], QByteArray("t_usec,is_A,v_V,iC_A,iL_A"));
    const analysis::CircuitState& state = *form2()->plotted();
    for (int32_t k = 1; k <= 1000; ++k) {
      const QList<QByteArray> fields = lines[k].split(',');
      const double expected[] = {(k * 1e6 / 159) / 1000, state.is_t.at(k), state.v_t.at(k),
                                 state.iC_t.at(k), state.iL_t.at(k)};
      for (int i = 0; i < 5; ++i) QCOMPARE(fields[i].toDouble(), expected[i]);
    }
    // A folder that does not exist: the message, and no file.
    ui::SetSavePathHandler([&](const QString&) { return dir.filePath("nuova/dati.csv"); });
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ui::SetSavePathHandler(nullptr);
    QCOMPARE(p_->shown.last(), "Impossibile salvare il file \"" + dir.filePath("nuova/dati.csv") +
                                   "\": la cartella non esiste.");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
  }

  void nothingIsAllocatedPerStepOrSegment() {
    Edit({"Text8", "30"});
    p_->Plot();            // opens the window
    Edit({"Text8", "3"});  // each plot changes the time captions
    long before = test::AllocationCount();
    p_->session().form1().Command2_Click();
    const long few = test::AllocationCount() - before;
    Edit({"Text8", "30"});  // ten times the periods, steps and segments
    before = test::AllocationCount();
    p_->session().form1().Command2_Click();
    QCOMPARE(test::AllocationCount() - before, few);
    analysis::CircuitState state;
    analysis::ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "500", "20"});
    before = test::AllocationCount();
    analysis::RunSimulation(state, true);
    QCOMPARE(test::AllocationCount() - before, 4);  // its four arrays
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  WindowTest tests;
  return QTest::qExec(&tests, argc, argv);
}

#include "window_test.moc"
