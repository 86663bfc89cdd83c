// Plays the local seat by itself, through the same handlers as the mouse: the program's own
// two-machine test drives real copies of the game with it, and it makes a self-running table
// for a demonstration.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class Tchat;

class AutoPlayer : public QObject {
    Q_OBJECT
public:
    // startWith: as the host, the number of seated players at which it starts the game (0: it
    // never starts one); gameType "1".."4" and points "1" (to 121) or "2" (to 61) of that game.
    AutoPlayer(Tchat& chat, int startWith, QString gameType, QString points,
               QObject* parent = nullptr);

    // One look at the table. It runs after every message the table handled; during a game, and
    // while a host waits to start one, a slow watchdog runs it too. A table that only waits for
    // somebody else costs nothing.
    void step();

signals:
    // The game start, as the game start window would send it.
    void startGameRequested(const QString& gameType, const QString& points);
    // One line of progress ("seat 2", "You have Won the Game! scores ...", ...).
    void reportLine(const QString& line);
    // The game ended (0) or cannot go on (1: the connection was lost).
    void finished(int code);

private:
    void chooseCrib();
    void playCard();
    void finish(int code, const QString& line);
    void scheduleStep();

    Tchat& m_chat;
    QTimer m_watchdog;
    bool m_stepPending = false;
    int m_startWith;
    QString m_gameType;
    QString m_points;
    bool m_wasConnected = false;
    bool m_started = false;
    bool m_finished = false;
    int m_reportedSeat = 0;
    int m_summaryTicks = 0;
};
