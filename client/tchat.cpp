// Tchat's life: creation of the window and its menus, the connection, the inbound queue with
// its dispatch, the command line, hosting and joining, the login and the roster.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "client/imagelabel.h"
#include "net/tsock.h"
#include "resources/pictures.h"
#include "rules/random.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QString fromWire(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toWire(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

Tchat::Tchat(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Cribbage"));
    setWindowIcon(pictures::appIcon());
    pictures::paintAll();

    showMessage = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Cribbage"), text);
    };

    m_sock = new TSock(this);
    m_sock->OnRead = [this](TSock*, qint64) { sockRead(); };
    m_sock->OnInfo = [this](TSock*, TSock::InfoKind, const QString& text) { sockInfo(text); };

    // The queue timer runs only while there is something to do; see updateTimer().
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1);
    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &Tchat::Timer1Timer);

    buildChat();
    buildMenus();
    buildBoard();
    buildModeration();
    resize(kWidth, kHeight);

    clearall();
    rules::seedRandomFromClock();
}

Tchat::~Tchat() {
    // The sockets report their closing while they are destroyed, after this window is gone.
    for (TSock* sock : {m_sock, m_sock11}) {
        if (!sock) continue;
        sock->OnRead = nullptr;
        sock->OnInfo = nullptr;
    }
}

void Tchat::setStartParameters(const QStringList& params) {
    m_params = params;
    m_paramsPending = true;
}

// ---------------------------------------------------------------- menus

void Tchat::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    m_startGame = add(file, "StartGame1", QStringLiteral("Start Game"));
    connect(m_startGame, &QAction::triggered, this, &Tchat::button_startClick);
    file->addSeparator();
    connect(add(file, "Exit1", QStringLiteral("Exit")), &QAction::triggered, this,
            &Tchat::Exit1Click);

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    // The sound switches and the chat's own entries belong to the chat panel.
    m_chatPanel->addSoundActions(options);

    QMenu* botSpeed = options->addMenu(QStringLiteral("Bot Speed"));
    botSpeed->setObjectName(QStringLiteral("BotSpeed1"));
    // No entry is checked until the player picks one (or the settings do); the speed is Normal.
    const std::pair<const char*, int> speeds[] = {
        {"Slow1", 2000}, {"Normal1", 1000}, {"Fast1", 500}};
    for (const auto& [name, value] : speeds) {
        QAction* a = add(botSpeed, name, QString::fromLatin1(name).chopped(1));
        a->setCheckable(true);
        a->setData(value);
        connect(a, &QAction::triggered, this, [this, a] { Fast1Click(a); });
    }

    options->addSeparator();
    m_chatPanel->addChatActions(options);
    options->addSeparator();
    connect(add(options, "ResetScreenLocation1", QStringLiteral("Reset Screen Location")),
            &QAction::triggered, this, &Tchat::ResetScreenLocation1Click);
    m_justWatch = add(options, "JustWatch1", QStringLiteral("Just Watch"));
    m_justWatch->setCheckable(true);

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    const std::pair<const char*, const char*> views[] = {
        {"ViewTally1", "tally"}, {"SpyList1", "spylist"}, {"PrhaseList1", "phrases"}};
    const char* viewTexts[] = {"View Tally", "Spy List", "Phrase List"};
    for (int i = 0; i < 3; ++i) {
        const QString window = QString::fromLatin1(views[i].second);
        connect(add(view, views[i].first, QString::fromLatin1(viewTexts[i])), &QAction::triggered,
                this, [this, window] {
                    if (showSideWindow) showSideWindow(window);
                });
    }

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = add(help, "Help2", QStringLiteral("Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] {
        if (showSideWindow) showSideWindow(QStringLiteral("help"));
    });
    connect(add(help, "About1", QStringLiteral("About")), &QAction::triggered, this, [this] {
        if (showSideWindow) showSideWindow(QStringLiteral("about"));
    });
}

void Tchat::Fast1Click(QAction* entry) {
    const auto speedActions = findChildren<QAction*>();
    for (QAction* a : speedActions) {
        const QString n = a->objectName();
        if (n == "Slow1" || n == "Normal1" || n == "Fast1") a->setChecked(a == entry);
    }
    m_botSpeed = entry->data().toInt();
    saveinifile();
}

void Tchat::ResetScreenLocation1Click() {
    setGeometry(3, 3, kWidth, kHeight);
}

void Tchat::Exit1Click() {
    close();
}

// ---------------------------------------------------------------- window events

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_paramsPending) {
        m_paramsPending = false;
        processparams(m_params);
    }
}

void Tchat::closeEvent(QCloseEvent* event) {
    // Only a moved or resized window is worth writing down.
    QRect kept = geometry();
    if (kept != m_savedGeometry) {
        if (QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            if (kept.width() > area.width()) kept.setWidth(kept.width() - 15);
            if (kept.height() > area.height()) kept.setHeight(kept.height() - 15);
        }
        m_savedGeometry = kept;
        if (kept != geometry()) setGeometry(kept);
        saveinifile();
    }
    event->accept();
    m_timer1.stop();
    if (onClosed) onClosed();
}

