// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: the program running on the offscreen
// platform with its messages recorded instead of shown, a user's actions on
// it, and the comparison of a window with its reviewed reference.
#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include "ui/app/italian.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/progress_gate.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QToolTip>
#include <atomic>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <new>
#include "analysis/analysis.h"
#include "analysis/platform_memory.h"
#include "tests/cases.h"
#include "tests/plain_euler.h"
#include "ui/accuracy/precisione.h"
#include "ui/frequency/risposta.h"
#include "ui/widgets/save_file.h"

namespace test {

// Returns the control named `name` of `window`; stops the tests when there is none.
template <class T = QWidget>
T* Find(const QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

// Makes `window` the active one; false when it does not become so.
inline bool Activate(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

// The program as a user starts it: Form1 shown and active under the C
// locale, the mouse away from every window, every message box recorded;
// at its end the progress dialogs wait again as the program's do.
class Program {
 public:
  Program() {
    QLocale::setDefault(QLocale::c());
    QCursor::setPos(-1000, -1000);
    // A steady text cursor: the reference images must not depend on its blink.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    ui::SetMessageHandler([this](const QString& text) { shown.append(text); });
    ui::InstallItalianTranslations();  // as the program does at its start
    ui::LoadFonts();
    session_ = std::make_unique<ui::Session>();
    form1().show();
    started = QTest::qWaitForWindowActive(&form1());
  }
  ~Program() {
    session_.reset();
    ui::ProgressGate::SetTiming(std::chrono::milliseconds(500), std::chrono::milliseconds(25));
    ui::SetMessageHandler(nullptr);
    QLocale::setDefault(QLocale::c());
  }

  ui::Session& session() { return *session_; }
  ui::Form1& form1() { return session_->form1(); }
  ui::Form2* form2() { return session_->form2(); }

  // Replaces the texts of fields of Form1 (pairs of name and text) by real key presses.
  void Edit(const QStringList& edits) {
    for (int i = 0; i + 1 < edits.size(); i += 2) {
      auto* box = Find<QLineEdit>(&form1(), qPrintable(edits[i]));
      box->setFocus();
      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(box, Qt::Key_Delete);
      QTest::keyClicks(box, edits[i + 1]);
    }
  }
  void Click(QWidget* window, const char* button) {
    QTest::mouseClick(Find(window, button), Qt::LeftButton);
  }
  void Compute() { Click(&form1(), "Command1"); }
  // Plots; the plot window, if the plot opened it, is active on return.
  void Plot() {
    Click(&form1(), "Command2");
    if (form2() != nullptr) (void)QTest::qWaitForWindowActive(form2());
  }
  bool Checked(int option) {
    return Find<QRadioButton>(form2(), qPrintable(QStringLiteral("Option%1").arg(option)))
        ->isChecked();
  }
  // Moves the mouse over Picture1 of Form2 to user point (x, y): x from 0
  // at the left edge of its contents to 100 at the right, y from 100 at
  // the top to 0 at the bottom.
  void MoveTo(double x, double y, Qt::MouseButtons buttons = Qt::NoButton) {
    auto* picture = Find<ui::PictureBox>(form2(), "Picture1");
    const QRectF c = picture->contentsRect();
    const QPointF local(c.left() + x * c.width() / 100, c.top() + (100 - y) * c.height() / 100);
    QMouseEvent event(QEvent::MouseMove, local, picture->mapToGlobal(local), Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(picture, &event);
  }

  // While a modal window or a menu is up, hands it to `answer` every few
  // milliseconds until `answer` returns true. `answer` must not wait.
  void Answer(std::function<bool(QWidget*)> answer) {
    auto* timer = new QTimer(&form1());
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
      QWidget* modal = QApplication::activePopupWidget();
      if (modal == nullptr) modal = QApplication::activeModalWidget();
      if (modal != nullptr && answer(modal)) delete timer;
    });
    timer->start(2);
  }

  QStringList shown;  // what every message box would have shown so far
  bool started = false;

 private:
  std::unique_ptr<ui::Session> session_;
};

// Compares what `window` shows with tests/images/<name>.png pixel for pixel
// (<name>@2x.png on a screen of twice the density), and the place and size
// of each of its controls with <name>.layout, which catches what no pixel
// shows (a label's box grown beyond its text). On a difference it writes
// the new files and <name>-diff.png (the differing pixels in red) into
// image-diffs/ of the build folder and says what differs. With
// RLC_WRITE_IMAGES=1 it writes the references instead (make golden).
inline bool MatchesReference(QWidget* window, const char* name, QString* why) {
  QApplication::processEvents();  // what is due to be laid out or drawn
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QByteArray layout;
  for (const QWidget* c : window->findChildren<QWidget*>()) {
    const QPoint at = c->mapTo(window, QPoint());
    if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_"))
      layout += QString::asprintf("%s %d %d %d %d\n", qPrintable(c->objectName()), at.x(), at.y(),
                                  c->width(), c->height())
                    .toUtf8();
  }
  const QString file = name + QString(window->devicePixelRatioF() == 2 ? "@2x" : "");
  const QString reference = RLC_TEST_IMAGES "/" + file, changed = RLC_IMAGE_DIFFS "/" + file;
  auto write = [&](const QString& path) {
    QFile text(path + ".layout");
    return image.save(path + ".png") && text.open(QIODevice::WriteOnly) &&
           text.write(layout) == layout.size();
  };
  if (qEnvironmentVariableIntValue("RLC_WRITE_IMAGES") == 1) return write(reference);
  const QImage expected = QImage(reference + ".png").convertToFormat(image.format());
  QImage diff = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(image.format());
  int differing = expected.size() == image.size() ? 0 : -1;
  for (int y = 0; differing >= 0 && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == expected.pixel(x, y)) continue;
      ++differing;
      diff.setPixel(x, y, qRgb(255, 0, 0));
    }
  }
  QFile text(reference + ".layout");
  if (differing == 0 && text.open(QIODevice::ReadOnly) && text.readAll() == layout) return true;
  QDir().mkpath(RLC_IMAGE_DIFFS);
  write(changed) && diff.save(changed + "-diff.png");
  const QString what = differing < 0 ? QStringLiteral("the sizes") : QStringLiteral("the layouts");
  *why = file + ": " + (differing > 0 ? QStringLiteral("%1 pixels").arg(differing) : what) +
         " differ; see " RLC_IMAGE_DIFFS;
  return false;
}

