// Where the player's own files (settings and tally) live.
#pragma once

#include <QByteArray>
#include <QString>

namespace UserFiles {

// The game's name: the section of the settings file and the start of the tally file's name.
inline constexpr char GameName[] = "Cribbage";
inline constexpr char SettingsFileName[] = "rudedidevaz.ini";
inline constexpr char TallySuffix[] = "tally.tld";

// The program's directory when it is writable (a copy unpacked somewhere the user owns, which
// the lobby program shares), otherwise fallbackDir. An installed program (a bin/ folder beside
// share/applications/cribbage.desktop) always uses fallbackDir.
QString chooseDirectory(const QString& programDir, const QString& fallbackDir);

// The user's configuration folder for the game.
QString configDirectory();

// The directory both files are read from and written to. A non-empty override replaces the
// choice (tests, tools); an empty one restores it.
QString directory();
void setDirectoryOverride(const QString& dir);

QString settingsPath();
QString tallyFileName();
QString tallyPath();

// Creates the folder of a file about to be written; false if it cannot be made.
bool makeParentDirectory(const QString& filePath);

// What became of replacing a file.
struct WriteResult {
    enum class Failed { Nothing, Folder, Open, Write };
    Failed failed = Failed::Nothing;
    QString reason; // the system's words ("No space left on device"), when it gave any
    bool ok() const { return failed == Failed::Nothing; }
};

// Replaces a file with new content as one step: the content goes to a new file beside it, and
// only when every write, the flush and the sync to disk went through does it take the old
// one's name. On any failure the old file stays as it was, byte for byte.
WriteResult replaceFile(const QString& path, const QByteArray& content);

} // namespace UserFiles