// ---------------------------------------------------------------- connection

void Tchat::processparams(const QStringList& params) {
    m_buttonStart->hide();
    m_startGame->setEnabled(false);
    m_loginSuffix.clear();

    if (params.isEmpty()) {
        addSystemLine(QStringLiteral("Loading Solo Game..Please wait."));
        if (showSideWindow) showSideWindow(QStringLiteral("download"));
        m_hostAddress = QStringLiteral("127.0.0.1");
        m_ownName = QStringLiteral("You");
        hostpress();
        return;
    }
    addSystemLine(QStringLiteral("Loading Multi-player Game.. Please Wait."));
    if (params.size() < 3) return;
    m_ownName = params[0];
    m_hostAddress = params[1];
    if (params[2] == QLatin1String("true"))
        hostpress();
    else
        joinpress();
    // The lobby listens here; nothing is exchanged and the outcome does not matter.
    m_sock11 = new TSock(this);
    m_sock11->setHostName(QStringLiteral("127.0.0.1"));
    m_sock11->setPortName(QStringLiteral("9001"));
    m_sock11->Open();
}

void Tchat::hostpress() {
    const quint16 listening = listenHook ? listenHook(m_port) : 0;
    if (listening == 0) {
        // The port is taken (another game?): say so, the window stays unconnected.
        addSystemLine(QStringLiteral("Listen - Error Binding Socket"));
        return;
    }
    m_loginSuffix = toWire(m_ownName) + net::kTerminator;
    m_state.host = true;
    m_sock->setHostName(QStringLiteral("127.0.0.1"));
    m_sock->setPortName(QString::number(listening));
    m_sock->Open();
    m_buttonStart->show();
    m_buttonStart->raise();
    m_startGame->setEnabled(true);
    if (onHosting) onHosting();
}

void Tchat::joinpress() {
    m_loginSuffix = toWire(m_ownName) + net::kTerminator;
    m_sock->setHostName(m_hostAddress);
    m_sock->setPortName(QString::number(m_port));
    m_sock->Open();
}

void Tchat::sockRead() {
    receiveBytes(m_sock->Receive());
}

void Tchat::sockInfo(const QString& text) {
    if (text == QLatin1String("Socket Closed")) close();
}

bool Tchat::sendRaw(const std::string& message) {
    if (!m_state.connected) return false;
    if (sendHook) {
        sendHook(message);
        return true;
    }
    return m_sock->Send(QByteArray::fromStdString(message));
}

// ---------------------------------------------------------------- inbound queue

void Tchat::receiveBytes(const QByteArray& bytes) {
    for (std::string& message :
         m_receiveBuffer.append(std::string_view(bytes.constData(), bytes.size())))
        m_receivedlist.push_back(std::move(message));
    // The buffer drops an overlong message itself, up to its terminator, so no tail of it is
    // ever taken for a message from the server.
    updateTimer();
}

void Tchat::queueMessage(std::string message) {
    m_receivedlist.push_back(std::move(message));
    updateTimer();
}

void Tchat::closePhraseGate() {
    m_phraseGateOpen = false;
    m_phraseTicks = 0;
    updateTimer();
}

// A 1 ms timer left running over an empty queue wakes the machine a thousand times a second
// for nothing, so it runs only while a message waits or the phrase gate counts.
void Tchat::updateTimer() {
    const bool busy = !m_receivedlist.empty() || !m_phraseGateOpen ||
                      (m_chatPanel && m_chatPanel->phraseGateClosed());
    if (busy && !m_timer1.isActive())
        m_timer1.start();
    else if (!busy && m_timer1.isActive())
        m_timer1.stop();
}

void Tchat::Timer1Timer() {
    processsocktimer();
    m_chatPanel->phraseGateTick();
    if (!m_phraseGateOpen && ++m_phraseTicks > 100) {
        m_phraseGateOpen = true;
        m_phraseTicks = 0;
    }
    updateTimer();
}

bool Tchat::processsocktimer() {
    if (m_receivedlist.empty()) return false;
    const std::string message = std::move(m_receivedlist.front());
    m_receivedlist.pop_front();
    const auto [command, args] = net::splitCommand(message);
    if (!command.empty()) {
        dispatch(command, args);
        if (onHandled) onHandled(command);
    }
    return true;
}

