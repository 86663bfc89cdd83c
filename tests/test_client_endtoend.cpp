// Whole games against the program's own server over a real socket: the test plays the local
// seat with mouse clicks on the real widgets while the computer players play the others.
//
// With CRIBBAGE_SCREENSHOTS set to a folder, the 4-player game leaves pictures of the crib
// choice, the play, the summary and the winner there; with CRIBBAGE_SCREENSHOT_ZOOM (125, 150
// or 200) the table is zoomed first and the pictures' names end in the zoom;
// CRIBBAGE_SCREENSHOT_SEED deals another game.
#include "client/autoplay.h"
#include "client/dealhistory.h"
#include "client/tablescale.h"
#include "client/tchat.h"
#include "rules/cards.h"
#include "rules/expert.h"
#include "rules/random.h"
#include "server/tserver.h"
#include "settings/tgamestart.h"
#include "test_client_support.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTableWidget>
#include <map>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

struct GameCase {
    int type;
    const char* points; // "1" to 121, "2" to 61
};

class EndToEnd : public ::testing::TestWithParam<GameCase> {
protected:
    static constexpr std::uint32_t kSeed = 20240611;

    void SetUp() override {
        testApp();
        // The settings a login reads and the start of a game writes stay in a scratch folder.
        UserFiles::setDirectoryOverride(files.path());
        server = std::make_unique<TServer>();
        shots = qEnvironmentVariable("CRIBBAGE_SCREENSHOTS");
        // Pictures are taken while the table waits; a slower pace keeps the summary up long
        // enough to be taken on a busy machine.
        server->setBotSpeedSource([this] { return shots.isEmpty() ? 1 : 40; });
        chat = std::make_unique<Tchat>();
        // The window seeds the program's generator from the clock; a fixed deal makes every
        // run the same game, so its screenshots can be compared picture for picture.
        const int seed = qEnvironmentVariableIntValue("CRIBBAGE_SCREENSHOT_SEED");
        rules::setRandomSeed(shots.isEmpty() || seed == 0 ? kSeed : std::uint32_t(seed));
        gamestart = std::make_unique<Tgamestart>();
        chat->setPort(0); // any free port, never the game's own
        QObject::connect(chat.get(), &Tchat::listenRequested, [this](quint16 port) {
            chat->serverListening(server->listen(port) ? server->listeningPort() : 0);
        });
        chat->setPrompts(&prompts);
        if (SoundPlayer* player = chat->chatPanel()->soundPlayer()) player->setMuted(true);
        QObject::connect(chat.get(), &Tchat::sideWindowRequested, [this](Tchat::SideWindow w) {
            if (w == Tchat::SideWindow::GameStart) gamestart->show();
        });
        QObject::connect(chat.get(), &Tchat::gameChoicesLoaded, gamestart.get(),
                         &Tgamestart::selectChoices);
        QObject::connect(gamestart.get(), &Tgamestart::choicesChanged, chat.get(),
                         &Tchat::setGameChoices);
        QObject::connect(gamestart.get(), &Tgamestart::startRequested, chat.get(),
                         &Tchat::startGame);
    }
    void TearDown() override {
        chat.reset();
        gamestart.reset();
        server.reset();
    }

