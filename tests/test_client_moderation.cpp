// Spectators and moderation at the table: just watching, the popup on a name, removals.
#include "test_client_support.h"

#include <QAction>
#include <QMenu>

namespace {

class Moderation : public ClientTest {
protected:
    // Hosting without a server: the listening hook answers, the connection attempt fails
    // quietly, and the login makes this client seat 1.
    void host() {
        chat->serverListening(1);
        login(1);
        feed(net::toClient::newplayerinfo(1, "You"));
    }
    QAction* entry(const char* name) { return chat->popupKick()->findChild<QAction*>(name); }
};

} // namespace

TEST_F(Moderation, TheHostRemovesAndSetsSeatsToJustWatch) {
    host();
    feed(net::toClient::newplayerinfo(2, "Ann"));
    chat->label_playername1ContextPopup(2, QPoint());
    EXPECT_TRUE(entry("RemoveFromGame1")->isEnabled());
    entry("RemoveFromGame1")->trigger();
    EXPECT_EQ(lastSent(), net::toServer::kickhim(1, 2));
    entry("SettoJustWatch1")->trigger();
    EXPECT_EQ(lastSent(), net::toServer::justwatch(2, "1"));
    entry("UnsetJustWatch1")->trigger();
    EXPECT_EQ(lastSent(), net::toServer::justwatch(2, "2"));

    // An empty seat can be set to watch but not removed.
    chat->label_playername1ContextPopup(3, QPoint());
    EXPECT_FALSE(entry("RemoveFromGame1")->isEnabled());
    EXPECT_TRUE(entry("SettoJustWatch1")->isEnabled());
}

TEST_F(Moderation, OthersCannotRemoveAnybody) {
    login(2);
    chat->label_playername1ContextPopup(1, QPoint());
    EXPECT_FALSE(entry("RemoveFromGame1")->isEnabled());
    EXPECT_FALSE(entry("SettoJustWatch1")->isEnabled());
    const auto before = sent.size();
    chat->kicking(1);
    EXPECT_EQ(sent.size(), before);
}

TEST_F(Moderation, JustWatchFollowsTheServersAnswer) {
    startGame(2, 3);
    QAction* justWatch = chat->findChild<QAction*>("JustWatch1");
    ASSERT_NE(justWatch, nullptr);
    justWatch->trigger();
    EXPECT_EQ(lastSent(), net::toServer::justwatch(2, "1"));
    EXPECT_FALSE(justWatch->isChecked()); // not until the server says so

    feed(net::toClient::justwatching(2, "1"));
    EXPECT_TRUE(justWatch->isChecked());
    EXPECT_TRUE(shown("image_eyes2"));
    EXPECT_EQ(chatLines().back(), "You is just watching");

    justWatch->trigger();
    EXPECT_EQ(lastSent(), net::toServer::justwatch(2, "2"));
    feed(net::toClient::justwatching(2, "2"));
    EXPECT_FALSE(justWatch->isChecked());
    EXPECT_FALSE(shown("image_eyes2"));
    EXPECT_EQ(chatLines().back(), "You is now playing again");

    // Another seat's answer shows its mark and its label's name.
    feed(net::toClient::justwatching(3, "1"));
    EXPECT_TRUE(shown("image_eyes3"));
    EXPECT_EQ(chatLines().back(), "Vozuz is just watching");
}

TEST_F(Moderation, ASpectatorCannotJustWatch) {
    login(6);
    const auto before = sent.size();
    chat->JustWatch1Click();
    EXPECT_EQ(sent.size(), before);
}

TEST_F(Moderation, TheSpectatorListFollowsArrivalsAndDepartures) {
    QStringList listed;
    QObject::connect(&chat->model(), &TableModel::spectatorsChanged,
                     [&] { listed = model().spectatorEntries(); });
    login(1);
    feed(net::toClient::newplayerinfo(6, "Ann"));
    feed(net::toClient::newplayerinfo(7, "Ann"));
    EXPECT_EQ(listed, (QStringList{"6: Ann", "7: Ann"}));
    feed(net::toClient::playerdisconnected(6, "Ann"));
    EXPECT_EQ(listed, QStringList{"7: Ann"});
    EXPECT_EQ(chatLines().back(), "Ann has left.");
}
