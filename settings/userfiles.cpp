// Where the player's own files (settings and tally) live.
#include "settings/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace UserFiles {

namespace {
QString& directoryOverride() {
    static QString dir;
    return dir;
}

bool isInstalled(const QString& programDir) {
    // <prefix>/bin/cribbage beside <prefix>/share/applications/cribbage.desktop
    const QDir bin(programDir);
    return bin.dirName() == QLatin1String("bin") && QFileInfo::exists(bin.filePath(QStringLiteral(
                                                        "../share/applications/cribbage.desktop")));
}
} // namespace

QString chooseDirectory(const QString& programDir, const QString& fallbackDir) {
    const QFileInfo info(programDir);
    // An installed copy keeps its files with the user even where it could write to its own
    // folder (an administrator's game in /usr/bin, a copy installed into the home folder).
    if (!programDir.isEmpty() && info.isDir() && info.isWritable() && !isInstalled(programDir))
        return QDir::cleanPath(programDir);
    return QDir::cleanPath(fallbackDir);
}

QString configDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/cribbage");
}

QString directory() {
    if (!directoryOverride().isEmpty()) return directoryOverride();
    return chooseDirectory(QCoreApplication::applicationDirPath(), configDirectory());
}

void setDirectoryOverride(const QString& dir) {
    directoryOverride() = dir.isEmpty() ? QString() : QDir::cleanPath(dir);
}

QString settingsPath() {
    return directory() + QLatin1Char('/') + QLatin1String(SettingsFileName);
}

QString tallyFileName() {
    return QLatin1String(GameName) + QLatin1String(TallySuffix);
}

QString tallyPath() {
    return directory() + QLatin1Char('/') + tallyFileName();
}

bool makeParentDirectory(const QString& filePath) {
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

WriteResult replaceFile(const QString& path, const QByteArray& content) {
    if (!makeParentDirectory(path)) return {WriteResult::Failed::Folder, QString()};
    QSaveFile file(path);
    // Unbuffered, so that each write below reaches the file and reports its own failure.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {WriteResult::Failed::Open, file.errorString()};

    // QSaveFile renames even when the data never reached the disk: a flush that fails inside
    // commit() does not stop it, and a short write is no error to it. So every step is checked
    // here, and a failed one cancels the whole write before commit() could rename.
    auto fail = [&file](const QString& reason) {
        file.cancelWriting();
        file.commit(); // removes the new file; the old one keeps its name
        return WriteResult{WriteResult::Failed::Write, reason};
    };
    // A short write is retried: the retry either goes on or says why it cannot (a full disk).
    for (qsizetype done = 0; done < content.size();) {
        const qint64 n = file.write(content.constData() + done, content.size() - done);
        if (n <= 0) return fail(file.errorString());
        done += qsizetype(n);
    }
    if (!file.flush()) return fail(file.errorString());
    // A full disk may only show when the data is synced (delayed allocation, network file
    // systems). A file that cannot be synced at all says EINVAL; that is no failure.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!file.commit()) return {WriteResult::Failed::Write, file.errorString()};
    return {};
}

} // namespace UserFiles
