// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts in Italian, like the rest of the program.
#pragma once

namespace ui {

// Installs Qt's Italian translations (Debian's qt6-translations-l10n) for
// the whole application, whatever the locale: the interface is Italian.
// Does nothing when they are not installed. REQUIRES: a QCoreApplication.
void InstallItalianTranslations();

}  // namespace ui
