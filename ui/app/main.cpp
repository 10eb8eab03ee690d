#include <QApplication>
#include "ui/app/session.h"
#include "ui/parameter/form1.h"
#include "ui/widgets/title_and_icon.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ui::WindowIcon());
  ui::Session session;
  session.form1().show();
  return QApplication::exec();
}
