// The tally window: games and wins against the followed players, and the choice whom to follow.
#pragma once

#include "settings/tally.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

class Ttallylist : public QWidget {
    Q_OBJECT
public:
    // Loads the tally from `path` (the player's tally file by default).
    explicit Ttallylist(QWidget* parent = nullptr, const QString& path = UserFiles::tallyPath());
    // Stores the tally (the program's end).
    ~Ttallylist() override;

    Tally& tally() { return m_tally; }
    const Tally& tally() const { return m_tally; }

    // The message of a tally file that could not be read at start (empty when all was well);
    // it names the copy the damaged file was kept as.
    QString loadMessage() const { return m_loadMessage; }
    // Writes the tally now; an empty text on success, otherwise the message.
    QString FormDestroy();

    // View, View Tally: refills the current-game list from the other seats' names and shows.
    void ViewTally1Click(const QStringList& otherSeatNames);
    // Records a finished game (the local player in a playing seat; see Tally::addgame) and
    // writes the tally at once, so that the game is kept whatever ends the program later.
    // Returns an empty text, or the message of a tally that could not be written.
    QString addgame(const QString& winner, const QString& partner,
                    const QStringList& otherSeatNames);

    void FlatButton1Click(); // Done
    void FlatButton2Click(); // Reset Tally
    void listbox_tallyClick(int index);
    void listbox_tallyClickCheck(int index);
    void checklistClickCheck(int index);

    QListWidget* followedList() const { return m_followedList; }
    QListWidget* currentGameList() const { return m_checklist; }

protected:
    // A Yes/No question; true for Yes. Tests answer it.
    virtual bool ask(const QString& question);

private:
    void refreshLists();
    void refreshTotals();
    void showOpponent(int index);
    void clearOpponent();

    Tally m_tally;
    QString m_path;
    QString m_loadMessage;
    bool m_stored = false;
    bool m_refreshing = false;
    int m_selected = -1;

    QListWidget* m_followedList = nullptr;
    QListWidget* m_checklist = nullptr;
    QLabel* m_mylabels[5] = {};
    QLabel* m_labels[9] = {};
    QLabel* m_hisname = nullptr;
    QLabel* m_hisnametop = nullptr;
};
