// Tchat: the main window and the client of the game. It owns the connection to the game server,
// the inbound queue and its timer, the model of the table and every widget that shows it.
#pragma once

#include "client/tablestate.h"
#include "net/message.h"

#include <QColor>
#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

class ChatPanel;
class ImageLabel;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class TSock;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr quint16 kGamePort = 7772;
    static constexpr int kWidth = 766;
    static constexpr int kHeight = 530;

    explicit Tchat(QWidget* parent = nullptr);
    ~Tchat() override;

    // ---- seams wired by main (and by tests) ----
    // Everything the client sends passes here; without it the bytes go to the connection.
    std::function<void(const std::string&)> sendHook;
    // Starts the in-process server listening on a port (0: any free one); returns the port it
    // listens on, 0 when it could not.
    std::function<quint16(quint16)> listenHook;
    // Named game sounds ("turn", "points", ...).
    std::function<void(const QString&)> onSound;
    // The tally's record of a finished game: winner text ("addtomine" or a name), partner name.
    std::function<void(const QString&, const QString&)> onAddGame;
    // Called after the settings file was read / written.
    std::function<void()> onLoadIni;
    std::function<void()> onSaveIni;
    // The game start window's choices ("1"/"2" points, "1".."4" type), kept in the settings.
    std::function<std::pair<QString, QString>()> gameChoices;
    std::function<void(const QString& points, const QString& gameType)> selectGameChoices;
    // Shows a side window by name: "gamestart", "download", "tally", "spylist", "phrases",
    // "help", "about".
    std::function<void(const QString&)> showSideWindow;
    // A message box; tests replace it so that nothing blocks.
    std::function<void(const QString&)> showMessage;
    // This program hosts the table (the spectator list offers removals then).
    std::function<void()> onHosting;
    // The spectator list changed ("seat: name" entries, in order of arrival).
    std::function<void(const QStringList&)> onSpectators;
    // Called once the main window has closed (the program ends then).
    std::function<void()> onClosed;
    // A message from the server was handled (the latency bench times it).
    std::function<void(std::string_view command)> onHandled;

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The command line, read when the window is first shown.
    void setStartParameters(const QStringList& params);
    const table::State& state() const { return m_state; }
    QString ownName() const { return m_ownName; }
    int botSpeed() const { return m_botSpeed; }
    // The window's place as last read from or written to the settings file.
    QRect savedGeometry() const { return m_savedGeometry; }
    void setSavedGeometry(const QRect& r) { m_savedGeometry = r; }
    // Sends a complete message if connected; false otherwise.
    bool sendRaw(const std::string& message);

    // ---- start-up and connection ----
    void processparams(const QStringList& params);
    void hostpress();
    void joinpress();
    void sockRead();
    void sockInfo(const QString& text);

    // ---- inbound queue ----
    // Bytes as the connection delivers them: cut at the terminator and queued.
    void receiveBytes(const QByteArray& bytes);
    void queueMessage(std::string message);
    bool processsocktimer();
    void Timer1Timer();
    std::size_t queueSize() const { return m_receivedlist.size(); }
    bool timerActive() const { return m_timer1.isActive(); }
    // The phrase gate of the chat buttons, counted by Timer1.
    bool phraseGateOpen() const { return m_phraseGateOpen; }
    void closePhraseGate();

    // ---- chat, sound and settings seams ----
    void addlinetochat(const QString& line, const QColor& colour);
    void addSystemLine(const QString& text) { addlinetochat("0+" + text, Qt::blue); }
    void playsounds(const QString& name);
    void loadinifile();
    void saveinifile();

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
    void showtheirs(int seat);
    void drawPile();
    void postscore(int seat, int score);
    void movecards(int pos);

    // ---- user actions ----
    void cardimagesMouseDown(int pos, Qt::MouseButton button);
    void sortHand();
    void button_okClick();
    void button_doneClick();
    void button_startClick();
    void image_peg11MouseMove(int seat, int peg);
    void ResetScreenLocation1Click();
    void Exit1Click();
    void Fast1Click(QAction* entry);

    // ---- spectators and moderation ----
    void JustWatch1Click();
    void label_playername1ContextPopup(int seat, const QPoint& globalPos);
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void kicking(int seat);
    int popupTarget() const { return m_popupTarget; }
    QMenu* popupKick() const { return m_popupKick; }

    ChatPanel* chatPanel() const { return m_chatPanel; }
    // The seat shown at a screen position (table::Position).
    int seatAtPosition(int position) const { return m_seatAt[position]; }
    QString seatName(int seat) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct SeatItems {
        ImageLabel* cards = nullptr;
        QLabel* name = nullptr;
        QLabel* score = nullptr;
        QLabel* bonus = nullptr;
        ImageLabel* eyes = nullptr;
        ImageLabel* turn = nullptr;
        ImageLabel* winner = nullptr;
        ImageLabel* color = nullptr;
        ImageLabel* dealer = nullptr;
        ImageLabel* go = nullptr;
    };

    void buildChat();
    void buildModeration();
    void buildMenus();
    void buildBoard();
    void buildSeat(int position);
    void buildSummary();
    void nameSeatItems();
    void dispatch(std::string_view command, std::string_view args);
    void updateTimer();

    SeatItems& items(int seat) { return m_positions[m_posOfSeat[seat]]; }
    void setStatus(const QString& text);
    void addScoreLine(const QString& line);
    void showTurn(int seat);
    void hideAll(ImageLabel* SeatItems::*member);
    void drawColours();
    void showNotPlaying();
    void hideLocalCards();
    void playTurnSound();

    // Hand row (hand.cpp).
    void createCard(int pos, int code);
    void destroyCard(int pos);
    void destroyAllCards();
    void layoutHand();

    // Pegging announcements (pegboard.cpp).
    void announce(std::string_view args, bool hasKind, const QString& ownText,
                  const QString& otherText);
    QString extraSuffix(int kind) const;

    // Summary (summary.cpp).
    void placeFinalScore(int seat);
    void reportHand(int seat, int score);

    table::State m_state;
    QString m_ownName;
    QString m_hostAddress;
    std::string m_loginSuffix;
    quint16 m_port = kGamePort;
    QStringList m_params;
    bool m_paramsPending = false;
    int m_botSpeed = 1000;
    QRect m_savedGeometry{3, 3, kWidth, kHeight};
    int m_doneTag = 0;

    TSock* m_sock = nullptr;
    TSock* m_sock11 = nullptr;
    net::ReceiveBuffer m_receiveBuffer;
    std::deque<std::string> m_receivedlist;
    QTimer m_timer1;
    bool m_phraseGateOpen = true;
    int m_phraseTicks = 0;

    std::array<int, 4> m_seatAt{1, 2, 3, 4};
    std::array<int, table::kSeats + 1> m_posOfSeat{0, 0, 1, 2, 3};
    std::array<SeatItems, 4> m_positions;
    std::array<std::array<ImageLabel*, 3>, table::kSeats + 1> m_pegs{};
    std::array<ImageLabel*, table::kMaxHandPos + 1> m_cards{};

    QWidget* m_board = nullptr;
    ImageLabel* m_pegboard = nullptr;
    ImageLabel* m_turnover = nullptr;
    ImageLabel* m_played = nullptr;
    ImageLabel* m_playedFrame = nullptr;
    QLabel* m_running = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_gameType = nullptr;
    QLabel* m_playToScore = nullptr;
    QPlainTextEdit* m_scores = nullptr;
    ImageLabel* m_buttonOk = nullptr;
    ImageLabel* m_buttonStart = nullptr;
    ImageLabel* m_logo = nullptr;
    QWidget* m_chatArea = nullptr;
    ChatPanel* m_chatPanel = nullptr;

    QWidget* m_final = nullptr;
    std::array<QLabel*, table::kSeats + 1> m_finalName{};
    std::array<QLabel*, table::kSeats + 1> m_finalScore{};
    std::array<ImageLabel*, table::kSeats + 2> m_finalImage{};
    std::array<QListWidget*, table::kSeats + 2> m_finalList{};
    std::array<ImageLabel*, table::kSeats + 1> m_finalWinner{};
    QLabel* m_cribLabel = nullptr;
    ImageLabel* m_buttonDone = nullptr;

    QAction* m_startGame = nullptr;
    QAction* m_justWatch = nullptr;
    QMenu* m_popupKick = nullptr;
    std::array<QAction*, 3> m_kickEntries{};
    int m_popupTarget = 0;
    // Settings write failures reach the chat once, not at every menu click.
    QString m_lastSaveError;
};
