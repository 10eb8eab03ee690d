// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the windows, or the command line when it is asked for, which
// then needs no display.
#include <QApplication>
#include <QCoreApplication>

#include "ui/app/command_line.h"
#include "ui/app/italian.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/title_and_icon.h"

#ifdef _WIN32
#include <cstdio>

#include <windows.h>

namespace {

// A Windows program of the graphical subsystem starts without a console:
// the command line writes to the one it was started from, if any.
void UseParentConsole() {
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
}

}  // namespace
#endif

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("rlc-parallelo"));
  QCoreApplication::setApplicationVersion(QStringLiteral(RLC_VERSION));
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (ui::WantsCommandLine(arguments)) {
#ifdef _WIN32
    UseParentConsole();
#endif
    QCoreApplication app(argc, argv);
    ui::InstallItalianTranslations();
    return ui::RunCommandLine();
  }
  QApplication app(argc, argv);
  ui::InstallItalianTranslations();
  ui::LoadFonts();
  QApplication::setWindowIcon(ui::WindowIcon());
  ui::Session session;
  session.form1().show();
  return QApplication::exec();
}
