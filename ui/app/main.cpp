// The program: the windows, or the command line when it is asked for, which
// then needs no display.
#include <QApplication>
#include <QCoreApplication>

#include "ui/app/command_line.h"
#include "ui/app/italian.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"
#include "ui/widgets/title_and_icon.h"

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("rlc-parallelo"));
  QCoreApplication::setApplicationVersion(QStringLiteral(RLC_VERSION));
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (ui::WantsCommandLine(arguments)) {
    QCoreApplication app(argc, argv);
    ui::InstallItalianTranslations();
    return ui::RunCommandLine();
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ui::WindowIcon());
  ui::Session session;
  session.form1().show();
  return QApplication::exec();
}
