// The chat beside the card table: view, entry line, phrase buttons, smilies and chatter sounds.
#pragma once

#include "chat/chatview.h"

#include <QColor>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class SoundPlayer;

class ChatPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChatPanel(QWidget* parent = nullptr);

    static constexpr int kPhraseCount = 10;
    static constexpr int kChatterSoundCount = 20;
    static inline const QString kPlaceholder = QStringLiteral("<Enter Chat Here>");
    // The colour of every system line.
    static QColor systemColour() { return QColor(0, 0, 255); }

    // What the panel knows of the table: the local seat, whether it is logged in, and the names
    // the seats' labels show (a chatter sound's line names its sender).
    void setLocalSeat(int seat) { m_seat = seat; }
    void setConnected(bool connected) { m_connected = connected; }
    void setSeatName(int seat, const QString& name);

    // Appends "seat+display text" in the given colour; system lines are "0+text" in
    // systemColour().
    void addlinetochat(const QString& line, const QColor& colour);
    // CMD_chat and CMD_action from the server: "seat+display text|colour text".
    void chatrecieved(const QString& args);
    // CMD_playasound from the server: "seat+waveN+".
    void playasound(const QString& args);
    // Plays a game sound when Play Sounds is checked.
    void playsounds(const QString& name);
    // "turnnew" or "turn", after the Turn Sound choice.
    QString turnSoundName() const;

    // A phrase closes the gate; the gate's own 1 ms timer counts it open again after 100 ticks.
    // Tests call the tick handler directly.
    void phraseGateTick();
    bool phraseGateClosed() const { return m_gateClosed; }
    bool phraseGateCounting() const { return m_gateTimer.isActive(); }

    // Settings. The setters take stored values and do not report a change.
    QColor chatColour() const { return m_chatColour; }
    void setChatColour(const QColor& colour);
    QString chatColourText() const;                  // for "Textcolor"
    void setChatColourText(const QString& text);     // unreadable text gives black
    int textSize() const;                            // for "Textsize"
    void setTextSize(int points);                    // checks the matching Text Size entry
    QString phrase(int number) const;                // 1..10
    void setPhrase(int number, const QString& text); // the phrase editor and "PhraseN"
    static QString builtInPhrase(int number);
    bool playSounds() const;
    void setPlaySounds(bool on);
    bool playChatterSounds() const;
    void setPlayChatterSounds(bool on);
    int turnSound() const; // 0 classic, 1 new
    void setTurnSound(int choice);
    bool scrollChatOff() const;
    void setScrollChatOff(bool on);

    // The Options menu entries, in menu order: Play Sounds, Play Chatter Sounds, Turn Sound;
    // and Text Color, Action Color, Text Size, Scroll Chat Off, Clear Main Chat.
    void addSoundActions(QMenu* options);
    void addChatActions(QMenu* options);

    ChatView* view() const { return m_mainchat; }
    // The one player of the program's sounds, so that a new sound cuts off the one playing;
    // null in a build without the player.
    SoundPlayer* soundPlayer() const { return m_player; }
    QLineEdit* entry() const { return m_mychat; }
    // The table's scale: the chat's text, entry line and buttons grow with the table.
    void setScale(double scale);
    static QString chatterSoundText(int number); // 0 "<Cancel>", 1..20

    // Handlers, public so that the owner and tests can reach them.
    void sendit();
    void b_phrase1Click(int number);
    void b_phrase10Click();
    void button_smiliesClick();
    void N271Click(QAction* entry);
    void wave12Click(QAction* entry);
    void mainchatJump(int number);
    void SelectAll1Click();
    void Copy1Click();
    void ClearMainChat1Click();
    void Paste1Click();
    void TextColor1Click();
    void N14Click(QAction* entry);
    void PlaySounds1Click();
    void PlayChatterSounds1Click();
    void New1Click(QAction* entry);

signals:
    // A complete message for the server, terminator included.
    void messageReady(const std::string& message);
    // A setting changed through a menu; the owner saves the settings file.
    void settingsChanged();
    // A sound that starts (also when no device sounds it): "wave1".."wave20", or a game sound.
    void chatterSoundPlayed(const QString& name);
    void gameSoundPlayed(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The desktop's "open" for a link; false when it could not.
    virtual bool openUrl(const QUrl& url);
    virtual void showMessage(const QString& text);
    // The colour dialog; nullopt when the player cancels.
    virtual std::optional<QColor> chooseColour(const QColor& current);

private:
    QAction* makeAction(const QString& name, const QString& text, QObject* parent);
    void buildMenus();
    void buildOptions();
    bool isConnected() const { return m_connected; }
    int seat() const { return m_seat; }
    void changed();
    void play(const QString& name, bool chatter);

    ChatView* m_mainchat = nullptr;
    QLineEdit* m_mychat = nullptr;
    std::array<QPushButton*, kPhraseCount> m_phraseButtons{};
    std::array<QString, kPhraseCount> m_phrases;
    QToolButton* m_smilies = nullptr;
    QFont m_buttonFont; // the phrase buttons' font at 100%
    QMenu* m_popupMainchat = nullptr;
    QMenu* m_popupMychat = nullptr;
    QMenu* m_popupSmilies = nullptr;
    QMenu* m_popupSounds = nullptr;
    QMenu* m_textSizeMenu = nullptr;
    QMenu* m_turnSoundMenu = nullptr;
    QActionGroup* m_textSizes = nullptr;
    QAction* m_scrollOff1 = nullptr; // in the view's menu
    QAction* m_scrollOff2 = nullptr; // in the Options menu
    QAction* m_textColour = nullptr;
    QAction* m_actionColour = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_playSounds = nullptr;
    QAction* m_playChatter = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_new = nullptr;
    SoundPlayer* m_player = nullptr;

    QColor m_chatColour = Qt::black;
    int m_seat = 0;
    bool m_connected = false;
    std::array<QString, 5> m_seatNames; // seats 1..4
    bool m_gateClosed = false;
    int m_gateTicks = 0;
    QTimer m_gateTimer;
};
