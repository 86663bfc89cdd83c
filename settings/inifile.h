// The game's section of the settings file it shares with the lobby program.
#pragma once

#include "settings/userfiles.h"

#include <QFlags>
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
    // How the computer players of a hosted table play: 0 Classic, 1 Expert.
    int computerLevel = 0;
    // The discard values open by themselves at every giving.
    bool discardValues = false;
    // The table's zoom in percent: one of 100, 125, 150 and 200 (View > Zoom).
    int zoom = 100;

    QRect geometry() const { return QRect(left, top, width, height); }
    void setGeometry(const QRect& r);

    // The main window's state before the file has been read (until login).
    static IniSettings beforeLogin();
};

// The main window's place after "Reset Screen Location".
QRect defaultWindowGeometry();

// The "Text Size" menu entries; a size read from the file that is none of these checks none.
bool isTextSizeEntry(int size);

// The View > Zoom entries, in percent; anything else read from the file means 100.
bool isZoomEntry(int percent);

// The keys saveinifile() writes, one flag each.
enum class IniKey : unsigned {
    Top = 1u << 0,
    Left = 1u << 1,
    Width = 1u << 2,
    Height = 1u << 3,
    Textsize = 1u << 4,
    Turnsound = 1u << 5,
    ChatterSounds = 1u << 6,
    Textcolor = 1u << 7,
    Playtoscore1 = 1u << 8,
    Gametype = 1u << 9,
    Botspeed = 1u << 10,
    Playsounds = 1u << 11,
    ComputerLevel = 1u << 12,
    DiscardValues = 1u << 13,
    Zoom = 1u << 14,
};
Q_DECLARE_FLAGS(IniKeys, IniKey)
Q_DECLARE_OPERATORS_FOR_FLAGS(IniKeys)
inline constexpr IniKeys AllIniKeys = IniKeys::fromInt((1u << 15) - 1);

// Reads the section. A missing file or section gives the defaults; *error (if given) is set
// only when an existing file cannot be read.
IniSettings loadinifile(const QString& path = UserFiles::settingsPath(), QString* error = nullptr);

// Writes the given keys (all but the phrases by default). Everything else in the file (other
// keys, other programs' sections, comments, line ends) stays as it was; with no keys the file is
// not touched at all. Returns an empty text on success, otherwise a message for the chat; the
// file is then unchanged.
QString saveinifile(const IniSettings& settings, const QString& path = UserFiles::settingsPath(),
                    IniKeys keys = AllIniKeys);

// The keys whose written text differs between two states.
IniKeys differingKeys(const IniSettings& a, const IniSettings& b);

// Which keys a save writes. Until the file has been read (at login) the window holds its own
// defaults, and writing them would replace what the player keeps in the file (after "Game is
// full", a failed listen, a table that never answered): until then only what the player
// changed is written. Once the file has been read, every key is, as always.
class IniChanges {
public:
    // What the window held before the player could change anything.
    void setStart(const IniSettings& start);
    // The window's place as the desktop settled it; before the player could move it.
    void setStartGeometry(const QRect& geometry);
    bool started() const { return m_started; }
    void setLoaded() { m_loaded = true; }
    bool loaded() const { return m_loaded; }

    // The keys to write now that the window holds `now`. `chosen` are keys the player set
    // through a menu even where the value stayed (picking the bot speed the window already
    // ran at). A key changed once stays changed: each save writes all of them again.
    IniKeys keysToWrite(const IniSettings& now, IniKeys chosen = {});

private:
    IniSettings m_start;
    IniKeys m_changed;
    bool m_started = false;
    bool m_loaded = false;
};

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
