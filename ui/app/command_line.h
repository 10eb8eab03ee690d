// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: what runs without a window (--help,
// --version, --calcola with its values, --json) and what opens the windows.
// Needs Qt Core only: no display, no platform plugin.
#pragma once

#include <QStringList>

namespace ui {

// Whether `arguments` (argv[1] onwards) ask for anything but the windows:
// an option of the command line, an unknown option or an argument. Qt's
// own options of a graphical application (-platform, -style, ...) are left
// to the windows.
bool WantsCommandLine(const QStringList& arguments);

// Runs the command line under the QCoreApplication that exists and returns
// the exit status: 0 done, 1 an unknown option, a stray argument or
// another option given twice, 2 a value given twice or one that the field
// check refuses, 3 a fault of the compute, 4 results that could not be
// written. Messages go to standard error, results to standard output.
int RunCommandLine();

}  // namespace ui