void Tchat::dispatch(std::string_view command, std::string_view args) {
    using Handler = void (Tchat::*)(std::string_view);
    struct Entry {
        std::string_view name;
        Handler handler;
    };
    static const Entry table[] = {
        {"CMD_sendlogininfo", &Tchat::sendloginfo},
        {"CMD_chat", &Tchat::chatrecieved},
        {"CMD_action", &Tchat::chatrecieved},
        {"CMD_newplayerinfo", &Tchat::newplayerinfo},
        {"CMD_existingplayers", &Tchat::newplayerinfo},
        {"CMD_playerdisconnected", &Tchat::playerdisconnected},
        {"CMD_startgame", &Tchat::startthegame},
        {"CMD_nextplayer", &Tchat::getnextplayer},
        {"CMD_winner", &Tchat::winner},
        {"CMD_justwatching", &Tchat::justwatching},
        {"CMD_mycards", &Tchat::mycards},
        {"CMD_playergive", &Tchat::playergive},
        {"CMD_needtwo", &Tchat::needtwo},
        {"CMD_setcrib", &Tchat::setcrib},
        {"CMD_gavecards", &Tchat::gavecards},
        {"CMD_turnover", &Tchat::turnover},
        {"CMD_toomuch", &Tchat::toomuch},
        {"CMD_playcard", &Tchat::playcard},
        {"CMD_extra", &Tchat::extra},
        {"CMD_total31", &Tchat::total31},
        {"CMD_total15", &Tchat::total15},
        {"CMD_pegslast", &Tchat::pegslast},
        {"CMD_pegsgo", &Tchat::pegsgo},
        {"CMD_hegoes", &Tchat::hegoes},
        {"CMD_endscore", &Tchat::endscore},
        {"CMD_final", &Tchat::final},
        {"CMD_loadstats", &Tchat::loadstats},
        {"CMD_theircards", &Tchat::theircards},
        {"CMD_middlecards", &Tchat::middlecards},
        {"CMD_playasound", &Tchat::playasound},
    };
    if (command == "CMD_havewrongversion") {
        addSystemLine(fromWire(args) + " has a different version of the game then you.");
        return;
    }
    if (command == "CMD_wrongversion") {
        addSystemLine(QStringLiteral("You have a differnt version of the game then the host."));
        return;
    }
    if (command == "CMD_full") {
        if (showMessage) showMessage(QStringLiteral("Game is full"));
        close();
        return;
    }
    if (command == "CMD_startround") return startround();
    if (command == "CMD_startagain") return startagain();
    for (const Entry& e : table) {
        if (e.name == command) {
            (this->*e.handler)(args);
            return;
        }
    }
}

// ---------------------------------------------------------------- login and roster

void Tchat::sendloginfo(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat < 1 || *seat > table::kMaxSeat) return;
    m_state.localSeat = *seat;
    m_state.connected = true;
    std::string message = net::toServer::logininfo(*seat, net::kVersion, "");
    // The builder's own empty name and its two terminators give way to the login suffix
    // (the name and one terminator) and the closing terminator.
    const std::string prefix = message.substr(0, message.find(net::kTerminator));
    sendRaw(prefix + m_loginSuffix + net::kTerminator);
    sortstuff(*seat);
}

void Tchat::newplayerinfo(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat) return;
    const QString name = fromWire(f.rest());
    if (*seat == m_state.localSeat) {
        addSystemLine(QStringLiteral("You are Connected."));
        loadinifile();
    } else {
        addSystemLine(name + " is Connected.");
    }
    if (*seat > table::kSeats) {
        m_state.spectators.append(QString::number(*seat) + ": " + name);
        if (onSpectators) onSpectators(m_state.spectators);
        if (*seat == m_state.localSeat)
            addSystemLine(QStringLiteral("You are spying."));
        else
            addSystemLine(name + " is spying.");
    } else if (*seat >= 1) {
        SeatItems& it = items(*seat);
        it.name->setText(name);
        it.name->show();
        it.score->show();
    }
    playsounds(QStringLiteral("entered"));
}

void Tchat::playerdisconnected(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat < 1) return;
    const QString name = fromWire(f.rest());
    if (*seat > table::kSeats) {
        const QString entry = QString::number(*seat) + ": " + name;
        if (m_state.spectators.removeOne(entry)) {
            addSystemLine(name + " has left.");
            if (onSpectators) onSpectators(m_state.spectators);
        }
        return;
    }
    SeatItems& it = items(*seat);
    const QString shown = it.name->text();
    if (shown != QLatin1String("<Waiting>") && shown != table::defaultName(*seat))
        addSystemLine(shown + " disconnected.");
    const bool unused =
        (m_state.gameType == 1 && *seat >= 3) || (m_state.gameType == 2 && *seat == 4);
    it.name->setText(unused ? QStringLiteral("<Waiting>") : table::defaultName(*seat));
    it.eyes->hide();
}

QString Tchat::seatName(int seat) const {
    if (!table::isPlayingSeat(seat)) return QString();
    return m_positions[m_posOfSeat[seat]].name->text();
}

// ---------------------------------------------------------------- chat, sound and settings seams

void Tchat::addlinetochat(const QString& line, const QColor& colour) {
    m_chatPanel->addlinetochat(line, colour);
}

void Tchat::chatrecieved(std::string_view args) {
    m_chatPanel->chatrecieved(fromWire(args));
}

void Tchat::playasound(std::string_view args) {
    m_chatPanel->playasound(fromWire(args));
}

void Tchat::playsounds(const QString& name) {
    if (onSound) onSound(name);
    m_chatPanel->playsounds(name);
}

void Tchat::button_startClick() {
    if (!m_state.connected) {
        if (showMessage) showMessage(QStringLiteral("You are not connected"));
        return;
    }
    if (showSideWindow) showSideWindow(QStringLiteral("gamestart"));
}
