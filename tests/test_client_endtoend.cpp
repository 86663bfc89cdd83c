// Whole games against the program's own server over a real socket: the test plays the local
// seat with mouse clicks on the real widgets while the computer players play the others.
//
// With CRIBBAGE_SCREENSHOTS set to a folder, the 4-player game leaves pictures of the crib
// choice, the play, the summary and the winner there.
#include "client/autoplay.h"
#include "client/tchat.h"
#include "rules/cards.h"
#include "server/tserver.h"
#include "settings/tgamestart.h"
#include "test_client_support.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

struct GameCase {
    int type;
    const char* points; // "1" to 121, "2" to 61
};

class EndToEnd : public ::testing::TestWithParam<GameCase> {
protected:
    void SetUp() override {
        testApp();
        server = std::make_unique<TServer>();
        server->setBotSpeedSource([] { return 1; });
        chat = std::make_unique<Tchat>();
        gamestart = std::make_unique<Tgamestart>();
        chat->setPort(0); // any free port, never the game's own
        chat->listenHook = [this](quint16 port) -> quint16 {
            return server->listen(port) ? server->listeningPort() : 0;
        };
        chat->showMessage = [](const QString&) {};
        chat->onSound = [](const QString&) {};
        chat->showSideWindow = [this](const QString& name) {
            if (name == "gamestart") gamestart->show();
        };
        chat->onLoadIni = [this] {
            gamestart->selectpts(gamestart->ptsChoice());
            gamestart->selectgt(gamestart->gtChoice());
        };
        gamestart->sendHook = [this](const std::string& m) { chat->sendRaw(m); };
        gamestart->ownName = [this] { return chat->ownName(); };
        shots = qEnvironmentVariable("CRIBBAGE_SCREENSHOTS");
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
    int runningTotal() const {
        return chat->findChild<QLabel*>("label_running")->text().mid(7).toInt();
    }
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
        chat->grab().save(QDir(shots).filePath(QString::fromLatin1(name)));
    }

    std::unique_ptr<TServer> server;
    std::unique_ptr<Tchat> chat;
    std::unique_ptr<Tgamestart> gamestart;
    QString shots;
};

TEST_P(EndToEnd, ALocalPlayerPlaysAWholeGameWithTheMouse) {
    const GameCase game = GetParam();
    chat->show();
    chat->processparams({});
    ASSERT_TRUE(spinUntil([&] { return chat->state().connected; }, 30000));
    EXPECT_EQ(chat->state().localSeat, 1);
    EXPECT_TRUE(chat->state().host);
    ASSERT_TRUE(spinUntil([&] { return chat->queueSize() == 0; }, 30000));

    // Start through the start image and the game start window.
    ASSERT_TRUE(shown("button_start"));
    click(find("button_start"));
    ASSERT_TRUE(gamestart->isVisible());
    click(gamestart->findChild<QWidget*>(QString("image_gt%1").arg(game.type)));
    click(gamestart->findChild<QWidget*>(QString("image_pts%1").arg(game.points)));
    click(gamestart->findChild<QWidget*>("button_start"));
    EXPECT_FALSE(gamestart->isVisible());

    auto* status = chat->findChild<QLabel*>("label_status");
    bool cribShot = false, playShot = false, summaryShot = false, winnerShot = false;
    int deals = 0, cardsPlayed = 0, dones = 0;
    bool won = false;
    const bool shoot4 = game.type == 3;
    QDeadlineTimer deadline(90000);
    while (!won && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const table::State& s = chat->state();
        won = status->text().contains("Won the Game") || status->text().contains("won the Game");
        if (won) break;

        if (shown("panel_final") && shown("button_done")) {
            // Let the crib be counted first, unless the game ends during the show.
            auto* crib = chat->findChild<QListWidget*>("listbox_final5");
            spinUntil([&] { return crib->count() > 0 || status->text().contains("on the Game"); },
                      3000);
            if (shoot4) shoot("table-summary.png", summaryShot);
            click(find("button_done"));
            ++dones;
            continue;
        }
        if (s.turnSeat != s.localSeat || s.mayAct < 1) continue;
        const std::vector<QWidget*> cards = row();
        if (cards.empty()) continue;

        if (s.phase == 1 || s.phase == 2) {
            ++deals;
            const int need = s.phase == 1 ? 2 : 1;
            for (int i = 0; i < need; ++i) click(cards[cards.size() - 1 - i]);
            ASSERT_TRUE(shown("button_ok"));
            if (shoot4) shoot("table-crib.png", cribShot);
            click(find("button_ok"));
            EXPECT_EQ(status->text(), "Waiting on other players..");
            continue;
        }
        // Play the first card that keeps the count at 31 or below.
        for (QWidget* card : cards) {
            if (runningTotal() + rules::countValue(card->property("cardCode").toInt()) <= 31) {
                if (shoot4 && s.pileCount >= 2) shoot("table-play.png", playShot);
                click(card);
                ++cardsPlayed;
                break;
            }
        }
    }
    ASSERT_TRUE(won) << "status: " << status->text().toStdString();
    if (shoot4) shoot("table-winner.png", winnerShot);
    EXPECT_GT(deals, 0);
    EXPECT_GT(cardsPlayed, 0);
    EXPECT_TRUE(row().empty());
    EXPECT_TRUE(shown("button_start")); // the host may start the next game
    // Somebody passed the target, and the board shows it.
    int best = 0;
    for (int seat = 1; seat <= 4; ++seat)
        best = std::max(
            best, chat->findChild<QLabel*>(QString("label_score%1").arg(seat))->text().toInt());
    EXPECT_GT(best, std::string(game.points) == "2" ? 60 : 120);
    Q_UNUSED(dones);
}

// The self-playing seat, as the two-machine test and a demonstration table use it: it starts
// the game once enough players sit, plays every decision and reports the winner.
TEST_F(EndToEnd, TheAutoPlayerStartsPlaysAndReportsAWholeGame) {
    QStringList lines;
    int finished = -1;
    AutoPlayer player(*chat, 1, "2", "2");
    player.report = [&](const QString& line) { lines << line; };
    player.seatedPlayers = [this] { return chat->state().connected ? 1 : 0; };
    player.startGame = [this](const QString& type, const QString& points) {
        gamestart->selectgt(type);
        gamestart->selectpts(points);
        gamestart->button_startClick();
    };
    player.onFinished = [&](int code) { finished = code; };
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
    EXPECT_EQ(chat->state().gameType, 2);
}

INSTANTIATE_TEST_SUITE_P(EveryGameType, EndToEnd,
                         ::testing::Values(GameCase{1, "1"}, GameCase{2, "2"}, GameCase{3, "2"},
                                           GameCase{4, "2"}),
                         [](const auto& info) {
                             return std::string("type") + std::to_string(info.param.type) +
                                    (std::string(info.param.points) == "2" ? "to61" : "to121");
                         });

} // namespace
