// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a user sees and drives them, on the offscreen platform.
#include <atomic>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <new>

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>

#include "analysis/analysis.h"
#include "analysis/platform_memory.h"
#include "tests/window_test_support.h"
#include "ui/accuracy/precisione.h"
#include "ui/widgets/progress_gate.h"
#include "ui/widgets/save_file.h"

#if defined(__SANITIZE_ADDRESS__)
#define RLC_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RLC_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef RLC_ADDRESS_SANITIZER
#define RLC_ADDRESS_SANITIZER 0
#endif

// Counts heap allocations: every form of new that the program uses ends in
// the nothrow one, which counts; delete frees.
std::atomic<long> g_allocations{0};
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size) {
  if (void* p = operator new(size, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

const QString kWarning = QString::fromUtf8(analysis::kSampleCountWarning);
const QStringList kDefaults{"Text1", "1",     "Text2", "400",   "Text3", "1e-5",  "Text6",
                            "0.1",   "Text7", "159",   "Text4", "1000",  "Text8", "10"};
const QStringList kComputed{"4.00E+00", "1.5915E+02", "2.61E+02"};
const QStringList kNoReadout(8, QString());
const char* const kTraces[] = {"is", "v", "iC", "iL"};

// The first line of each message: a fault's own text.
QStringList FirstLines(const QStringList& shown) {
  QStringList lines;
  for (const QString& text : shown) lines << text.section('\n', 0, 0);
  return lines;
}

QString Fixed(double value) { return QString::fromStdString(analysis::Format(value, "0.00", ".")); }

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::Program> p_;

  ui::Form1& form1() { return p_->form1(); }
  ui::Form2* form2() { return p_->form2(); }
  QStringList Results() {
    QStringList texts;
    for (const char* label : {"Label5", "Label9", "Label12"})
      texts << test::Find<QLabel>(&form1(), label)->text();
    return texts;
  }
  // The eight readout boxes: time and value of is(t), v(t), iC(t), iL(t).
  QStringList Boxes() {
    QStringList texts;
    for (const char* box :
         {"Label16", "Label17", "Label23", "Label24", "Label29", "Label32", "Label35", "Label36"})
      texts << test::Find<QLabel>(form2(), box)->text();
    return texts;
  }
  // The readout that shows `time` and `value` in row `row` (is, v, iC, iL).
  static QStringList Readout(int row, const QString& time, const QString& value) {
    QStringList boxes = kNoReadout;
    boxes[2 * row] = time;
    boxes[2 * row + 1] = value;
    return boxes;
  }
  void ExpectFocusChain(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
  }

 private slots:
  void init() {
    p_ = std::make_unique<test::Program>();
    QVERIFY(p_->started);
  }
  void cleanup() { p_.reset(); }

  void theStartWindow() {
    COMPARE_WITH_REFERENCE(&form1(), "form1-start");
    test::Find<QPushButton>(&form1(), "Command1")->click();
    COMPARE_WITH_REFERENCE(&form1(), "form1-computed");
    ExpectFocusChain({"Text4", "Text2", "Text1", "Command2", "Command1", "Text3", "Text6", "Text7",
                      "Text8", "Picture1", "Picture2", "Picture3", "Picture4", "Text4"});
    // Under an Italian locale only the separator of the results changes:
    // typed numbers keep the point, even with the C library set to Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    p_->Compute();
    std::setlocale(LC_ALL, "C");
    QCOMPARE(Results(), (QStringList{"4,00E+00", "1,5915E+02", "2,61E+02"}));
  }

  void messagesAndFaultsLeaveTheResultsAndTheWindowWorks() {
    const std::pair<QStringList, QStringList> rows[] = {
        // edits, what is shown
        {{"Text1", ""}, {"Hai dimenticato di scrivere la corrente Is"}},
        {{"Text4", ""}, {kWarning, "Hai dimenticato di scrivere il numero dei campioni N"}},
        {{"Text2", "0"}, {"Divisione per zero"}},
        {{"Text6", "-0.1"}, {"Argomento non valido"}},
        {{"Text4", "1e400"}, {"Overflow"}},  // also before the sample count warning
        {{"Text4", "-5"}, {kWarning, "Indice non compreso nell'intervallo"}},
        {{"Text4", "2147483646"}, {"Memoria insufficiente"}},
    };
    p_->Compute();  // the defaults; a message or fault then leaves their results
    for (const auto& [edits, shown] : rows) {
      p_->Edit(kDefaults);
      p_->shown.clear();
      p_->Edit(edits);
      p_->Compute();
      // A fault keeps its text as the first line; its cause follows.
      QCOMPARE(FirstLines(p_->shown), shown);
      QVERIFY(!shown.last().startsWith("Hai") || !p_->shown.last().contains('\n'));
      QVERIFY(shown.last().startsWith("Hai") || p_->shown.last().section('\n', 1).size() > 20);
      QCOMPARE(Results(), kComputed);
      QCOMPARE(test::Find<QLineEdit>(&form1(), qPrintable(edits[0]))->text(), edits[1]);
    }
    p_->shown.clear();
    p_->Edit({"Text4", ""});
    p_->Plot();  // the plot command makes the same checks, and opens no window
    QCOMPARE(p_->shown, rows[1].second);
    QCOMPARE(form2(), nullptr);
  }

  void aResultThatIsNotWhatItClaimsSaysSo() {
    const QString unstable = QString::fromUtf8(
        "Con N = 1000 campioni per periodo il metodo di Eulero è instabile per questi valori di "
        "R, L e C: l'ampiezza cresce a ogni periodo e i valori mostrati non sono quelli del "
        "regime. Servono almeno N = 6290 campioni per periodo.");
    const struct {
      QStringList edits;
      const char* command;
      QStringList results;  // of Form1 after the command
      QStringList shown;
    } rows[] = {
        {{"Text2", "1e5"}, "Command1", {"1.00E+03", "1.5915E+02", "1.81E+11"}, {unstable}},
        {{"Text2", "1e5"}, "Command2", kComputed, {unstable}},
        {{"Text2", "1e4", "Text4", "2000", "Text8", "1"},
         "Command2",
         kComputed,
         {QString::fromUtf8("Dopo 100 periodi simulati il transitorio non si è ancora esaurito "
                            "(scarto del 12 % dal regime del metodo): per arrivare a regime "
                            "servono almeno NP = 4.")}},
        {{"Text4", "4"},
         "Command1",
         kComputed,
         {kWarning, QString::fromUtf8(
                        "Overflow\nCon N = 4 campioni per periodo il metodo di Eulero è instabile "
                        "per questi valori di R, L e C: l'ampiezza cresce a ogni periodo finché "
                        "supera il più grande numero rappresentabile; servono almeno N = 26 "
                        "campioni per periodo.")}},
    };
    for (const auto& row : rows) {
      p_->Edit(kDefaults);
      p_->Compute();
      p_->Edit(row.edits);
      p_->shown.clear();
      p_->Click(&form1(), row.command);
      QCOMPARE(p_->shown, row.shown);
      QCOMPARE(Results(), row.results);  // the box comes after the results, which stay
    }
  }

  void thePlotWindow() {
    p_->Edit({"Text2", "0"});  // a plot that fails on a fresh window: the design captions
    p_->Plot();
    COMPARE_WITH_REFERENCE(form2(), "form2-failed");
    p_->Edit({"Text2", "400"});
    test::Find<QPushButton>(&form1(), "Command2")->click();
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");
    p_->MoveTo(50, 70);
    COMPARE_WITH_REFERENCE(form2(), "form2-readout");
    QCOMPARE(FirstLines(p_->shown), QStringList{"Divisione per zero"});
    QCOMPARE(Results(), QStringList(3, QString()));  // the plot never writes them
    ExpectFocusChain({"Option1", "Command1", "Picture3", "Picture1", "Option1"});
  }

  void plotsAsTheyLook() {
    const struct {
      QStringList edits;
      const char* image;
      const char* warning = nullptr;   // how the box after the plot begins, if one comes
      bool over_the_defaults = false;  // plotted over the plot of the default fields
    } rows[] = {
        {{"Text8", "0"}, "form2-no-period", "Dopo 0 periodi simulati"},    // no trace, 0.00E+00
        {{"Text4", "1"}, "form2-flat", "Con N = 1 campioni per periodo"},  // no segment
        {{"Text1", "0"}, "form2-flat"},  // every sample 0: flat on the zero lines, settled
        {{"Text4", "10", "Text8", "2"}, "form2-gap", "Con N = 10"},  // no segment across periods
        {{"Text1", "-1"}, "form2-negative-source"},                  // is(t) below its zero line
        {{"Text8", "5"}, "form2-two-plots", nullptr, true},          // nothing is erased
    };
    for (const auto& row : rows) {
      p_.reset();  // a fresh program for each row
      p_ = std::make_unique<test::Program>();
      if (row.over_the_defaults) p_->Plot();
      p_->Edit(row.edits);
      p_->Plot();
      p_->shown.removeAll(kWarning);  // no fault, at most the box after the plot
      QCOMPARE(p_->shown.size(), row.warning == nullptr ? 0 : 1);
      if (row.warning != nullptr) QVERIFY(p_->shown[0].startsWith(row.warning));
      COMPARE_WITH_REFERENCE(form2(), row.image);
    }
  }

  void theWindowClosesAndComesBackFresh() {
    p_->Plot();
    p_->MoveTo(50, 40);
    p_->Click(form2(), "Option4");
    p_->Click(form2(), "Command1");  // "Esci"
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(form2(), nullptr);
    p_->Plot();
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");  // nothing of the closed window comes back
    QCOMPARE(test::Find(form2(), "Picture1")->toolTip(), QString());
    // The tooltip also comes while the start window is the active one.
    form1().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form1()));
    QTest::qWait(20);  // the activation's events, which put a tooltip to sleep
    QTest::mouseMove(form2()->windowHandle(), QPoint(70 + 490, 40));
    QTRY_COMPARE(QToolTip::text(), test::Find(form2(), "Picture1")->toolTip());
    QToolTip::hideText();
    form1().close();  // the plot window goes on working alone
    p_->MoveTo(50, 95);
    QCOMPARE(Boxes(), Readout(0, "31446.54", "0.53"));
  }

  void aFailedPlotLeavesTheWindowConsistent() {
    const std::pair<QStringList, QString> rows[] = {
        // edits, fault
        {{"Text6", "-0.1"}, "Argomento non valido"},
        {{"Text8", "30000000"}, "Overflow"},            // after the time captions
        {{"Text3", "1e-9", "Text7", "1"}, "Overflow"},  // an unstable run
    };
    for (const auto& [edits, fault] : rows) {
      p_.reset();
      p_ = std::make_unique<test::Program>();
      p_->Edit(edits);
      p_->Plot();  // on a fresh window: tick marks, zero lines, design captions
      QCOMPARE(p_->shown.last().section('\n', 0, 0), fault);
      COMPARE_WITH_REFERENCE(form2(), "form2-failed");
      p_->MoveTo(50, 70);
      QCOMPARE(Boxes(), kNoReadout);
      p_->Edit(kDefaults);
      p_->Plot();
      p_->Edit(edits);
      p_->Plot();  // over a plot: that plot stays whole, its readout too
      QCOMPARE(p_->shown.last().section('\n', 0, 0), fault);
      p_->MoveTo(50, 70);
      COMPARE_WITH_REFERENCE(form2(), "form2-readout");
    }
    p_->Edit(kDefaults + QStringList{"Text7", "300"});
    p_->Compute();  // a later compute does not change what the readout reads
    p_->MoveTo(50, 70);
    QCOMPARE(Boxes(), Readout(1, "31446.54", "-100.38"));
  }

  void aLongRunShowsItsProgressAndCanBeCancelled() {
    p_->Plot();
    p_->Compute();
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    p_->Edit({"Text8", "100"});
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    const QImage drawing = picture->image();
    QStringList seen;
    // A compute cancelled by Esc, a plot by "Annulla" during its run, and a
    // plot during its drawing (the run all done, the plot area changed).
    for (const char* command : {"Command1", "Command2", "Command2"}) {
      auto* timer = new QTimer(this);  // runs while the dialog lets the events through
      connect(timer, &QTimer::timeout, [&, timer] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || (seen.size() == 6 && picture->image() == drawing)) return;
        delete timer;
        seen << dialog->windowTitle() << dialog->labelText() << QString::number(dialog->value());
        if (seen.size() == 3) {
          dialog->setValue(250);  // where the run is when the timer comes varies
          COMPARE_WITH_REFERENCE(dialog, "progress");
        }
        form1().close();  // nothing closes or starts while a command runs
        form2()->close();
        form1().findChild<QPushButton*>("Command2")->click();
        if (seen.size() == 6)
          dialog->findChild<QPushButton*>()->click();  // "Annulla"
        else
          QTest::keyClick(dialog, Qt::Key_Escape);
      });
      timer->start(1);
      p_->Click(&form1(), command);
    }
    const QStringList dialog{"Circuito RLC parallelo", "Simulazione in corso…"};
    QCOMPARE(seen.mid(0, 2) + seen.mid(3, 2) + seen.mid(6, 2), dialog + dialog + dialog);
    QVERIFY(seen[2].toInt() < 1000 && seen[5].toInt() < 1000 && seen[8] == "1000");
    QCOMPARE(p_->shown, QStringList());
    QCOMPARE(Results(), kComputed);
    QVERIFY(form1().isVisible() && form2()->isVisible());
    form2()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");
    p_->Compute();  // completes with the dialog on screen, bit for bit as without
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(500), std::chrono::milliseconds(25));
    analysis::CircuitState expected;
    analysis::ReadParameters(expected, {"1", "400", "1e-5", "0.1", "159", "1000", "100"});
    analysis::RunSimulation(expected, false);
    QCOMPARE(std::memcmp(p_->session().state().v_t.data(), expected.v_t.data(), 1002 * 8), 0);
  }

  // Cancelled while its arrays are being written, or while it runs, a
  // command gives their memory back at once; the dialog comes meanwhile.
  void aCancelledRunGivesItsMemoryBack() {
#if RLC_ADDRESS_SANITIZER
    QSKIP("AddressSanitizer keeps freed memory in quarantine: the resident size says nothing");
#endif
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    const struct {
      QStringList edits;
      qint64 after_ms;  // when "Annulla" is pressed, from the dialog's coming
    } rows[] = {
        {{"Text4", "100000000", "Text8", "1"}, 0},    // 3.2 GB asked: stopped while zeroed
        {{"Text4", "20000000", "Text8", "1"}, 1500},  // 640 MB written, stopped while running
    };
    for (const auto& row : rows) {
      p_->Edit(row.edits);
      const std::optional<uint64_t> before = analysis::ResidentBytes();
      if (!before) QSKIP("this system does not tell the resident size");
      QElapsedTimer clock;
      QString value;
      auto* timer = new QTimer(this);
      connect(timer, &QTimer::timeout, [&, timer] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (!clock.isValid()) clock.start();
        if (clock.elapsed() < row.after_ms) return;
        delete timer;
        value = QString::number(dialog->value());
        dialog->findChild<QPushButton*>()->click();  // "Annulla"
      });
      timer->start(1);
      p_->Click(&form1(), "Command1");
      QCOMPARE(value.toInt() > 0, row.after_ms > 0);  // while the zeros are written: no share yet
      QCOMPARE(p_->shown.filter("Memoria").size(), 0);
      QVERIFY(!p_->session().state().v_t.allocated());
      const uint64_t after = *analysis::ResidentBytes();
      QVERIFY2(
          after < *before + (64u << 20),
          qPrintable(QString("%1 MB before, %2 MB after").arg(*before >> 20).arg(after >> 20)));
    }
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(500), std::chrono::milliseconds(25));
  }

  void theReadoutShowsTheBandUnderTheCursor() {
    p_->Plot();
    const analysis::CircuitState& state = p_->session().state();
    const double peaks[] = {state.is_peak, state.v_peak, state.iC_peak, state.iL_peak};
    const double zero_lines[] = {90, 75, 45, 15}, heights[] = {9.5, 13, 13, 13};
    const struct {
      double x, y;
      int row;  // is, v, iC, iL
      QString time;
      Qt::MouseButtons buttons = Qt::NoButton;  // a button pressed inside keeps the mouse
    } rows[] = {
        // Each boundary from both sides: it belongs to the band above.
        {50, 95, 0, "31446.54"},
        {25, 90, 0, "15723.27"},
        {25, 89.99, 1, "15723.27"},
        {0, 60, 1, "0.00"},
        {100, 59.99, 2, "62893.08"},
        {20, 0, 3, "12578.62"},  // from another band: outside every band keeps it
        {10, 30, 2, "6289.31"},
        {10, 29.99, 3, "6289.31"},
        // Beyond the plot area while a button pressed inside keeps the mouse.
        {30, -5, 3, "18867.92", Qt::LeftButton},
        {-10, 120, 0, "-6289.31", Qt::LeftButton},
        {50, 70, 1, "31446.54"},
        {40, -5, 1, "25157.23", Qt::LeftButton},
    };
    for (const auto& row : rows) {
      p_->MoveTo(row.x, row.y, row.buttons);
      const int i = row.row;
      const QString value = Fixed(((row.y - zero_lines[i]) * peaks[i]) / heights[i]);
      QVERIFY2(
          p_->Checked(i + 1) && Boxes() == Readout(i, row.time, value),
          qPrintable(QStringLiteral("at (%1, %2): ").arg(row.x).arg(row.y) + Boxes().join('|')));
      QCOMPARE(test::Find(form2(), "Picture1")->toolTip(),
               QString("t%1= %2usec ; %3(t) = %4%5")
                   .arg(i == 3 ? " " : "", row.time, kTraces[i], value, i == 1 ? "V" : "A"));
    }
    // The frame of the plot area gives no readout, but while a button pressed
    // inside keeps the mouse; an option button alone changes no box.
    p_->MoveTo(-0.1, 50);
    p_->Click(form2(), "Option1");
    QCOMPARE(Boxes(), Readout(1, "25157.23", Fixed(((-5 - 75) * peaks[1]) / 13)));
  }

  // A value too wide for its box, or too long for the tooltip, is written
  // as the start window writes its results; values that fit stay as they were.
  void aReadoutNeverHidesTheSignOrTheSize() {
    const struct {
      QStringList edits;
      double y;
      const char* box;
    } rows[] = {
        {{"Text2", "1e5"}, 62, "Label24"},      // -1.81E+11 V: "-181425385236.64" loses its sign
        {{"Text1", "1e300"}, 99.5, "Label17"},  // 303 characters
        {{}, 62, "Label24"},                    // -260.99: fits
    };
    for (const auto& row : rows) {
      p_->Edit(kDefaults);
      p_->Edit(row.edits);
      p_->Plot();
      p_->MoveTo(50, row.y);
      const analysis::CircuitState& state = *form2()->plotted();
      const double value = row.y > 90 ? state.is_peak : -state.v_peak;
      auto* box = test::Find<QLabel>(form2(), row.box);
      const QString fixed = Fixed(value);
      const bool fits = box->fontMetrics().horizontalAdvance(fixed) <= box->contentsRect().width();
      const QString shown =
          fits ? fixed : QString::fromStdString(analysis::Format(value, "0.00E+00", "."));
      QCOMPARE(box->text(), shown);
      QVERIFY(box->fontMetrics().horizontalAdvance(box->text()) <= box->contentsRect().width());
      QVERIFY(test::Find(form2(), "Picture1")->toolTip().size() < 60);
      QCOMPARE(fits, row.edits.isEmpty());
    }
  }

  void theKeyboardCursorReadsSampleBySample() {
    p_->Plot();
    const analysis::CircuitState& state = *form2()->plotted();
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    const QImage drawing = picture->image();
    const analysis::SampleArray* arrays[] = {&state.is_t, &state.v_t, &state.iC_t, &state.iL_t};
    const struct {
      Qt::Key key;
      int64_t sample;  // shown: 1 is sample 1 of period 1
      int row;         // is, v, iC, iL
      Qt::KeyboardModifiers modifiers = {};
    } rows[] = {
        {Qt::Key_Tab, 1, 0},  // the focus comes to the plot area from the keyboard
        {Qt::Key_Right, 2, 0},     {Qt::Key_Right, 102, 0, Qt::ShiftModifier},
        {Qt::Key_Down, 102, 1},    {Qt::Key_Down, 102, 2},
        {Qt::Key_Down, 102, 3},    {Qt::Key_End, 10000, 3},
        {Qt::Key_Right, 10000, 3}, {Qt::Key_Left, 9900, 3, Qt::ShiftModifier},
        {Qt::Key_Home, 1, 3},      {Qt::Key_Left, 1, 3},
        {Qt::Key_Up, 1, 2},        {Qt::Key_Up, 1, 1},
        {Qt::Key_Up, 1, 0},        {Qt::Key_Up, 1, 0},
    };
    ExpectFocusChain({"Option1", "Command1"});  // then Picture3
    for (const auto& row : rows) {
      QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
      const QString time = Fixed((row.sample * 1e6 / 159) / 1000);
      const QString value = Fixed(arrays[row.row]->at((row.sample - 1) % 1000 + 1));
      QVERIFY2(p_->Checked(row.row + 1) && Boxes() == Readout(row.row, time, value),
               qPrintable(QStringLiteral("sample %1: ").arg(row.sample) + Boxes().join('|')));
      QCOMPARE(picture->accessibleName(),
               QString("%1(t): %2 microsecondi, %3 %4")
                   .arg(kTraces[row.row], time, value, row.row == 1 ? "volt" : "ampere"));
    }
    QTest::keyClick(picture, Qt::Key_Down);
    for (int i = 0; i < 3; ++i) QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);
    COMPARE_WITH_REFERENCE(form2(), "form2-cursor");
    QVERIFY(picture->image() == drawing);  // on v(t) at sample 301: over the plot, not into it
    p_->MoveTo(50, 95);                    // the mouse takes over
    QVERIFY(!picture->marker_shown());
    QCOMPARE(Boxes(), Readout(0, "31446.54", "0.53"));
  }

  void theExactSteadyStateOverThePlot() {
    p_->Edit({"Text2", "-400", "Text8", "1"});  // a circuit without a steady state
    p_->Plot();
    auto* exact = form2()->findChild<QAction*>("ExactSolution");
    QVERIFY(!exact->isEnabled() && exact->toolTip().contains("non ha un regime periodico"));
    form2()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    p_->Edit(kDefaults);
    p_->Plot();
    exact = form2()->findChild<QAction*>("ExactSolution");
    QVERIFY(exact->isEnabled() && !exact->isChecked());  // off at every start
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    COMPARE_WITH_REFERENCE(form2(), "form2-exact");
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");  // off: the plot as it was drawn
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    // The tooltip adds the exact value at the sample's time: sample n stands at
    // n dt, the source switching on at sample 1.
    const analysis::CircuitState& state = *form2()->plotted();
    const auto steady = analysis::ExactSteadyState::Of(1, 400, 1e-5, 0.1, 159);
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    const struct {
      Qt::Key key;
      int64_t sample;
      int row;  // is, v, iC, iL
    } rows[] = {{Qt::Key_Tab, 1, 0},     {Qt::Key_Down, 1, 1},    {Qt::Key_Right, 2, 1},
                {Qt::Key_Right, 3, 1},   {Qt::Key_Right, 4, 1},   {Qt::Key_Down, 4, 2},
                {Qt::Key_End, 10000, 2}, {Qt::Key_Down, 10000, 3}};
    ExpectFocusChain({"Option1", "Command1"});
    for (const auto& row : rows) {
      QTest::keyClick(QApplication::focusWidget(), row.key);
      const analysis::SteadyPoint p = steady->At((row.sample - 1) * state.dt);
      const double values[] = {p.is, p.v, p.iC, p.iL};
      QVERIFY2(picture->toolTip().endsWith(" ; esatto = " + Fixed(values[row.row]) +
                                           (row.row == 1 ? "V" : "A")),
               qPrintable(picture->toolTip()));
    }
    QCOMPARE(picture->toolTip(),
             QString("t = 62893.08usec ; iL(t) = %1A ; esatto = %2A")
                 .arg(Fixed(state.iL_t.at(1000)), Fixed(steady->At(9999 * state.dt).iL)));
    for (Qt::Key key :
         {Qt::Key_Home, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
      QTest::keyClick(picture, key);
    QCOMPARE(picture->toolTip(), QString("t= 25.16usec ; v(t) = -11.27V ; esatto = -8.06V"));
    p_->MoveTo(50, 70);  // the mouse readout too, at its own time
    const double t = ((50 / 100.0) * 10 * 1000000) / 159;
    QVERIFY2(picture->toolTip().endsWith(" ; esatto = " + Fixed(steady->At(t * 1e-6 - state.dt).v) +
                                         "V"),
             qPrintable(picture->toolTip()));
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    p_->MoveTo(50, 70);
    QVERIFY(!picture->toolTip().contains("esatto"));
  }

  void thePrecisionWindowFollowsTheLastResult() {
    auto* shortcut = &form1();
    QTest::keyClick(shortcut, Qt::Key_M, Qt::ControlModifier);  // before any result
    ui::Precisione* window = p_->session().precision();
    QVERIFY(window != nullptr && window->isVisible());
    QVERIFY(window->ReportText().contains("Picco esatto di v(t) [V]\t—\n"));
    const struct {
      QStringList edits;
      const char* command;
      analysis::ParameterTexts texts;  // of the last result that completed
      bool plot;
    } rows[] = {
        {{}, "Command1", {"1", "400", "1e-5", "0.1", "159", "1000", "10"}, false},
        {{"Text2", "1e3", "Text4", "2000"},
         "Command1",
         {"1", "1e3", "1e-5", "0.1", "159", "2000", "10"},
         false},
        {{"Text2", "0"}, "Command1", {"1", "1e3", "1e-5", "0.1", "159", "2000", "10"}, false},
        {{"Text8", "2"}, "Command2", {"1", "400", "1e-5", "0.1", "159", "1000", "2"}, true},
    };
    for (const auto& row : rows) {
      p_->Edit(kDefaults);
      p_->Edit(row.edits);
      p_->Click(&form1(), row.command);
      analysis::CircuitState state;
      analysis::ReadParameters(state, row.texts);
      analysis::RunSimulation(state, row.plot);
      analysis::FindPeakV(state);
      const analysis::Accuracy a = analysis::AssessAccuracy(state);
      struct : analysis::RunMonitor {
        bool Continue(double) override { return true; }
      } go_on;
      const std::vector<analysis::ErrorPoint> series = *analysis::ErrorSeries(a, go_on);
      auto text = [](double x, const char* pattern) {
        return QString::fromStdString(analysis::Format(x, pattern, "."));
      };
      QStringList expected{
          "N, campioni per periodo\t" + QString::number(a.N),
          "NP, periodi visualizzati\t" + QString::number(a.NP),
          "Picco di v(t) con Eulero [V]\t" + text(state.v_peak, "0.000000000E+00"),
          "Picco di v(t) a regime del metodo [V]\t" + text(a.method->peak, "0.000000000E+00"),
          "Picco esatto di v(t) [V]\t" + text(a.exact->peak_v(), "0.000000000E+00"),
          "Istante del picco esatto dall'accensione [usec]\t" +
              text(a.exact->peak_time() * 1e6, "0.000"),
          "Errore relativo del picco di Eulero\t" +
              text(std::fabs(state.v_peak / a.exact->peak_v() - 1), "0.000E+00"),
          "Errore relativo del regime del metodo\t" +
              text(std::fabs(a.method->peak / a.exact->peak_v() - 1), "0.000E+00"),
          QString::fromUtf8("ρ per periodo\t") + text(a.stability.rho, "0.000000"),
          QString::fromUtf8("Stabilità del metodo\tstabile"),
          "N minimo stabile\t" + QString::number(*a.stability.n_min),
          "Scarto dal regime del metodo (transitorio)\t" + text(a.residual, "0.000E+00"),
          QString::fromUtf8("NP suggerito\t—")};
      for (const analysis::ErrorPoint& point : series)
        expected << QString::number(point.N) + "\t" + text(point.error, "0.000000E+00");
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text(), expected.join('\n') + '\n');
      QVERIFY(series.size() >= 20 && series.front().N <= 2 * *a.stability.n_min + 1 &&
              series.back().N >= std::max(100 * a.N, 100000));
    }
    COMPARE_WITH_REFERENCE(window, "precisione");
    // Read as a screen reader reads it: each value by its quantity.
    QAccessibleInterface* value =
        QAccessible::queryAccessibleInterface(test::Find(window, "Valore5"));
    QCOMPARE(value->text(QAccessible::Name), QString("Picco esatto di v(t) [V]"));
    QVERIFY(QAccessible::queryAccessibleInterface(test::Find(window, "Grafico"))
                ->text(QAccessible::Description)
                .startsWith("Assi logaritmici."));
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    form2()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2()));
    QTest::keyClick(form2(), Qt::Key_M, Qt::ControlModifier);  // from the plot window too
    QVERIFY(window->isVisible());
  }

  void thePlotAndItsDataAreCopiedAndSavedWhole() {
    p_->Edit({"Text2", "0"});
    p_->Plot();
    QTemporaryDir dir;
    QStringList asked;
    ui::SetSavePathHandler([&](const QString& proposed) {
      asked << proposed;
      return dir.filePath(proposed);
    });
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier);  // no plot yet: disabled
    p_->Edit({"Text2", "400"});
    p_->Plot();
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
    QCOMPARE(FirstLines(p_->shown), QStringList{"Divisione per zero"});  // the saves showed nothing
    QFile probe(dir.filePath("prova"));  // a new file of the user has the same permissions
    QVERIFY(probe.open(QIODevice::WriteOnly));
    QCOMPARE(QFile::permissions(dir.filePath("forme-d-onda.csv")), probe.permissions());
    // Where the file cannot go: the message, and no file left behind.
    QVERIFY(QDir(dir.path()).mkdir("cartella"));
    const std::pair<const char*, const char*> failures[] = {
        {"nuova/dati.csv", "la cartella non esiste"},
        {"cartella", "c'è una cartella con quel nome"}};
    for (const auto& [name, reason] : failures) {
      ui::SetSavePathHandler([path = dir.filePath(name)](const QString&) { return path; });
      QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(p_->shown.last(),
               "Impossibile salvare il file \"" + dir.filePath(name) + "\": " + reason + ".");
    }
    ui::SetSavePathHandler(nullptr);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 4);
  }

  // Saving many samples shows its progress; "Annulla" leaves no new file and
  // an old one as it was.
  void aCancelledSaveLeavesNoFile() {
    p_->Edit({"Text4", "200000", "Text8", "1"});
    p_->Plot();
    QTemporaryDir dir;
    ui::SetSavePathHandler([&](const QString&) { return dir.filePath("dati.csv"); });
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    for (const QByteArray& old : {QByteArray(), QByteArray("vecchio")}) {
      QFile file(dir.filePath("dati.csv"));
      if (!old.isEmpty()) QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == 7);
      file.close();
      QString label;
      auto* timer = new QTimer(this);
      connect(timer, &QTimer::timeout, [&, timer] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        delete timer;
        label = dialog->labelText();
        dialog->findChild<QPushButton*>()->click();  // "Annulla"
      });
      timer->start(1);
      form2()->SaveData();
      QCOMPARE(label, QString::fromUtf8("Salvataggio in corso…"));
      QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
               old.isEmpty() ? QStringList() : QStringList{"dati.csv"});
      QVERIFY(!file.exists() || (file.open(QIODevice::ReadOnly) && file.readAll() == old));
    }
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(500), std::chrono::milliseconds(25));
    ui::SetSavePathHandler(nullptr);
    QCOMPARE(p_->shown.filter("Impossibile").size(), 0);
  }

  // Saves that succeed: a new file, over an old one, into a folder with
  // accents and blanks, through a link; each leaves the whole new content.
  void savesAreWhole() {
    QTemporaryDir dir;
    auto path = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    auto write = [](const QString& file, const QByteArray& data) {
      QFile f(file);
      return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
    };
    QVERIFY(write(path("probe"), "") && write(path("old.csv"), "vecchio") &&
            write(path("target.csv"), "vecchio") && QDir(dir.path()).mkdir("città e spazi") &&
            QFile::link(path("target.csv"), path("link.csv")));
    QFile::setPermissions(path("old.csv"), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions kept = QFile::permissions(path("old.csv"));
    const std::pair<const char*, QFile::Permissions> rows[] = {
        {"new.csv", QFile::permissions(path("probe"))},  // as any new file of the user
        {"old.csv", kept},                               // an old file keeps its own
        {"città e spazi/forme d'onda.csv", QFile::permissions(path("probe"))},
        {"link.csv", QFile::permissions(path("target.csv"))},
    };
    for (const auto& [name, permissions] : rows) {
      QCOMPARE(ui::SaveWhole(path(name), "nuovo"), QString());
      QFile saved(path(name));
      QVERIFY(saved.open(QIODevice::ReadOnly));
      QCOMPARE(saved.readAll(), QByteArray("nuovo"));
      QCOMPARE(saved.permissions(), permissions);
    }
    QVERIFY(QFileInfo(path("link.csv")).isSymLink());  // the link stays, its target is new
  }

  // Saves that fail leave the old file whole and say why.
  void aFailedSaveLeavesTheOldFile() {
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString folder = dir.filePath("disco");
    QVERIFY(QDir().mkdir(folder));
    QFile old(folder + "/dati.csv");
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("vecchio") == 7);
    old.close();
    auto mount = [&](const QStringList& options) {
      return QProcess::execute("mount",
                               {"-t", "tmpfs", "-o", options.join(','), "tmpfs", folder}) == 0;
    };
    if (setup == "chmod") {
      QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
      QFile probe(folder + "/probe");
      if (probe.open(QIODevice::WriteOnly)) QSKIP("this user writes into read-only folders");
    } else {
      QFile::copy(old.fileName(), dir.filePath("dati.csv"));
      if (!mount({"size=64k"})) QSKIP("this machine does not let a test mount a small tmpfs");
      QFile::copy(dir.filePath("dati.csv"), old.fileName());
      if (setup == "read-only") QProcess::execute("mount", {"-o", "remount,ro", folder});
    }
    const QString why = ui::SaveWhole(old.fileName(), QByteArray(200000, 'x'));
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray kept = old.readAll();
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    if (setup != "chmod") QProcess::execute("umount", {folder});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(why, reason);
    QCOMPARE(kept, QByteArray("vecchio"));
    QCOMPARE(left, QStringList{"dati.csv"});  // no new file left beside it
  }
  void aFailedSaveLeavesTheOldFile_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a read-only folder") << "chmod"
                                        << "non si hanno i permessi per scrivere lì";
    QTest::newRow("a full disk") << "full"
                                 << "il disco è pieno";
    QTest::newRow("a read-only disk") << "read-only"
                                      << "il disco è di sola lettura";
  }

  void nothingIsAllocatedPerStepOrSegment() {
    p_->Plot();  // opens the window; the next plot creates what the window keeps
    long counts[3] = {};
    for (long& count : counts) {  // each plot changes the time captions
      p_->Edit({"Text8", &count == &counts[1] ? "30" : "3"});  // ten times the steps and segments
      const long before = g_allocations.load();
      form1().Command2_Click();
      count = g_allocations.load() - before;
    }
    QCOMPARE(counts[1], counts[2]);
    analysis::CircuitState state;
    analysis::ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "500", "20"});
    const long before = g_allocations.load();
    analysis::RunSimulation(state, true);
    QCOMPARE(g_allocations.load() - before, 4);  // its four arrays
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));  // the style of the reference images
  WindowTest tests;
  return QTest::qExec(&tests, argc, argv);
}

#include "window_test.moc"