// What every window test shares: the program under test, restarted before
// each test, its windows, and the helpers that read them.
class WindowTest : public QObject {
 protected:
  static inline const QString kWarning = QString::fromUtf8(analysis::kSampleCountWarning);
  static inline const QStringList kDefaults{"Text1", "1",     "Text2", "400",   "Text3",
                                            "1e-5",  "Text6", "0.1",   "Text7", "159",
                                            "Text4", "1000",  "Text8", "10"};
  static inline const QStringList kComputed{"4.00E+00", "1.5915E+02", "2.61E+02"};
  static inline const QStringList kNoReadout = QStringList(8, QString());

  // Field i of a row of a table, as a QString.
  static QString Text(const test::Case& row, size_t i) { return QString::fromStdString(row.at(i)); }

  // The first line of each message: a fault's own text.
  static QStringList FirstLines(const QStringList& shown) {
    QStringList lines;
    for (const QString& text : shown) lines << text.section('\n', 0, 0);
    return lines;
  }

  // The messages "a|b" stands for, "N basso" for the sample count warning.
  static QStringList Messages(const std::string& text) {
    return QString::fromStdString(text).replace("N basso", kWarning).split('|');
  }

  // The pairs of field name and text of "Text8=0 Text4=10".
  static QStringList EditsOf(const std::string& edits) {
    QStringList pairs;
    for (const QString& edit : QString::fromStdString(edits).split(' ', Qt::SkipEmptyParts))
      pairs << edit.section('=', 0, 0) << edit.section('=', 1);
    return pairs;
  }

  // The texts of the labels `names` of `window`.
  static QStringList TextsOf(QWidget* window, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) texts << test::Find<QLabel>(window, name)->text();
    return texts;
  }

  std::unique_ptr<test::Program> p_;

  ui::Form1& form1() { return p_->form1(); }
  ui::Form2* form2() { return p_->form2(); }
  QStringList Results() { return TextsOf(&form1(), {"Label5", "Label9", "Label12"}); }
  // The eight readout boxes: time and value of is(t), v(t), iC(t), iL(t).
  QStringList Boxes() {
    return TextsOf(form2(), {"Label16", "Label17", "Label23", "Label24", "Label29", "Label32",
                             "Label35", "Label36"});
  }
  // The readout that shows `time` and `value` in row `row` (is, v, iC, iL).
  static QStringList Readout(int row, const QString& time, const QString& value) {
    return kNoReadout.mid(0, 2 * row) + QStringList{time, value} + kNoReadout.mid(2 * row + 2);
  }
  // From an active Form1, gives the fields the defaults changed by `edits`
  // ("Text8=0 Text4=10") and computes, or plots; true when the window of the
  // command is then the active one, as a companion window that follows the
  // result must leave it.
  bool RunLeavingFocus(const std::string& edits, bool plot) {
    if (!test::Activate(&form1())) return false;
    p_->Edit(kDefaults + EditsOf(edits));
    p_->Click(&form1(), plot ? "Command2" : "Command1");
    QTest::qWait(50);  // the activations asked for
    return QTest::qWaitFor([&] {
      return QApplication::activeWindow() == (plot ? static_cast<QWidget*>(form2()) : &form1());
    });
  }
  void Restart() {
    p_.reset();
    p_ = std::make_unique<test::Program>();
    QVERIFY(p_->started);
  }
  void ExpectFocusChain(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
  }
};

}  // namespace test

// Fails the test unless `window` looks as its reference `name`. The
// references are drawn on Linux, with the Fusion style and Liberation Sans;
// elsewhere the test stops there, skipped with a message.
#if defined(__linux__)
#define COMPARE_WITH_REFERENCE(window, name)                                     \
  do {                                                                           \
    QString why_;                                                                \
    QVERIFY2(test::MatchesReference((window), (name), &why_), qPrintable(why_)); \
  } while (false)
#else
#define COMPARE_WITH_REFERENCE(window, name) \
  QSKIP("the reference images are drawn on Linux; this platform draws its own")
#endif

// The main of a window test program: the Fusion style of the reference images.
#define RLC_WINDOW_TEST_MAIN(Class)                   \
  int main(int argc, char** argv) {                   \
    QApplication app(argc, argv);                     \
    QApplication::setStyle(QStringLiteral("Fusion")); \
    Class tests;                                      \
    return QTest::qExec(&tests, argc, argv);          \
  }
