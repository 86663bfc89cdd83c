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

bool isInstalled(const QString& programDir) {
    // <prefix>/bin/cribbage beside <prefix>/share/applications/cribbage.desktop
    const QDir bin(programDir);
    return bin.dirName() == QLatin1String("bin") &&
           QFileInfo::exists(bin.filePath(QStringLiteral("../share/applications/cribbage.desktop")));
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

} // namespace UserFiles
