#include "ui/widgets/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

// The reason for `error` (an errno value), in Italian.
QString Reason(int error) {
  switch (error) {
    case ENOENT:
      return QStringLiteral("la cartella non esiste");
    case ENOTDIR:
      return QStringLiteral("una parte del percorso non è una cartella");
    case EACCES:
    case EPERM:
      return QStringLiteral("non si hanno i permessi per scrivere lì");
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("il disco è pieno");
    case EROFS:
      return QStringLiteral("il disco è di sola lettura");
    case EISDIR:
      return QStringLiteral("c'è una cartella con quel nome");
    case ENAMETOOLONG:
      return QStringLiteral("il nome è troppo lungo");
    default:
      return QStringLiteral("errore di sistema %1").arg(error);
  }
}

// The user's file creation mask, read without changing it (umask() would
// change it for every thread for a moment); 022 when it cannot be read.
mode_t CreationMask() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (status.open(QIODevice::ReadOnly)) {
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
      if (!line.startsWith("Umask:")) continue;
      bool ok = false;
      const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
      if (ok) return static_cast<mode_t>(mask & 0777);
    }
  }
  return 022;
}

}  // namespace

QString AskSavePath(QWidget* window, const QString& title, const QString& proposed,
                    const QString& filter) {
  if (Handler()) return Handler()(proposed);
  // Qt's own dialog speaks Italian like the rest of the program, when the
  // translations are installed; only while it is open.
  QTranslator italian;
  if (italian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&italian);
  const QString path =
      QFileDialog::getSaveFileName(window, title, QDir(LastFolder()).filePath(proposed), filter);
  if (!path.isEmpty()) LastFolder() = QFileInfo(path).absolutePath();
  return path;
}

void SetSavePathHandler(std::function<QString(const QString&)> handler) {
  Handler() = std::move(handler);
}

QString SaveWhole(const QString& path, const QByteArray& data) {
  const QByteArray target = QFile::encodeName(path);
  QByteArray temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return Reason(errno);
  qsizetype written = 0;
  int error = 0;
  while (written < data.size() && error == 0) {
    const ssize_t n =
        write(fd, data.constData() + written, static_cast<size_t>(data.size() - written));
    if (n > 0)
      written += n;
    else if (n == 0)
      error = EIO;  // a device that takes nothing would loop for ever
    else if (errno != EINTR)
      error = errno;
  }
  // The new file gets the permissions a new file of the user gets.
  if (error == 0 && fchmod(fd, 0666 & ~CreationMask()) != 0) error = errno;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.constData(), target.constData()) != 0) error = errno;
  if (error == 0) return {};
  unlink(temporary.constData());
  return Reason(error);
}

}  // namespace ui
