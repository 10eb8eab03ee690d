// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file that the user names: the question where, and a write that
// leaves either the whole new file or nothing in its place.
#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

class QIODevice;
class QWidget;

namespace ui {

// Asks where to save, in Qt's save dialog over `window` with `title`,
// proposing the file name `proposed` in the folder last used (the home
// folder at first) and offering `filter`. A name typed without an extension
// gets that of `proposed`. Returns the chosen path, or an empty text when
// the user cancelled.
QString AskSavePath(QWidget* window, const QString& title, const QString& proposed,
                    const QString& filter);

// Test seam: while a handler is set, AskSavePath returns what it returns
// for the proposed file name instead of opening the dialog.
void SetSavePathHandler(std::function<QString(const QString& proposed)> handler);

// Writes `data` to `path` whole or not at all, through QSaveFile: into a
// new file beside it, which then takes its place at once. Returns an empty
// text when it did, else the reason in Italian ("la cartella non esiste");
// the new file is then gone and an old file at `path` is as it was. A new
// file gets the permissions of any new file of the user, an existing one
// keeps its own, and where `path` is a link the file it names is rewritten.
QString SaveWhole(const QString& path, const QByteArray& data);

// How a writer of SaveStreamed ended.
enum class Written {
  kAll,        // everything was written
  kCancelled,  // the user stopped it
  kFailed,     // the device took less than it was given (a full disk)
};

// As SaveWhole, with the content written by `write` piece by piece into the
// new file, so that a large file never stands whole in memory. Unless it
// wrote all, nothing is saved: no new file, an old file as it was. Returns
// the reason of a failure, or an empty text (also when cancelled).
QString SaveStreamed(const QString& path, const std::function<Written(QIODevice&)>& write);

}  // namespace ui
