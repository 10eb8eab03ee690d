// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The plot window: the plot, the readout of the mouse and of the keys, the
// exact steady state over it, progress and cancelling, copying and saving.
#include "tests/window_test_support.h"

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

class Form2Test : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init() { Restart(); }
  void cleanup() { p_.reset(); }

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
    QCOMPARE(Results(), QStringList(3, QString()));                    // the plot never writes them
    ExpectFocusChain({"Option1", "Command1", "Picture1", "Option1"});  // not the strip
  }

  void plotsAsTheyLook() {
    for (const test::Case& row : test::Cases("plots")) {
      Restart();  // a fresh program for each row
      if (test::Field(row, 3) == "sopra") p_->Plot();
      p_->Edit(EditsOf(row.at(0)));
      p_->Plot();
      if (test::Field(row, 3) == "pulito") {  // the defaults over it, then Ctrl+L
        p_->Edit(kDefaults);
        p_->Plot();
        QTest::keyClick(form2(), Qt::Key_L, Qt::ControlModifier);
      }
      p_->shown.removeAll(kWarning);  // no fault, at most the box after the plot
      const std::string warning = test::Field(row, 2);
      QCOMPARE(p_->shown.size(), warning.empty() ? 0 : 1);
      QVERIFY(warning.empty() || p_->shown[0].startsWith(QString::fromStdString(warning)));
      COMPARE_WITH_REFERENCE(form2(), row.at(1).c_str());
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
    QVERIFY(test::Activate(&form1()));
    QTest::qWait(20);  // the activation's events, which put a tooltip to sleep
    QTest::mouseMove(form2()->windowHandle(), QPoint(70 + 490, 40));
    QTRY_COMPARE(QToolTip::text(), test::Find(form2(), "Picture1")->toolTip());
    QToolTip::hideText();
    form1().close();  // the plot window goes on working alone
    p_->MoveTo(50, 95);
    QCOMPARE(Boxes(), Readout(0, "31446.54", "0.53"));
  }

  void aFailedPlotLeavesTheWindowConsistent() {
    for (const test::Case& row : test::Cases("failed_plots")) {
      Restart();
      p_->Edit(EditsOf(row.at(0)));
      p_->Plot();  // on a fresh window: tick marks, zero lines, design captions
      QCOMPARE(p_->shown.last().section('\n', 0, 0), Text(row, 1));
      COMPARE_WITH_REFERENCE(form2(), "form2-failed");
      p_->MoveTo(50, 70);
      QCOMPARE(Boxes(), kNoReadout);
      p_->Edit(kDefaults);
      p_->Plot();
      p_->Edit(EditsOf(row.at(0)));
      p_->Plot();  // over a plot: that plot stays whole, its readout too
      QCOMPARE(p_->shown.last().section('\n', 0, 0), Text(row, 1));
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
    QVERIFY(test::Activate(form2()));
    COMPARE_WITH_REFERENCE(form2(), "form2-plot");
    p_->Compute();  // completes with the dialog on screen, bit for bit as without
    p_->Plot();     // and a plot so keeps its drawing
    QVERIFY(picture->image() != drawing);
    auto expected = analysis::RunOf({"1", "400", "1e-5", "0.1", "159", "1000", "100"});
    QCOMPARE(std::memcmp(p_->session().state().v_t.data(), expected.v_t.data(), 1002 * 8), 0);
  }

  // Cancelled while its arrays' zeros are written or while it runs, a
  // command gives their memory back at once.
  void aCancelledRunGivesItsMemoryBack() {
#ifdef RLC_ADDRESS_SANITIZER
    QSKIP("AddressSanitizer keeps freed memory in quarantine: the resident size says nothing");
#endif
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    // A compute of 3.2 GB stopped while zeroed; a plot of 640 MB stopped
    // while running, which takes away the window it opened.
    for (const auto& [n, after_ms] : {std::pair{"100000000", 0}, std::pair{"20000000", 1500}}) {
      p_->Edit({"Text4", n, "Text8", "1"});
      const uint64_t before = analysis::ResidentBytes().value_or(0);
      QElapsedTimer clock;
      int value = -1;
      p_->Answer([&, after_ms = after_ms](QWidget* modal) {
        if (!clock.isValid()) clock.start();
        if (clock.elapsed() < after_ms) return false;
        value = qobject_cast<QProgressDialog*>(modal)->value();
        modal->findChild<QPushButton*>()->click();  // "Annulla"
        return true;
      });
      p_->Click(&form1(), after_ms > 0 ? "Command2" : "Command1");
      QCOMPARE(value > 0, after_ms > 0);  // while the zeros are written: no share yet
      QVERIFY(p_->shown.isEmpty() && !p_->session().state().v_t.allocated() &&
              (form2() == nullptr || !form2()->isVisible()));
      if (before == 0) QSKIP("this system does not tell the resident size");
      QVERIFY(analysis::ResidentBytes().value() < before + (64u << 20));
    }
  }

  void theReadoutShowsTheBandUnderTheCursor() {
    p_->Plot();
    for (const test::Case& row : test::Cases("readout_bands")) {
      const double x = std::stod(row.at(0)), y = std::stod(row.at(1));
      p_->MoveTo(x, y, row.at(2).empty() ? Qt::NoButton : Qt::LeftButton);
      const int i = std::stoi(row.at(3));
      const QString at = QStringLiteral("at (%1, %2): ").arg(x).arg(y);
      const QString tip = test::Find(form2(), "Picture1")->toolTip();
      QVERIFY2(p_->Checked(i + 1) && Boxes() == Readout(i, Text(row, 4), Text(row, 5)),
               qPrintable(at + Boxes().join('|')));
      QVERIFY2(tip == Text(row, 6), qPrintable(at + tip));
    }
    // The frame of the plot area gives no readout, but while a button pressed
    // inside keeps the mouse; an option button alone changes no box.
    p_->MoveTo(-0.1, 50);
    p_->Click(form2(), "Option1");
    QCOMPARE(Boxes(), Readout(1, "25157.23", "-1606.11"));
  }

  // A value too wide for its box, or too long for the tooltip, is written
  // as the start window writes its results; one that fits as before.
  void aReadoutNeverHidesTheSignOrTheSize() {
    for (const test::Case& row : test::Cases("readout_widths")) {
      p_->Edit(kDefaults + EditsOf(row.at(0)));
      p_->Plot();
      p_->MoveTo(50, std::stod(row.at(1)));
      auto* box = test::Find<QLabel>(form2(), row.at(2).c_str());
      const QString tip = test::Find(form2(), "Picture1")->toolTip();
      QVERIFY2(box->text() == Text(row, 3) &&
                   box->fontMetrics().horizontalAdvance(box->text()) <= box->contentsRect().width(),
               qPrintable(box->text()));
      QVERIFY2(tip == Text(row, 4), qPrintable(tip));
    }
  }

  void theKeyboardCursorReadsSampleBySample() {
    p_->Plot();
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    const QImage drawing = picture->image();
    ExpectFocusChain({"Option1"});  // then Command1
    for (const test::Case& row : test::Cases("keyboard_cursor")) {
      const QKeyCombination key = QKeySequence(Text(row, 0))[0];
      QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
      const int trace = std::stoi(row.at(2));
      // The boxes show the time and the value of the name, which ends with the unit.
      const QStringList words = Text(row, 3).split(' ');
      QVERIFY2(p_->Checked(trace + 1) &&
                   Boxes() == Readout(trace, words.value(1), words.value(3)) &&
                   picture->accessibleName() == Text(row, 3),
               qPrintable("sample " + Text(row, 1) + ": " + Boxes().join('|') + " " +
                          picture->accessibleName()));
    }
    QTest::keyClick(picture, Qt::Key_Down);
    for (int i = 0; i < 3; ++i) QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);
    COMPARE_WITH_REFERENCE(form2(), "form2-cursor");
    QVERIFY(picture->image() == drawing);  // on v(t) at sample 301: over the plot, not into it
    p_->MoveTo(50, 95);                    // the mouse takes over
    QVERIFY(!picture->marker_shown());
    QCOMPARE(Boxes(), Readout(0, "31446.54", "0.53"));
    QCOMPARE(picture->accessibleName(), QString("is(t): 31446.54 microsecondi, 0.53 ampere"));
    QString menu;  // Shift+F10 opens the context menu
    p_->Answer([&](QWidget* popup) {
      menu = popup->actions().constFirst()->text();
      return popup->close();
    });
    QTest::keyClick(picture, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(menu, QString("Copia immagine"));
  }

  // The first key on a fresh plot that a click gave the focus shows sample
  // 1 of the selected trace, where the cursor stands.
  void theFirstKeyShowsTheFirstSample() {
    p_->Edit({"Text8", "1"});  // one period is enough
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Left}) {
      p_->Plot();
      auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
      QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(20, 20));
      QTest::keyClick(picture, key);
      QCOMPARE(Boxes(), Readout(0, "6.29", "0.00"));
      form2()->close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // "Soluzione esatta" over the plot, and its value in the tooltip at the
  // instant shown: sample n stands at n dt, the source switching on at 1.
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
    auto* picture = test::Find<ui::PictureBox>(form2(), "Picture1");
    ExpectFocusChain({"Option1", "Command1"});  // on the plot area, sample 1 of is(t)
    for (const test::Case& row : test::Cases("exact_tooltips")) {
      QTest::keyClick(picture, QKeySequence(Text(row, 0))[0].key());
      QVERIFY2(picture->toolTip() == Text(row, 1),
               qPrintable(Text(row, 0) + ": " + picture->toolTip()));
    }
    // The mouse: v(t) is the pointer's height; beside it the plotted sample
    // nearest the pointer, the last of period 5, and the exact value there.
    p_->MoveTo(50, 70);
    QCOMPARE(picture->toolTip(),
             QString("t= 31446.54usec ; v(t) = -100.38V ; Eulero = -17.21V ; esatto = -15.18V"));
    auto* value_box = test::Find<QLabel>(form2(), "Label24");
    QVERIFY(value_box->accessibleDescription().contains(", esatto "));
    // Off and on again: the tooltip, the box and the name follow the press.
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!picture->toolTip().contains("Eulero") &&
            !value_box->accessibleDescription().contains("esatto"));
    QTest::keyClick(picture, Qt::Key_Left);  // after the mouse: the cursor where it stands
    QVERIFY(!picture->accessibleName().contains("esatto"));
    QTest::keyClick(form2(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(
        picture->accessibleName(),
        QString("v(t): 25.16 microsecondi, -11.27 volt, Eulero -11.27 volt, esatto -8.06 volt"));
    QVERIFY(picture->toolTip().contains(" ; esatto = "));
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
    // Where the file cannot go: the message, and no file left behind.
    ui::SetSavePathHandler([&](const QString&) { return dir.filePath("nuova/dati.csv"); });
    QTest::keyClick(form2(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(p_->shown.last(), "Impossibile salvare il file \"" + dir.filePath("nuova/dati.csv") +
                                   "\": la cartella non esiste.");
    ui::SetSavePathHandler(nullptr);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
  }

  // Saving many samples shows its progress; "Annulla" leaves no new file and
  // an old one as it was.
  void aCancelledSaveLeavesNoFile() {
    p_->Edit({"Text4", "200000", "Text8", "1"});
    p_->Plot();
    QTemporaryDir dir;
    QFile file(dir.filePath("dati.csv"));
    ui::SetSavePathHandler([&](const QString&) { return file.fileName(); });
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    for (const QByteArray& old : {QByteArray(), QByteArray("vecchio")}) {
      if (!old.isEmpty()) QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == 7);
      file.close();
      QString label;
      p_->Answer([&](QWidget* modal) {
        label = qobject_cast<QProgressDialog*>(modal)->labelText();
        modal->findChild<QPushButton*>()->click();  // "Annulla"
        return true;
      });
      form2()->SaveData();
      QCOMPARE(label, QString::fromUtf8("Salvataggio in corso…"));
      QVERIFY(old.isEmpty() ? !file.exists()
                            : file.open(QIODevice::ReadOnly) && file.readAll() == old);
      QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), old.isEmpty() ? 0 : 1);
    }
    ui::SetSavePathHandler(nullptr);
    QVERIFY(p_->shown.isEmpty());
  }

  // Saves that succeed: a new file, over an old one, into a folder with
  // accents and blanks, through a link; each leaves the whole new content.
  void savesAreWhole() {
    QTemporaryDir dir;
    auto path = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    QVERIFY(QFile(path("probe")).open(QIODevice::WriteOnly) &&
            QFile(path("old.csv")).open(QIODevice::WriteOnly) &&
            QDir(dir.path()).mkdir("città e spazi") &&
            QFile::link(path("old.csv"), path("link.csv")));
    QFile::setPermissions(path("old.csv"), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions fresh = QFile::permissions(path("probe")),
                             kept = QFile::permissions(path("old.csv"));
    // A new file as any new file of the user, an old one (also through a link) as it was.
    for (const auto& [name, permissions] :
         {std::pair{"new.csv", fresh}, std::pair{"old.csv", kept},
          std::pair{"città e spazi/forme d'onda.csv", fresh}, std::pair{"link.csv", kept}}) {
      QCOMPARE(ui::SaveWhole(path(name), name), QString());
      QFile saved(path(name));
      QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll() == name);
      QCOMPARE(saved.permissions(), permissions);
    }
    QVERIFY(QFileInfo(path("link.csv")).isSymLink());  // the link stays, its target is new
    QCOMPARE(ui::SaveWhole(dir.path(), "x"), QString::fromUtf8("c'è una cartella con quel nome"));
    const QString longer = dir.filePath(QString(252, 'x') + ".csv");  // 256 bytes, one too many
    QCOMPARE(ui::SaveWhole(longer, "x"), QString::fromUtf8("il nome è troppo lungo"));
  }

  // Saves that fail leave the old file whole and say why: on a small disk
  // that fills up, and on one made read-only.
  void aFailedSaveLeavesTheOldFile() {
    for (const char* reason : {"il disco è pieno", "il disco è di sola lettura"}) {
      QTemporaryDir dir;
      const QString folder = dir.filePath("disco"), old = folder + "/dati.csv";
      QVERIFY(QDir().mkdir(folder));
      if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) != 0)
        QSKIP("this machine does not let a test mount a small tmpfs");
      QCOMPARE(ui::SaveWhole(old, "vecchio"), QString());
      if (std::strstr(reason, "lettura")) QProcess::execute("mount", {"-o", "remount,ro", folder});
      const QString why = ui::SaveWhole(old, QByteArray(200000, 'x'));
      QFile file(old);
      const QByteArray kept = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
      QProcess::execute("umount", {folder});
      QCOMPARE(why, QString(reason));
      QCOMPARE(kept, QByteArray("vecchio"));
      QCOMPARE(left, QStringList{"dati.csv"});  // nothing new beside it
    }
  }

  // A line that leaves the plot area is cut at its edges, the rest drawn
  // where it was: y = x + 50 from x = -100 to 100 is (0, 50) to (50, 100),
  // y = x - 50 from x = 25 to 75 is (50, 0) to (75, 25).
  void aLineIsCutAtTheEdges() {
    const float lines[2][2][4] = {{{-100, -50, 100, 150}, {25, -25, 75, 25}},
                                  {{0, 50, 50, 100}, {50, 0, 75, 25}}};
    QImage drawn[2];
    for (int i = 0; i < 2; ++i) {
      ui::PictureBox box(nullptr);
      box.show();
      box.SetScale(0, 100, 100, 0);
      for (const auto& line : lines[i]) box.DrawLine(line[0], line[1], line[2], line[3]);
      drawn[i] = box.image();
    }
    QVERIFY(!drawn[0].isNull() && drawn[0] == drawn[1]);
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
    analysis::CircuitState state =
        analysis::StateOf({"1", "400", "1e-5", "0.1", "159", "500", "20"});
    const long before = g_allocations.load();
    analysis::RunSimulation(state, true);
    QCOMPARE(g_allocations.load() - before, 4);  // its four arrays
  }
};

}  // namespace

RLC_WINDOW_TEST_MAIN(Form2Test)

#include "form2_test.moc"
