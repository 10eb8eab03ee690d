// Helpers shared by the window tests: typing into a field as a user does,
// and recording what the message box would show instead of blocking.
#pragma once

#include <memory>

#include <QLineEdit>
#include <QLocale>
#include <QStringList>
#include <QTest>

#include "ui/app/message_box.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"

namespace test {

// Returns the control named `name` of `window`; stops the test program when
// there is none, as every test below relies on it.
template <class T>
T* Find(const QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

// Starts a session as the program does: Form1 shown, under the C locale
// (a test may switch to another). Returns nullptr if Form1 is never exposed.
inline std::unique_ptr<ui::Session> StartSession() {
  QLocale::setDefault(QLocale::c());
  auto session = std::make_unique<ui::Session>();
  session->form1().show();
  if (!QTest::qWaitForWindowExposed(&session->form1())) return nullptr;
  return session;
}

// Replaces the text of `box` by real key presses: select all, then type
// (or delete, for an empty text).
inline void TypeInto(QLineEdit* box, const QString& text) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty())
    QTest::keyClick(box, Qt::Key_Delete);
  else
    QTest::keyClicks(box, text);
}

// While alive, every message goes to `shown` instead of a modal box.
class MessageRecorder {
 public:
  MessageRecorder() {
    ui::SetMessageHandler([this](const QString& text) { shown.append(text); });
  }
  ~MessageRecorder() { ui::SetMessageHandler(nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  QStringList shown;
};

}  // namespace test