    template <class Done> bool spinUntil(Done done, int ms) {
        QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    QWidget* find(const QString& name) const { return chat->findChild<QWidget*>(name); }
    bool shown(const QString& name) const {
        QWidget* w = find(name);
        return w && !w->isHidden();
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); }
    // The cards of the row from left to right.
    std::vector<QWidget*> row() const {
        auto cards = chat->findChildren<QWidget*>(QRegularExpression("^card\\d$"));
        std::vector<QWidget*> v(cards.begin(), cards.end());
        std::sort(v.begin(), v.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        return v;
    }
    void shoot(const char* name, bool& taken) {
        if (shots.isEmpty() || taken) return;
        taken = true;
        QDir().mkpath(shots);
        QString file = QString::fromLatin1(name);
        if (zoom != 100) file.replace(QStringLiteral(".png"), QStringLiteral("-%1.png").arg(zoom));
        chat->grab().save(QDir(shots).filePath(file));
    }

    QTemporaryDir files;
    RecordingPrompts prompts;
    std::unique_ptr<TServer> server;
    std::unique_ptr<Tchat> chat;
    std::unique_ptr<Tgamestart> gamestart;
    QString shots;
    int zoom = 100;
};

TEST_P(EndToEnd, ALocalPlayerPlaysAWholeGameWithTheMouse) {
    const GameCase game = GetParam();
    chat->show();
    chat->processparams({});
    const TableModel& s = chat->model();
    ASSERT_TRUE(spinUntil([&] { return s.connected(); }, 30000));
    EXPECT_EQ(s.localSeat(), 1);
    EXPECT_TRUE(s.isHost());
    // Seated, with the settings read, as a player would be before pressing Start.
    ASSERT_TRUE(spinUntil([&] { return s.seat(1).person && chat->queueSize() == 0; }, 30000));
    if (!shots.isEmpty() && game.type == 3) {
        const int wanted = qEnvironmentVariableIntValue("CRIBBAGE_SCREENSHOT_ZOOM");
        if (wanted) chat->Zoom1Click(wanted);
        zoom = chat->zoom();
        spinUntil([] { return false; }, 300); // the window manager's answer to the resize
    }

    // Start through the start image and the game start window.
    ASSERT_TRUE(shown("button_start"));
    click(find("button_start"));
    ASSERT_TRUE(gamestart->isVisible());
    click(gamestart->findChild<QWidget*>(QString("image_gt%1").arg(game.type)));
    click(gamestart->findChild<QWidget*>(QString("image_pts%1").arg(game.points)));
    click(gamestart->findChild<QWidget*>("button_start"));
    EXPECT_FALSE(gamestart->isVisible());

    // Per deal (counted from 1), per box of the summary: the total it showed.
    std::map<std::size_t, std::map<int, QString>> summaries;
    // The next deal may begin while the summary is still up.
    std::size_t summaryDeal = 0;
    QObject::connect(&s, &TableModel::summaryOpened, [&] { summaryDeal = s.deals().size(); });
    auto* status = chat->findChild<QLabel*>("label_status");
    bool cribShot = false, playShot = false, summaryShot = false, winnerShot = false;
    int deals = 0, cardsPlayed = 0, dones = 0;
    bool won = false;
    const bool shoot4 = game.type == 3;
    QDeadlineTimer deadline(90000);
    while (!won && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        won = s.winner() != 0;
        if (won) break;

        if (shown("panel_final") && shown("button_done")) {
            // Let the crib be counted first, unless the game ends during the show.
            auto* crib = chat->findChild<QListWidget*>("listbox_final5");
            spinUntil([&] { return crib->count() > 0 || s.winner() != 0; }, 3000);
            // A win during the show leaves the summary up with its ribbon, as a player sees it.
            if (s.winner() != 0) continue;
            if (shoot4) shoot("table-summary.png", summaryShot);
            // What the summary showed, to be found again in the deal history.
            static const QRegularExpression total("^(\\d+) - (Hand|Crib) Total$");
            for (int box = 1; box <= table::kCribBox; ++box) {
                auto* list = chat->findChild<QListWidget*>(QString("listbox_final%1").arg(box));
                const auto m = list && list->count()
                                   ? total.match(list->item(list->count() - 1)->text())
                                   : QRegularExpressionMatch();
                if (m.hasMatch()) summaries[summaryDeal][box] = m.captured(1);
            }
            click(find("button_done"));
            ++dones;
            continue;
        }
        if (s.turnSeat() != s.localSeat() || s.mayAct() < 1) continue;
        const std::vector<QWidget*> cards = row();
        if (cards.empty()) continue;

        if (s.phase() == 1 || s.phase() == 2) {
            ++deals;
            const int need = s.phase() == 1 ? 2 : 1;
            for (int i = 0; i < need; ++i) click(cards[cards.size() - 1 - i]);
            ASSERT_TRUE(shown("button_ok"));
            // The computers' gifts to the crib follow the prompt; wait for them.
            if (shoot4 && !cribShot)
                spinUntil(
                    [&] {
                        return s.seat(2).handCount == 4 && s.seat(3).handCount == 4 &&
                               s.seat(4).handCount == 4;
                    },
                    5000);
            if (shoot4) shoot("table-crib.png", cribShot);
            click(find("button_ok"));
            EXPECT_EQ(status->text(), "Waiting on other players..");
            continue;
        }
        // Play the first card that keeps the count at 31 or below.
        for (QWidget* card : cards) {
            if (s.isPlayable(card->property("handPosition").toInt())) {
                if (shoot4 && s.pileCount() >= 2) shoot("table-play.png", playShot);
                click(card);
                ++cardsPlayed;
                break;
            }
        }
    }
    ASSERT_TRUE(won) << "status: " << s.status().toStdString();
    EXPECT_TRUE(status->text().contains("on the Game")) << status->text().toStdString();
    if (shoot4) {
        std::printf("screenshots: the summary is %s at the win\n",
                    shown("panel_final") ? "open" : "closed");
        shoot("table-winner.png", winnerShot);
    }
    EXPECT_GT(deals, 0);
    EXPECT_GT(cardsPlayed, 0);
    EXPECT_TRUE(row().empty());
    EXPECT_TRUE(shown("button_start")); // the host may start the next game
    // The winner passed the target, and the board shows it.
    const int best = s.seat(s.winner()).score;
    EXPECT_GT(best, std::string(game.points) == "2" ? 60 : 120);
    EXPECT_EQ(chat->findChild<QLabel*>(QString("label_score%1").arg(s.winner()))->text(),
              QString::number(best));
    Q_UNUSED(dones);

    // The deal history holds every deal as the summaries showed it, and its points add up to
    // the scores on the board.
    DealHistory history(s);
    QObject::connect(chat.get(), &Tchat::sideWindowRequested, &history, [&](Tchat::SideWindow w) {
        if (w == Tchat::SideWindow::DealHistory) history.show();
    });
    chat->findChild<QAction*>("DealHistory1")->trigger();
    ASSERT_TRUE(history.isVisible());
    if (shoot4 && !shots.isEmpty()) {
        QCoreApplication::processEvents();
        const bool doubled = history.devicePixelRatioF() >= 2;
        history.grab().save(
            QDir(shots).filePath(doubled ? "deal-history-200.png" : "deal-history.png"));
    }
    auto* rows = history.findChild<QTableWidget*>("table_deals");
    ASSERT_NE(rows, nullptr);
    const int players = table::playersOf(game.type);
    ASSERT_EQ(rows->rowCount(), int(s.deals().size()) + 1); // and the totals
    ASSERT_EQ(rows->columnCount(), DealHistory::cribColumn(players) + 1);
    EXPECT_FALSE(summaries.empty());
    for (const auto& [deal, boxes] : summaries) {
        const int row = int(deal) - 1;
        for (const auto& [box, text] : boxes) {
            const int column = box == table::kCribBox ? DealHistory::cribColumn(players)
                                                      : DealHistory::handColumn(box);
            EXPECT_EQ(rows->item(row, column)->text(), text) << "deal " << deal << " box " << box;
        }
    }
    std::array<int, table::kSeats + 1> sums{};
    auto side = [&](int seat) { return game.type == 4 ? (seat - 1) % 2 + 1 : seat; };
    for (int row = 0; row + 1 < rows->rowCount(); ++row) {
        const table::DealRecord& d = s.deals()[std::size_t(row)];
        EXPECT_EQ(rows->item(row, 1)->text(), s.seatName(d.dealer));
        for (int seat = 1; seat <= players; ++seat)
            sums[std::size_t(side(seat))] +=
                rows->item(row, DealHistory::playColumn(seat))->text().toInt() +
                rows->item(row, DealHistory::handColumn(seat))->text().toInt();
        sums[std::size_t(side(d.dealer))] +=
            rows->item(row, DealHistory::cribColumn(players))->text().toInt();
    }
    const int totals = rows->rowCount() - 1;
    int cribs = 0;
    for (int seat = 1; seat <= players; ++seat) {
        EXPECT_EQ(sums[std::size_t(side(seat))], s.seat(seat).score) << "seat " << seat;
        int column = 0;
        for (int row = 0; row < totals; ++row)
            column += rows->item(row, DealHistory::handColumn(seat))->text().toInt();
        EXPECT_EQ(rows->item(totals, DealHistory::handColumn(seat))->text().toInt(), column);
    }
    for (int row = 0; row < totals; ++row)
        cribs += rows->item(row, DealHistory::cribColumn(players))->text().toInt();
    EXPECT_EQ(rows->item(totals, DealHistory::cribColumn(players))->text().toInt(), cribs);
}

// A whole game from the keyboard with the table zoomed (to 200%, or as much as the screen
// holds): the keys go through the handlers the mouse uses.
TEST_F(EndToEnd, ALocalPlayerPlaysAWholeGameFromTheKeyboardZoomed) {
    chat->show();
    chat->Zoom1Click(200);
    chat->processparams({});
    const TableModel& s = chat->model();
    ASSERT_TRUE(spinUntil([&] { return s.connected() && s.seat(1).person; }, 30000));
    QWidget* board = find("panel_board");
    auto key = [board](int k) { QTest::keyClick(board, Qt::Key(k)); };
    // Enter is Start Game for the host; the game start window takes the choice.
    key(Qt::Key_Return);
    ASSERT_TRUE(gamestart->isVisible());
    gamestart->selectgt("2");
    gamestart->selectpts("2");
    gamestart->button_startClick();

    int dones = 0, played = 0;
    QDeadlineTimer deadline(90000);
    while (s.winner() == 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (s.summaryOpen() && shown("button_done")) {
            key(Qt::Key_Return);
            ++dones;
            continue;
        }
        if (s.turnSeat() != s.localSeat() || s.mayAct() < 1) continue;
        const std::vector<int> positions = s.rowPositions();
        if (positions.empty()) continue;
        if (s.phase() == 1 || s.phase() == 2) {
            key(Qt::Key_1); // three players give one card
            ASSERT_TRUE(s.okOffered());
            key(Qt::Key_Return);
            continue;
        }
        for (std::size_t i = 0; i < positions.size(); ++i) {
            if (s.isPlayable(positions[i])) {
                key(Qt::Key_1 + int(i));
                ++played;
                break;
            }
        }
    }
    ASSERT_NE(s.winner(), 0) << "status: " << s.status().toStdString();
    EXPECT_GT(played, 0);
    EXPECT_GT(dones, 0);
    const double factor = TableScale::of(board)->factor();
    EXPECT_GT(factor, 1.0);
    EXPECT_NEAR(find("image_turnover")->width(), 71 * factor, 1.0);
}

// The self-playing seat, as the two-machine test and a demonstration table use it: it starts
// the game once enough players sit, plays every decision and reports the winner.
TEST_F(EndToEnd, TheAutoPlayerStartsPlaysAndReportsAWholeGame) {
    QStringList lines;
    int finished = -1;
    AutoPlayer player(*chat, 1, "2", "2");
    QObject::connect(&player, &AutoPlayer::reportLine, [&](const QString& line) { lines << line; });
    QObject::connect(&player, &AutoPlayer::startGameRequested,
                     [this](const QString& type, const QString& points) {
                         gamestart->selectgt(type);
                         gamestart->selectpts(points);
                         gamestart->button_startClick();
                     });
    QObject::connect(&player, &AutoPlayer::finished, [&](int code) { finished = code; });
    chat->show();
    chat->processparams({});
    ASSERT_TRUE(spinUntil([&] { return finished >= 0; }, 90000)) << lines.join('\n').toStdString();
    EXPECT_EQ(finished, 0);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.first(), "seat 1");
    // Three players to 61: the last line names the winner and the three scores.
    static const QRegularExpression end("Won the Game! scores (\\d+) (\\d+) (\\d+)$");
    const auto m = end.match(lines.last());
    ASSERT_TRUE(m.hasMatch()) << lines.last().toStdString();
    EXPECT_GT(std::max({m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()}), 60);
    EXPECT_EQ(chat->model().gameType(), 2);
}

