// Tchat: the main window and the client of the game. It owns the connection to the game server,
// the inbound queue and its timer, the handlers of the server's messages and the menus; the
// table itself is the model, drawn by the views.
#pragma once

#include "client/tablemodel.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "settings/inifile.h"

#include <QColor>
#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <array>
#include <deque>
#include <string>
#include <string_view>

class BoardView;
class ChatPanel;
class HandRow;
class HintAdvisor;
class HintPanel;
class PegboardView;
class Prompts;
class QAction;
class QMenu;
class SeatsView;
class SummaryView;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr quint16 kGamePort = 7772;

    // The windows beside the table that the menus and the board open.
    enum class SideWindow {
        GameStart,
        Download,
        Tally,
        SpyList,
        Phrases,
        Help,
        About,
        WebLink,
        DealHistory
    };
    Q_ENUM(SideWindow)

    explicit Tchat(QWidget* parent = nullptr);
    ~Tchat() override;

    TableModel& model() { return m_model; }
    const TableModel& model() const { return m_model; }
    // Where message boxes and questions go; nullptr restores the boxes. Not owned.
    void setPrompts(Prompts* prompts);
    // A message box, through the prompts.
    void tellPlayer(const QString& text);

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The command line, read when the window is first shown.
    void setStartParameters(const QStringList& params);
    QString ownName() const { return m_ownName; }
    int botSpeed() const { return m_botSpeed; }
    // The window's place as last read from or written to the settings file.
    QRect savedGeometry() const { return m_savedGeometry; }
    // Sends a complete message if connected; false otherwise.
    bool sendRaw(const std::string& message);
    QString seatName(int seat) const { return m_model.seatName(seat); }
    ChatPanel* chatPanel() const { return m_chatPanel; }
    HintAdvisor& hints() const { return *m_hints; }
    // How the computer players play at a table this program hosts: 0 Classic, 1 Expert, as the
    // settings keep it. The game server inside the program reads it; at another's table the
    // host's own choice holds.
    int computerLevel() const { return m_computerLevel; }

    // ---- start-up and connection ----
    void processparams(const QStringList& params);
    // Asks for the game server to listen (listenRequested); serverListening() goes on.
    void hostpress();
    void joinpress();
    void sockRead();
    void sockInfo(const QString& text, TSock::InfoKind kind = TSock::InfoKind::Close);
    // The answer to listenRequested: the port the server listens on, 0 when it cannot.
    void serverListening(quint16 port);

    // ---- inbound queue ----
    // Bytes as the connection delivers them: cut at the terminator and queued.
    void receiveBytes(const QByteArray& bytes);
    void queueMessage(std::string message);
    bool processsocktimer();
    void Timer1Timer();
    std::size_t queueSize() const { return m_receivedlist.size(); }
    bool timerActive() const { return m_timer1.isActive(); }

    // ---- chat, sound and settings ----
    void addlinetochat(const QString& line, const QColor& colour);
    void addSystemLine(const QString& text);
    void playsounds(const QString& name);
    void loadinifile();
    void saveinifile();
    // The settings as the window holds them now.
    IniSettings currentSettings() const;
    // The game start window's choices ("1"/"2" points, "1".."4" type), kept in the settings.
    void setGameChoices(const QString& points, const QString& gameType);
    // The game start window's Start: the host starts a game with the chosen options.
    void startGame(const QString& points, const QString& gameType);
    // The phrase editor's texts for the ten phrase buttons, also stored.
    void applyPhrases(const QStringList& texts);

    // ---- handlers of server messages ----
    void sendloginfo(std::string_view args);
    void newplayerinfo(std::string_view args);
    void playerdisconnected(std::string_view args);
    void chatrecieved(std::string_view args);
    void justwatching(std::string_view args);
    void playasound(std::string_view args);
    void startthegame(std::string_view args);
    void loadstats(std::string_view args);
    void theircards(std::string_view args);
    void middlecards(std::string_view args);
    void startround();
    void startagain();
    void getnextplayer(std::string_view args);
    void playergive(std::string_view args);
    void mycards(std::string_view args);
    void needtwo(std::string_view args);
    void setcrib(std::string_view args);
    void gavecards(std::string_view args);
    void turnover(std::string_view args);
    void toomuch(std::string_view args);
    void playcard(std::string_view args);
    void hegoes(std::string_view args);
    void pegsgo(std::string_view args);
    void pegslast(std::string_view args);
    void total15(std::string_view args);
    void total31(std::string_view args);
    void extra(std::string_view args);
    void final(std::string_view args);
    void endscore(std::string_view args);
    void winner(std::string_view args);

    // ---- table operations ----
    void sortstuff(int seat);
    void clearall();
    void postscore(int seat, int score);

    // ---- the keyboard ----
    // A key pressed while the table has the keyboard: 1 to 6 take the row's cards from the
    // left, the arrows and Tab move the mark, Space takes the marked card, Enter presses OK,
    // Done or Start Game, whichever shows. True when the key was the table's.
    bool tableKeyPress(int key, Qt::KeyboardModifiers modifiers);
    // Enter: the button the table shows, through its handler; false when none shows.
    bool pressShownButton();
    HandRow* handRow() const { return m_hand; }

    // ---- user actions ----
    void cardimagesMouseDown(int pos, Qt::MouseButton button);
    void sortHand();
    void button_okClick();
    void button_doneClick();
    void button_startClick();
    void image_peg11MouseMove(int seat, int peg);
    void ResetScreenLocation1Click();
    // Asks first while the local player takes part in a game.
    void Exit1Click();
    // Closes without asking: the program ends (the table is gone, the lobby takes over).
    void closeQuietly();
    void Fast1Click(QAction* entry);
    // View > Zoom: the table at 100, 125, 150 or 200 percent, the window sized to hold it.
    void Zoom1Click(int percent);
    // One step along the zoom entries: +1 larger, -1 smaller.
    void zoomStep(int direction);
    int zoom() const { return m_zoom; }

    // ---- hints and the computer players ----
    void Hint1Click();
    void ShowDiscardValues1Click(bool checked);
    // 0 Classic, 1 Expert.
    void ComputerLevel1Click(int level);

    // ---- spectators and moderation ----
    void JustWatch1Click();
    void label_playername1ContextPopup(int seat, const QPoint& globalPos);
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void kicking(int seat);
    int popupTarget() const { return m_popupTarget; }
    QMenu* popupKick() const { return m_popupKick; }

