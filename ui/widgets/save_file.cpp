// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/save_file.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace ui {

namespace {

std::function<QString(const QString&)>& Handler() {
  static std::function<QString(const QString&)> handler;
  return handler;
}

QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

// Why `path` could not take `size` bytes (at least 1, so that a disk with
// no byte free is full), in Italian: told by what stands at the path and by
// the disk, else by the error of the file.
QString Reason(const QString& path, qint64 size, const QSaveFile& file) {
  const QFileInfo target(path);
  const QFileInfo folder(target.absolutePath());
  if (target.isDir()) return QStringLiteral("c'è una cartella con quel nome");
  if (!folder.exists()) return QStringLiteral("la cartella non esiste");
  if (!folder.isDir()) return QStringLiteral("una parte del percorso non è una cartella");
  const QStorageInfo disk(folder.absoluteFilePath());
  if (disk.isValid() && disk.isReadOnly()) return QStringLiteral("il disco è di sola lettura");
  if (file.error() == QFileDevice::OpenError && !folder.isWritable())
    return QStringLiteral("non si hanno i permessi per scrivere lì");
  if (disk.isValid() && disk.bytesAvailable() < size) return QStringLiteral("il disco è pieno");
  if (target.fileName().toUtf8().size() > 255) return QStringLiteral("il nome è troppo lungo");
  return QStringLiteral("errore di sistema (%1)").arg(file.errorString());
}

}  // namespace

QString AskSavePath(QWidget* window, const QString& title, const QString& proposed,
                    const QString& filter) {
  if (Handler()) return Handler()(proposed);
  // Qt's own dialog, which speaks Italian with the rest of the program. A
  // name typed without an extension gets the proposed one, and the question
  // whether to replace a file is asked of the completed name.
  const QString start = QDir(LastFolder()).filePath(proposed);
  QFileDialog dialog(window, title, start, filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QFileInfo(proposed).suffix());
  dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  LastFolder() = QFileInfo(path).absolutePath();
  return path;
}

void SetSavePathHandler(std::function<QString(const QString&)> handler) {
  Handler() = std::move(handler);
}

QString SaveWhole(const QString& path, const QByteArray& data) {
  return SaveStreamed(path, [&](QIODevice& file) {
    return file.write(data) == data.size() ? Written::kAll : Written::kFailed;
  });
}

QString SaveStreamed(const QString& path, const std::function<Written(QIODevice&)>& write) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    const Written written = write(file);
    if (written == Written::kCancelled) {  // the new file goes, an old one stays
      file.cancelWriting();
      return {};
    }
    if (written == Written::kAll && file.commit()) return {};
  }
  const QString reason = Reason(path, file.size() + 1, file);
  file.cancelWriting();
  return reason;
}

}  // namespace ui
