// Where the player's own files (settings and tally) live.
#include "settings/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace UserFiles {

namespace {
QString& directoryOverride() {
    static QString dir;
    return dir;
}
} // namespace

QString chooseDirectory(const QString& programDir, const QString& fallbackDir) {
    const QFileInfo info(programDir);
    if (!programDir.isEmpty() && info.isDir() && info.isWritable())
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

} // namespace UserFiles
