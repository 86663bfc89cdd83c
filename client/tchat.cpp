// Tchat's life: creation of the window and its menus, the connection, the inbound queue with
// its dispatch, the command line, hosting and joining, the login and the roster.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "client/boardview.h"
#include "client/handrow.h"
#include "client/hintadvisor.h"
#include "client/hintpanel.h"
#include "client/pegboardview.h"
#include "client/prompts.h"
#include "client/seatsview.h"
#include "client/summaryview.h"
#include "client/tablescale.h"
#include "resources/pictures.h"
#include "rules/random.h"
#include "settings/inifile.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace {

QString fromWire(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toWire(const QString& text) {
    return text.toUtf8().toStdString();
}

Prompts& defaultPrompts() {
    static Prompts prompts;
    return prompts;
}

} // namespace

Tchat::Tchat(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Cribbage"));
    setWindowIcon(pictures::appIcon());
    pictures::paintAll();

    m_sock = new TSock(this);
    m_sock->OnRead = [this](TSock*, qint64) { sockRead(); };
    m_sock->OnInfo = [this](TSock*, TSock::InfoKind kind, const QString& text) {
        sockInfo(text, kind);
    };

    // The queue timer runs only while there is something to do; see updateTimer().
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1);
    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &Tchat::Timer1Timer);

    buildChat();
    m_hints = new HintAdvisor(m_model, this);
    buildMenus();
    buildBoard();
    buildKeys();
    buildModeration();
    // Until the settings file is read at login, the window holds the settings' own "before
    // login" values (no Text Size entry checked yet, chatter sounds off).
    const IniSettings before = IniSettings::beforeLogin();
    m_savedGeometry = fittedGeometry(before.geometry());
    resize(m_savedGeometry.size());
    m_botSpeed = before.botSpeed;
    m_chatPanel->view()->setTextSize(before.textSize);
    m_chatPanel->setPlayChatterSounds(before.chatterSounds);
    m_chatPanel->setPlaySounds(before.playSounds);
    m_chatPanel->setTurnSound(before.turnSound);

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

void Tchat::setPrompts(Prompts* prompts) {
    m_prompts = prompts;
}

void Tchat::tellPlayer(const QString& text) {
    (m_prompts ? *m_prompts : defaultPrompts()).tell(this, text);
}

bool Tchat::ask(const QString& question) {
    return (m_prompts ? *m_prompts : defaultPrompts()).ask(this, question);
}

void Tchat::setStartParameters(const QStringList& params) {
    m_params = params;
    m_paramsPending = true;
}

// ---------------------------------------------------------------- the board

// The views are built in the board's stacking order, each above the ones before it.
void Tchat::buildBoard() {
    m_boardView = new BoardView(m_model, this);
    QWidget* board = m_boardView->board();
    m_pegboard = new PegboardView(m_model, board);
    m_seats = new SeatsView(m_model, board);
    m_hand = new HandRow(m_model, board);
    m_hintPanel = new HintPanel(m_model, *m_hints, board);
    m_boardView->buildSide();
    m_summary = new SummaryView(m_model, board);

    auto* chatLayout = new QVBoxLayout(m_boardView->chatArea());
    chatLayout->setContentsMargins(0, 0, 0, 0);
    m_chatPanel->setParent(m_boardView->chatArea());
    chatLayout->addWidget(m_chatPanel);
    connect(&m_boardView->scale(), &TableScale::factorChanged, m_chatPanel, &ChatPanel::setScale);

    // After the summary's own, so the button lies over the open summary, clear of its text.
    connect(&m_model, &TableModel::summaryOpened, m_boardView, &BoardView::showStartOffered);
    connect(&m_model, &TableModel::summaryChanged, m_boardView, &BoardView::showStartOffered);
    connect(m_boardView, &BoardView::startPressed, this, &Tchat::button_startClick);
    connect(m_boardView, &BoardView::logoPressed, this,
            [this] { emit sideWindowRequested(SideWindow::WebLink); });
    connect(m_hand, &HandRow::cardPressed, this, &Tchat::cardimagesMouseDown);
    connect(m_hand, &HandRow::okPressed, this, &Tchat::button_okClick);
    connect(m_hintPanel, &HintPanel::hintPressed, this, &Tchat::Hint1Click);
    connect(m_summary, &SummaryView::donePressed, this, &Tchat::button_doneClick);
    connect(m_seats, &SeatsView::nameMenuRequested, this, &Tchat::label_playername1ContextPopup);
}

