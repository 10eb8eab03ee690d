// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The start window, its two commands and what every window shares (the
// keyboard, the screen reader, the fit on a small screen, Qt's own dialogs).
#include "tests/window_test_support.h"

namespace {

class Form1Test : public test::WindowTest {
  Q_OBJECT

 private slots:
  void init() { Restart(); }
  void cleanup() { p_.reset(); }

  void theStartWindow() {
    COMPARE_WITH_REFERENCE(&form1(), "form1-start");
    test::Find<QPushButton>(&form1(), "Command1")->click();
    COMPARE_WITH_REFERENCE(&form1(), "form1-computed");
    // The pictures, which do nothing with keys, take no focus.
    ExpectFocusChain({"Text4", "Text2", "Text1", "Command2", "Command1", "Text3", "Text6", "Text7",
                      "Text8", "Text4"});
    // Under an Italian locale only the separator of the results changes:
    // typed numbers keep the point, even with the C library set to Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    p_->Compute();
    std::setlocale(LC_ALL, "C");
    QCOMPARE(Results(), (QStringList{"4,00E+00", "1,5915E+02", "2,61E+02"}));
  }

  void messagesAndFaultsLeaveTheResultsAndTheWindowWorks() {
    p_->Compute();  // the defaults; a message or fault then leaves their results
    for (const test::Case& row : test::Cases("field_messages")) {
      const QStringList edits = EditsOf(row.at(0));
      const QStringList shown = Messages(row.at(1));
      p_->Edit(kDefaults);
      p_->shown.clear();
      p_->Edit(edits);
      p_->Compute();
      // A fault keeps its text as the first line; its cause follows.
      QCOMPARE(FirstLines(p_->shown), shown);
      const bool fault = !shown.last().startsWith("Hai") && !shown.last().startsWith("Errore");
      QVERIFY(fault == (p_->shown.last().section('\n', 1).size() > 20));
      QCOMPARE(Results(), kComputed);
      auto* box = test::Find<QLineEdit>(&form1(), qPrintable(edits[0]));
      QCOMPARE(box->text(), edits[1]);
      // After a field's message the focus is in that field, its text selected to be typed over.
      QVERIFY(fault || (QApplication::focusWidget() == box && box->selectedText() == box->text()));
    }
    p_->shown.clear();
    p_->Edit({"Text4", ""});
    p_->Plot();  // the plot command makes the same checks, and opens no window
    QCOMPARE(p_->shown,
             (QStringList{kWarning, "Hai dimenticato di scrivere il numero dei campioni N"}));
    QCOMPARE(form2(), nullptr);
  }

  // After its results a command shows, in one box, what the analysis says
  // of them; a fault shows its text and its cause, the results stay.
  void aResultThatIsNotWhatItClaimsSaysSo() {
    for (const test::Case& row : test::Cases("result_messages")) {
      p_->Edit(kDefaults);
      p_->Compute();
      p_->Edit(EditsOf(row.at(0)));
      p_->shown.clear();
      p_->Click(&form1(), row.at(1) == "grafico" ? "Command2" : "Command1");
      const QString label = QString::fromStdString(row.at(0) + " " + row.at(1) + ": ");
      QVERIFY2(p_->shown == Messages(row.at(2)), qPrintable(label + p_->shown.join('|')));
      // The box comes after the results, which stay.
      QVERIFY2(Results() == Messages(row.at(3)), qPrintable(label + Results().join('|')));
    }
  }