// The host's Options > Computer Players reaches the computer seats: with Expert chosen, every
// gift the computer made (its hand and its share of the crib, as the show reveals them) is the
// one the Expert makes of those six cards.
TEST_F(EndToEnd, TheHostsChoiceOfExpertMakesTheComputerGiveAsTheExpert) {
    server->setComputerLevelSource([this] {
        return chat->computerLevel() == 1 ? ComputerLevel::Expert : ComputerLevel::Classic;
    });
    QAction* expert = chat->findChild<QAction*>("ComputerExpert1");
    ASSERT_NE(expert, nullptr);
    expert->trigger(); // before the login: the choice is saved and read back at the login
    chat->show();
    chat->processparams({});
    const TableModel& s = chat->model();
    ASSERT_TRUE(spinUntil([&] { return s.connected(); }, 30000));
    ASSERT_TRUE(spinUntil([&] { return s.seat(1).person && chat->queueSize() == 0; }, 30000));
    EXPECT_EQ(chat->computerLevel(), 1);
    EXPECT_EQ(server->computerLevel(2), ComputerLevel::Expert);
    gamestart->selectgt("1");
    gamestart->selectpts("2");
    gamestart->button_startClick();

    // Per deal: the local seat's gift and the scores the computer gave at.
    std::map<std::size_t, std::vector<int>> given;
    std::map<std::size_t, std::array<int, rules::kSeats + 1>> scoresAt;
    QDeadlineTimer deadline(90000);
    while (s.winner() == 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (shown("panel_final") && shown("button_done")) {
            auto* crib = chat->findChild<QListWidget*>("listbox_final5");
            spinUntil([&] { return crib->count() > 0 || s.winner() != 0; }, 3000);
            click(find("button_done"));
            continue;
        }
        if (s.turnSeat() != s.localSeat() || s.mayAct() < 1) continue;
        const std::vector<QWidget*> cards = row();
        if (cards.empty()) continue;
        if (s.phase() == 1) {
            const std::size_t deal = s.deals().size() - 1;
            std::vector<int>& mine = given[deal];
            mine.clear();
            for (int i = 0; i < 2; ++i) {
                QWidget* card = cards[cards.size() - 1 - i];
                mine.push_back(s.card(card->property("handPosition").toInt()).code);
                click(card);
            }
            for (int seat = 1; seat <= rules::kSeats; ++seat)
                scoresAt[deal][std::size_t(seat)] = s.seat(seat).score;
            click(find("button_ok"));
            continue;
        }
        for (QWidget* card : cards)
            if (s.isPlayable(card->property("handPosition").toInt())) {
                click(card);
                break;
            }
    }
    ASSERT_NE(s.winner(), 0);

    int compared = 0;
    for (std::size_t deal = 0; deal < s.deals().size(); ++deal) {
        const table::DealRecord& d = s.deals()[deal];
        if (!d.shows[2] || !d.shows[table::kCribBox] || !given.count(deal)) continue;
        rules::SeatView view;
        view.gameType = 1;
        view.seat = 2;
        view.dealer = d.dealer;
        view.target = 60;
        view.scores = scoresAt[deal];
        std::vector<int> thrown;
        for (const int card : d.shows[table::kCribBox]->cards)
            if (std::find(given[deal].begin(), given[deal].end(), card) == given[deal].end())
                thrown.push_back(card);
        ASSERT_EQ(thrown.size(), 2u);
        view.hand.assign(d.shows[2]->cards.begin(), d.shows[2]->cards.end());
        view.hand.insert(view.hand.end(), thrown.begin(), thrown.end());
        std::vector<int> expected = rules::expertThrow(view);
        std::sort(expected.begin(), expected.end());
        std::sort(thrown.begin(), thrown.end());
        EXPECT_EQ(thrown, expected) << "deal " << deal;
        ++compared;
    }
    EXPECT_GT(compared, 2);
}

INSTANTIATE_TEST_SUITE_P(EveryGameType, EndToEnd,
                         ::testing::Values(GameCase{1, "1"}, GameCase{2, "2"}, GameCase{3, "2"},
                                           GameCase{4, "2"}),
                         [](const auto& info) {
                             return std::string("type") + std::to_string(info.param.type) +
                                    (std::string(info.param.points) == "2" ? "to61" : "to121");
                         });

} // namespace