// ---------------------------------------------------------------- menus

void Tchat::buildMenus() {
    auto add = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    m_startGame = add(file, "StartGame1", QStringLiteral("&Start Game"));
    connect(m_startGame, &QAction::triggered, this, &Tchat::button_startClick);
    file->addSeparator();
    QAction* exit = add(file, "Exit1", QStringLiteral("E&xit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &Tchat::Exit1Click);

    QMenu* game = bar->addMenu(tr("&Game"));
    game->setObjectName(QStringLiteral("Game1"));
    buildGameMenu(game);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    // The sound switches and the chat's own entries belong to the chat panel.
    m_chatPanel->addSoundActions(options);

    QMenu* botSpeed = options->addMenu(QStringLiteral("&Bot Speed"));
    botSpeed->setObjectName(QStringLiteral("BotSpeed1"));
    // No entry is checked until the player picks one (or the settings do); the speed is Normal.
    const std::pair<const char*, int> speeds[] = {
        {"Slow1", 2000}, {"Normal1", 1000}, {"Fast1", 500}};
    for (const auto& [name, value] : speeds) {
        QAction* a = add(botSpeed, name, QLatin1Char('&') + QString::fromLatin1(name).chopped(1));
        a->setCheckable(true);
        a->setData(value);
        connect(a, &QAction::triggered, this, [this, a] { Fast1Click(a); });
    }
    buildComputerMenu(options);

    options->addSeparator();
    m_chatPanel->addChatActions(options);
    options->addSeparator();
    connect(add(options, "ResetScreenLocation1", QStringLiteral("&Reset Screen Location")),
            &QAction::triggered, this, &Tchat::ResetScreenLocation1Click);
    m_justWatch = add(options, "JustWatch1", QStringLiteral("&Just Watch"));
    m_justWatch->setCheckable(true);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    const struct {
        const char* name;
        const char* text;
        SideWindow window;
    } views[] = {{"ViewTally1", "View &Tally", SideWindow::Tally},
                 {"SpyList1", "&Spy List", SideWindow::SpyList},
                 {"PrhaseList1", "&Phrase List", SideWindow::Phrases},
                 {"DealHistory1", "&Deal History", SideWindow::DealHistory}};
    for (const auto& v : views) {
        const SideWindow window = v.window;
        connect(add(view, v.name, QString::fromLatin1(v.text)), &QAction::triggered, this,
                [this, window] { emit sideWindowRequested(window); });
    }

    view->addSeparator();
    QMenu* zoom = view->addMenu(tr("&Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    QAction* zoomIn = add(zoom, "ZoomIn1", tr("Zoom &In"));
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    connect(zoomIn, &QAction::triggered, this, [this] { zoomStep(+1); });
    QAction* zoomOut = add(zoom, "ZoomOut1", tr("Zoom &Out"));
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOut, &QAction::triggered, this, [this] { zoomStep(-1); });
    zoom->addSeparator();
    auto* zooms = new QActionGroup(this);
    for (const int percent : {100, 125, 150, 200}) {
        QAction* a = add(zoom, "", QStringLiteral("&%1%").arg(percent));
        a->setObjectName(QStringLiteral("Zoom%1").arg(percent));
        a->setCheckable(true);
        a->setChecked(percent == m_zoom);
        a->setData(percent);
        zooms->addAction(a);
        connect(a, &QAction::triggered, this, [this, percent] { Zoom1Click(percent); });
    }

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = add(help, "Help2", QStringLiteral("&Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this,
            [this] { emit sideWindowRequested(SideWindow::Help); });
    connect(add(help, "About1", QStringLiteral("&About")), &QAction::triggered, this,
            [this] { emit sideWindowRequested(SideWindow::About); });
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

void Tchat::Zoom1Click(int percent) {
    if (!isZoomEntry(percent)) return;
    applyZoom(percent, false);
    saveinifile();
}

void Tchat::zoomStep(int direction) {
    static constexpr int steps[] = {100, 125, 150, 200};
    int at = 0;
    for (int i = 0; i < 4; ++i)
        if (steps[i] <= m_zoom) at = i;
    const int next = std::clamp(at + (direction > 0 ? 1 : -1), 0, 3);
    if (steps[next] != m_zoom) Zoom1Click(steps[next]);
}

void Tchat::applyZoom(int percent, bool growOnly) {
    if (!isZoomEntry(percent)) percent = 100;
    m_zoom = percent;
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName().startsWith(QLatin1String("Zoom")) && a->isCheckable())
            a->setChecked(a->data().toInt() == percent);
    const double factor = percent / 100.0;
    m_boardView->setZoom(factor);
    // The table's area at this zoom, and what the window adds around it (its menu bar).
    const QSize area(qCeil(TableScale::kWidth * factor), qCeil(TableScale::kHeight * factor));
    const QSize around = isVisible() && centralWidget() ? size() - centralWidget()->size()
                                                        : QSize(0, menuBar()->sizeHint().height());
    QSize wanted = area + around;
    // A zoom larger than the screen gets the screen; the table then fits what there is.
    if (const QScreen* s = screen()) wanted = wanted.boundedTo(s->availableGeometry().size());
    if (growOnly) wanted = wanted.expandedTo(size());
    resize(wanted.expandedTo(minimumSizeHint()));
}

// ---------------------------------------------------------------- window events

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The table has the keyboard first: the chat's line is a click or a Tab away.
    if (!focusWidget()) m_boardView->board()->setFocus();
    if (m_paramsPending) {
        m_paramsPending = false;
        processparams(m_params);
    }
}

// ---------------------------------------------------------------- inbound queue

void Tchat::receiveBytes(const QByteArray& bytes) {
    for (std::string& message :
         m_receiveBuffer.append(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        m_receivedlist.push_back(std::move(message));
    // The buffer drops an overlong message itself, up to its terminator, so no tail of it is
    // ever taken for a message from the server.
    updateTimer();
}

void Tchat::queueMessage(std::string message) {
    m_receivedlist.push_back(std::move(message));
    updateTimer();
}

// A 1 ms timer left running over an empty queue wakes the machine a thousand times a second
// for nothing, so it runs only while a message waits.
void Tchat::updateTimer() {
    const bool busy = !m_receivedlist.empty();
    if (busy && !m_timer1.isActive())
        m_timer1.start();
    else if (!busy && m_timer1.isActive())
        m_timer1.stop();
}

void Tchat::Timer1Timer() {
    processsocktimer();
    updateTimer();
    if (m_connectionLost && m_receivedlist.empty()) connectionClosed();
}

bool Tchat::processsocktimer() {
    if (m_receivedlist.empty()) return false;
    const std::string message = std::move(m_receivedlist.front());
    m_receivedlist.pop_front();
    const auto [command, args] = net::splitCommand(message);
    if (!command.empty()) {
        dispatch(command, args);
        emit messageHandled(std::string(command));
    }
    return true;
}

// A message is read whole before any handler acts: one that does not read (a field missing or
// out of its range, a command we do not know) is dropped and changes nothing.
void Tchat::dispatch(std::string_view command, std::string_view args) {
    if (!net::toClient::isValid(command, args)) return;
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
        const auto name = net::toClient::readHavewrongversion(args);
        if (name) addSystemLine(fromWire(*name) + " has a different version of the game then you.");
        return;
    }
    if (command == "CMD_wrongversion") {
        addSystemLine(QStringLiteral("You have a differnt version of the game then the host."));
        return;
    }
    if (command == "CMD_full") {
        tellPlayer(QStringLiteral("Game is full"));
        closeQuietly();
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
    const auto seat = net::toClient::readSendlogininfo(args);
    if (!seat) return;
    m_model.login(*seat);
    std::string message = net::toServer::logininfo(*seat, net::kVersion, "");
    // The builder's own empty name and its two terminators give way to the login suffix
    // (the name and one terminator) and the closing terminator.
    const std::string prefix = message.substr(0, message.find(net::kTerminator));
    sendRaw(prefix + m_loginSuffix + net::kTerminator);
    sortstuff(*seat);
}

void Tchat::sortstuff(int seat) {
    m_model.sortstuff(seat);
}

void Tchat::newplayerinfo(std::string_view args) {
    // CMD_existingplayers has the same fields.
    const auto m = net::toClient::readNewplayerinfo(args);
    if (!m) return;
    const int seat = m->seat;
    const QString name = fromWire(m->text);
    if (seat == m_model.localSeat()) {
        addSystemLine(QStringLiteral("You are Connected."));
        loadinifile();
    } else {
        addSystemLine(name + " is Connected.");
    }
    if (seat > table::kSeats) {
        m_model.addSpectator(seat, name);
        if (seat == m_model.localSeat())
            addSystemLine(QStringLiteral("You are spying."));
        else
            addSystemLine(name + " is spying.");
    } else {
        m_model.seatPerson(seat, name);
    }
    playsounds(QStringLiteral("entered"));
}

void Tchat::playerdisconnected(std::string_view args) {
    const auto m = net::toClient::readPlayerdisconnected(args);
    if (!m) return;
    const int seat = m->seat;
    const QString name = fromWire(m->text);
    if (seat > table::kSeats) {
        if (m_model.removeSpectator(seat, name)) addSystemLine(name + " has left.");
        return;
    }
    const QString shown = m_model.seatName(seat);
    if (shown != table::kWaiting && shown != table::defaultName(seat))
        addSystemLine(shown + " disconnected.");
    m_model.seatLeft(seat);
}

// ---------------------------------------------------------------- chat, sound and start

void Tchat::addlinetochat(const QString& line, const QColor& colour) {
    m_chatPanel->addlinetochat(line, colour);
}

void Tchat::addSystemLine(const QString& text) {
    addlinetochat(QStringLiteral("0+") + text, Qt::blue);
}

void Tchat::chatrecieved(std::string_view args) {
    // CMD_action has the same fields.
    if (const auto m = net::toClient::readChat(args))
        m_chatPanel->chatrecieved(QString::number(m->seat) + QLatin1Char('+') + fromWire(m->text));
}

void Tchat::playasound(std::string_view args) {
    if (net::toClient::readPlayasound(args)) m_chatPanel->playasound(fromWire(args));
}

void Tchat::playsounds(const QString& name) {
    emit gameSound(name);
    m_chatPanel->playsounds(name);
}

void Tchat::button_startClick() {
    if (!m_model.connected()) {
        tellPlayer(QStringLiteral("You are not connected"));
        return;
    }
    emit sideWindowRequested(SideWindow::GameStart);
}

void Tchat::setGameChoices(const QString& points, const QString& gameType) {
    m_points = points;
    m_gameTypeChoice = gameType;
}

void Tchat::startGame(const QString& points, const QString& gameType) {
    setGameChoices(points, gameType);
    // The same builder as the server's reader: the name cut at the limit, the fields in order.
    sendRaw(net::toServer::startgame(toWire(m_ownName), toWire(points), gameType.toInt()));
    saveinifile();
}