  // Enter presses the focused button, and in a field of the start window
  // computes; Alt and a letter press a button, its caption unchanged.
  void theKeyboardPressesTheButtons() {
    for (const test::Case& row : test::Cases("keyboard_buttons")) {
      const QString control = Text(row, 0);
      const QKeyCombination key = QKeySequence(Text(row, 1))[0];
      if (control == "Esci") p_->Plot();
      for (const char* result : {"Label5", "Label9", "Label12"})
        test::Find<QLabel>(&form1(), result)->clear();
      QWidget* focus = control == "Esci" ? test::Find(form2(), "Command1")
                                         : test::Find(&form1(), qPrintable(control));
      QVERIFY(test::Activate(focus->window()));
      focus->setFocus();
      QTest::keyClick(focus, key.key(), key.keyboardModifiers());
      if (key.keyboardModifiers() == Qt::AltModifier) QTest::qWait(250);  // an animated press
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCOMPARE(Results() == kComputed, row.at(2) == "calcola");
      QCOMPARE(form2() != nullptr, row.at(2) == "grafico");
      if (form2() != nullptr) form2()->close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // What a screen reader hears: each result by its quantity, with its value
  // and unit; no two controls named alike. (That a change is told cannot
  // be seen here: the offscreen platform has no accessibility bridge.)
  void aScreenReaderHearsTheValues() {
    p_->Compute();
    p_->Plot();
    p_->MoveTo(50, 70);
    for (const test::Case& row : test::Cases("screen_reader")) {
      QWidget* window = row.at(0) == "Form1" ? &form1() : static_cast<QWidget*>(form2());
      auto* read = QAccessible::queryAccessibleInterface(test::Find(window, row.at(1).c_str()));
      QCOMPARE(read->text(QAccessible::Name), Text(row, 2));
      QCOMPARE(read->text(QAccessible::Description), QString::fromStdString(test::Field(row, 3)));
    }
    for (QWidget* window : {static_cast<QWidget*>(&form1()), static_cast<QWidget*>(form2())}) {
      QStringList names;
      for (QWidget* control : window->findChildren<QWidget*>(QRegularExpression("^[A-Z]"))) {
        names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(names.count(names.last()) == 1, qPrintable(names.last()));
      }
    }
  }

  // On a screen smaller than the windows (run at twice the density on 1366 x
  // 800 pixels), each window fits it and scrolls to every control.
  void theWindowsFitTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    if (area.width() >= 1254) QSKIP("this screen holds both windows whole: nothing to fit");
    p_->Plot();
    QTest::keyClick(form2(), Qt::Key_M, Qt::ControlModifier);
    ui::Precisione* precision = p_->session().precision();
    QTest::keyClick(form2(), Qt::Key_R, Qt::ControlModifier);
    ui::Risposta* response = p_->session().response();
    QVERIFY(QTest::qWaitForWindowExposed(precision) && QTest::qWaitForWindowExposed(response));
    response->hide();  // shown again partly off the screen: it comes back inside
    response->move(area.right() - 50, area.bottom() - 50);
    response->show();
    QTest::qWait(300);
    for (QWidget* window :
         std::initializer_list<QWidget*>{&form1(), form2(), precision, response}) {
      QVERIFY2(area.contains(window->frameGeometry()),
               qPrintable(window->objectName() + " stands outside the screen"));
    }
    // Out of sight at first, in sight once scrolled to, as Tab or the scroll bars do.
    auto scrolled_to = [](QWidget* control) {
      auto* scroll = control->window()->findChild<QScrollArea*>();
      if (scroll == nullptr) return false;
      auto shown = [&] {
        return scroll->viewport()->rect().contains(
            control->mapTo(scroll->viewport(), control->rect().center()));
      };
      const bool hidden = !shown();
      scroll->ensureWidgetVisible(control);
      return hidden && shown();
    };
    QVERIFY(scrolled_to(test::Find(precision, "Valore15")) &&
            scrolled_to(test::Find(response, "Totale")));
    auto* exit = test::Find<QPushButton>(form2(), "Command1");
    QVERIFY(scrolled_to(exit));
    QTest::mouseClick(exit, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(form2(), nullptr);  // "Esci" was reached
  }

  // A plot restores a minimised plot window; a message box shows its whole
  // title however short its text.
  void windowsComeForwardWhole() {
    p_->Plot();
    form2()->showMinimized();
    p_->Plot();
    QVERIFY(!form2()->isMinimized() && QTest::qWaitForWindowActive(form2()));
    ui::SetMessageHandler(nullptr);  // the box itself
    int width = 0, needed = 0;       // the bold title and four buttons of the title bar
    p_->Answer([&](QWidget* box) {
      const QFontMetrics title(QFont(box->font().family(), -1, QFont::Bold));
      std::tie(width, needed) =
          std::pair(box->width(), title.horizontalAdvance(box->windowTitle()) + 4 * title.height());
      return box->close();
    });
    ui::ShowMessage("Overflow");
    QVERIFY2(width >= needed, qPrintable(QString("%1 < %2").arg(width).arg(needed)));
  }

  // Qt's own texts are Italian; the save dialog gives a name typed without an
  // extension the proposed one, and asks about an old file of that name.
  void italianDialogsAndExtensions() {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_it.qm"))
      QSKIP("Qt's Italian translations are not installed (qt6-translations-l10n)");
    QMenu* menu = test::Find<QLineEdit>(&form1(), "Text1")->createStandardContextMenu();
    QCOMPARE(menu->actions().at(1)->text(), QString("&Rifai\tCtrl+Y"));
    delete menu;
    p_->Plot();
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("figura.png")).open(QIODevice::WriteOnly));  // an old file
    for (const auto& [keys, typed, saved] :
         {std::tuple{Qt::ControlModifier | Qt::ShiftModifier, "dati", "dati.csv"},
          std::tuple{Qt::KeyboardModifiers(Qt::ControlModifier), "figura", "figura.png"}}) {
      QString asked;  // whether to replace it
      p_->Answer([&, typed = typed](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
          asked = box->text();
          box->button(QMessageBox::Yes)->click();
        } else if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit")) {
          name->setText(dir.filePath(typed));  // pressed later: the question may need the timer
          QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
        }
        return !modal->isVisible();
      });
      QVERIFY(test::Activate(form2()));
      QTest::keyClick(form2(), Qt::Key_S, keys);
      QVERIFY(QFileInfo(dir.filePath(saved)).size() > 0);
      QCOMPARE(asked.contains(saved), QString(saved) == "figura.png");
    }
  }
};

}  // namespace

RLC_WINDOW_TEST_MAIN(Form1Test)

#include "form1_test.moc"
