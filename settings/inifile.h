// The game's section of the settings file it shares with the lobby program.
#pragma once

#include "settings/userfiles.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

inline constexpr int PhraseCount = 10;

// Every value of the game's section. Members start at the values used when a key is missing.
// The main window copies its menu states into this before saving and out of it after loading.
struct IniSettings {
    int top = 3;
    int left = 3;
    int width = 766;
    int height = 530;
    int textSize = 8;
    int turnSound = 0; // 0 classic, 1 new
    bool chatterSounds = true;
    // Colour text as the chat writes it ("clBlue", "$00FF8000"); converting it is the chat's job,
    // and an unreadable text there means black.
    QString textColor = QStringLiteral("clblack");
    // The game start window's choices as their box values ("1", "2"; "1" to "4"). After loading,
    // an empty text means: leave that window's current choice as it is.
    QString playToScore = QStringLiteral("1");
    QString gameType = QStringLiteral("1");
    int botSpeed = 1000; // 2000, 1000 or 500 milliseconds
    // After loading, an empty phrase means: keep the button's built-in phrase.
    std::array<QString, PhraseCount> phrases;
    bool playSounds = true;

    QRect geometry() const { return QRect(left, top, width, height); }
    void setGeometry(const QRect& r);

    // The main window's state before the file has been read (until login).
    static IniSettings beforeLogin();
};

// The main window's place after "Reset Screen Location".
QRect defaultWindowGeometry();

// The "Text Size" menu entries; a size read from the file that is none of these checks none.
bool isTextSizeEntry(int size);

// Reads the section. A missing file or section gives the defaults; *error (if given) is set
// only when an existing file cannot be read.
IniSettings loadinifile(const QString& path = UserFiles::settingsPath(), QString* error = nullptr);

// Writes every key but the phrases. Everything else in the file (other programs' sections,
// comments, line ends) stays as it was. Returns an empty text on success, otherwise a message
// for the chat; the file is then unchanged.
QString saveinifile(const IniSettings& settings, const QString& path = UserFiles::settingsPath());

// The phrase editor's keys "Phrase1" to "Phrase10", the only writer of them.
QString savePhrases(const std::array<QString, PhraseCount>& phrases,
                    const QString& path = UserFiles::settingsPath());

// A settings file that cannot be written (a full disk, a read-only folder) fails at every menu
// click; the chat should say so once, not after each one. The next successful write re-arms it.
class ReportOnce {
public:
    // Takes the result of a write; returns the text to show, or an empty one.
    QString filter(const QString& error);

private:
    bool m_reported = false;
};

// The close rule: nothing to store (nullopt) when the window still has the saved geometry;
// otherwise the geometry to store, 15 pixels narrower (lower) when it is wider (higher) than
// the desktop's work area.
std::optional<QRect> geometryToStore(const QRect& window, const QRect& saved,
                                     const QSize& workArea);