signals:
    // Every message the client sends, as it goes out.
    void messageSent(const std::string& message);
    // Hosting needs the game server listening on a port (0: any free one); whoever runs the
    // server answers with serverListening().
    void listenRequested(quint16 port);
    // The host's own connection to that server has started from 127.0.0.1:localPort.
    void ownConnectionStarted(quint16 localPort);
    // A game sound was asked for ("turn", "points", ...), whether or not sounds are on.
    void gameSound(const QString& name);
    // A finished game for the tally: winner text ("addtomine" or a name) and partner name.
    void gameRecorded(const QString& winner, const QString& partner);
    void settingsLoaded();
    void settingsSaved();
    // The stored game start choices; an empty text keeps the window's current choice.
    void gameChoicesLoaded(const QString& points, const QString& gameType);
    void sideWindowRequested(Tchat::SideWindow window);
    // The main window has closed: the program ends.
    void closed();
    // A message from the server was handled (the latency bench times it).
    void messageHandled(const std::string& command);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildChat();
    void buildModeration();
    void buildMenus();
    void buildBoard();
    void buildGameMenu(QMenu* game);
    void buildComputerMenu(QMenu* options);
    void showComputerLevel();
    // The discard values' switch and its check mark, without saving.
    void applyDiscardValues(bool on);
    // Saves the settings with a key the player just chose through a menu, even where the value
    // stayed as it was (see saveinifile).
    void saveChoice(IniKey key);
    void buildKeys();
    void dispatch(std::string_view command, std::string_view args);
    void updateTimer();
    void openConnection(const QString& host, quint16 port);
    bool ask(const QString& question);
    void offerToClose();
    void connectionClosed();
    void endWithMessage(const QString& text);
    bool mayLeave();
    // The window's place: its frame's top left corner and the size of its inside, never below
    // the window's minimum.
    QRect fittedGeometry(const QRect& wanted) const;
    void placeWindow(const QRect& place);
    // Takes a zoom (an entry's percent) and sizes the window for it; growOnly keeps a larger
    // window as it is.
    void applyZoom(int percent, bool growOnly);
    void storeWindowPlace();

    void setStatus(const QString& text) { m_model.setStatus(text); }
    void addScoreLine(const QString& line) { m_model.logScore(line); }
    void playTurnSound();
    // The five scoring messages of the play.
    void announce(const net::ScoreChange& m, const QString& ownText, const QString& otherText);

    TableModel m_model;
    Prompts* m_prompts = nullptr;
    QString m_ownName;
    QString m_hostAddress;
    std::string m_loginSuffix;
    quint16 m_port = kGamePort;
    QStringList m_params;
    bool m_paramsPending = false;
    int m_botSpeed = 1000;
    int m_zoom = 100;
    QRect m_savedGeometry;
    QString m_points = QStringLiteral("1");
    QString m_gameTypeChoice = QStringLiteral("1");

    TSock* m_sock = nullptr;
    TSock* m_sock11 = nullptr;
    std::pair<QString, quint16> m_connectedTo;
    bool m_connecting = false; // an attempt is under way and has not connected yet
    bool m_ending = false;     // the window is on its way out; nothing more to say
    bool m_connectionLost = false;
    bool m_leaveConfirmed = false;
    net::ReceiveBuffer m_receiveBuffer;
    std::deque<std::string> m_receivedlist;
    QTimer m_timer1;

    BoardView* m_boardView = nullptr;
    PegboardView* m_pegboard = nullptr;
    SeatsView* m_seats = nullptr;
    HandRow* m_hand = nullptr;
    SummaryView* m_summary = nullptr;
    ChatPanel* m_chatPanel = nullptr;
    HintAdvisor* m_hints = nullptr;
    HintPanel* m_hintPanel = nullptr;
    int m_computerLevel = 0;

    QAction* m_startGame = nullptr;
    QAction* m_justWatch = nullptr;
    QMenu* m_popupKick = nullptr;
    std::array<QAction*, 3> m_kickEntries{};
    int m_popupTarget = 0;
    // Settings write failures reach the chat once, not at every menu click.
    ReportOnce m_saveErrors;
};
