// The tally of finished games: own totals and the counts against each followed opponent.
#pragma once

#include "settings/userfiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The table behind the tally window. Row 0 holds the local player's totals; row i + 1 belongs to
// followed()[i]. Columns 1 to 4 count over all time, 5 to 8 since the program started.
class Tally {
public:
    static constexpr int ColumnCount = 9;
    enum Column {
        NameColumn = 0,
        Games = 1,      // row 0: total games; opponent rows: games played together
        TheirWins = 2,  // row 0: own wins; opponent rows: games the opponent won
        YourWins = 3,   // games the local player's side won
        NeitherWon = 4, // games somebody else won
        SessionGames = 5,
        SessionTheirWins = 6,
        SessionYourWins = 7,
        SessionNeitherWon = 8,
    };
    // The winner text meaning: the local player's side won.
    static inline const QString AddToMine = QStringLiteral("addtomine");
    // The name label of an empty seat; such a seat is never in the current-game list.
    static inline const QString Waiting = QStringLiteral("<Waiting>");

    Tally();

    int rowCount() const { return int(m_rows.size()); }
    QString cell(int column, int row) const;
    // A cell as a number; a text that is not one counts as 0.
    int value(int column, int row) const;

    int totalGames() const { return value(Games, 0); }
    int ownWins() const { return value(TheirWins, 0); }

    // The "Players Being Tallied" list, in table order.
    const QStringList& followed() const { return m_followed; }
    int followedIndex(const QString& name) const;
    bool isFollowed(const QString& name) const { return followedIndex(name) >= 0; }
    // Columns 1 to 8 of followed()[index]: what label_1 to label_8 show. Index 0 is column 1.
    std::array<int, 8> opponent(int index) const;

    // The "Players In Current Game" list: the other seats' name labels (the local seat left out
    // by the caller). Empty seats are skipped.
    void loadchecklist(const QStringList& otherSeatNames);
    const QStringList& currentGame() const { return m_currentGame; }

    // Starts following a name (a new row of zeros). False if it is followed already or has no
    // printable character.
    bool follow(const QString& name);
    // Stops following followed()[index] and drops its row.
    bool unfollow(int index);
    // "Reset Tally": row 0 only, every count 0, nothing followed.
    void reset();

    // Records one finished game from the current-game list (refresh it with loadchecklist
    // first). winner is AddToMine or the winner's name; partner the winning partner's name
    // when an opposing partnership won, otherwise empty.
    void addgame(const QString& winner, const QString& partner);
    int addit(int column, int row);
    void addtomineincrease(int column);

    // The text layout stored in the tally file.
    QByteArray toText() const;
    // Replaces the table with a stored text (and runs the load step: the followed list from
    // the names, session columns 0). False, and the table untouched, if it is not such a text.
    bool fromText(const QByteArray& text);

    // Names come from other people's programs. Control characters would break the text layout
    // (a line break shifts every later cell), so names are kept without them.
    static QString cleanName(const QString& name);

    // Loading and storing the tally file. load() returns the message to show the user (empty
    // when the file was read or does not exist); on failure the tally stays at zero and the
    // file is remembered, so that store() first moves it aside as <file>.bad (or .bad.1, ...
    // when that name is taken) instead of overwriting what the player had. store() returns an
    // empty text on success, otherwise the message; the old file is then unchanged.
    QString load(const QString& path = UserFiles::tallyPath());
    QString store(const QString& path = UserFiles::tallyPath());
    bool loadFailed() const { return !m_damagedPath.isEmpty(); }
    // Moves the file that could not be read aside now, as store() would, so that the player
    // can be told where it is. Returns the copy's name; empty when there is nothing to move or
    // it cannot be moved (store() then still refuses to write over it).
    QString keepDamagedFile();

private:
    using Row = std::array<QString, ColumnCount>;
    static Row zeroRow(const QString& name);
    void setValue(int column, int row, int v);

    QList<Row> m_rows;
    QStringList m_followed;
    QStringList m_currentGame;
    QString m_damagedPath;
};
