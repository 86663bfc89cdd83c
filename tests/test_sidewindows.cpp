// The side windows: help pages, about, phrase editor, spectator list and the lobby download.
#include "settings/jpegimage.h"
#include "settings/tabout.h"
#include "settings/tdownload.h"
#include "settings/thelp.h"
#include "settings/tphrases.h"
#include "settings/tspylist.h"
#include "tests/spin_until.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_sidewindows";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) m_app = new QApplication(argc, argv);
    }

private:
    QApplication* m_app = nullptr;
};
const auto* const qtEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString labelText(QWidget* w, const char* name) {
    auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace

TEST(Help, PageButtonsBringTheirPageAndTitle) {
    Thelp help;
    EXPECT_EQ(help.currentPage(), 1);
    EXPECT_EQ(help.caption(), "Overview");
    const std::pair<int, const char*> pages[] = {
        {1, "Overview"},      {2, "Connecting"}, {3, "Game Play"}, {4, "Scoring"},
        {5, "Documentation"}, {7, "Strategy"},   {11, "The Lobby"}};
    for (const auto& [number, title] : pages) {
        auto* button = help.findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(number));
        ASSERT_NE(button, nullptr) << number;
        EXPECT_EQ(button->text(), title);
        button->click();
        EXPECT_EQ(help.currentPage(), number);
        EXPECT_EQ(help.caption(), title);
        auto* memo = help.findChild<QTextBrowser*>(QStringLiteral("memo%1").arg(number));
        ASSERT_NE(memo, nullptr);
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_GT(memo->toPlainText().size(), 300) << title;
    }
    auto* docs = help.findChild<QTextBrowser*>(QStringLiteral("memo5"));
    EXPECT_TRUE(docs->toPlainText().startsWith("Version 2.0.8.14"));

    int abouts = 0;
    QObject::connect(&help, &Thelp::aboutRequested, [&] { ++abouts; });
    help.findChild<QPushButton*>(QStringLiteral("button_about"))->click();
    EXPECT_EQ(abouts, 1);
    help.show();
    help.findChild<QPushButton*>(QStringLiteral("button_done"))->click();
    EXPECT_FALSE(help.isVisible());
}

TEST(About, ShowsTheVersionTheClientReportsAndOpensTheAddress) {
    struct : Tabout {
        QUrl opened;
        bool openUrl(const QUrl& url) override {
            opened = url;
            return true;
        }
    } about;
    EXPECT_EQ(about.windowTitle(), "Cribbage - About");
    EXPECT_EQ(about.versionText(), "2.0.8");
    EXPECT_EQ(labelText(&about, "label_build"), ".14");
    about.webAddressClick();
    EXPECT_EQ(about.opened, QUrl(QString::fromLatin1(Tabout::kWebAddress)));
}

TEST(Phrases, EditorShowsCurrentPhrasesAndAppliesEdits) {
    Tphrases editor;
    QStringList current;
    for (int i = 1; i <= 10; ++i) current << QStringLiteral("phrase %1").arg(i);
    editor.PrhaseList1Click(current);
    EXPECT_TRUE(editor.isVisible());
    auto* third = editor.findChild<QLineEdit*>(QStringLiteral("phrase3"));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text(), "phrase 3");
    EXPECT_EQ(third->maxLength(), 50);
    third->clear();

    QStringList applied;
    QObject::connect(&editor, &Tphrases::phrasesApplied,
                     [&](const QStringList& p) { applied = p; });
    editor.findChild<QPushButton*>(QStringLiteral("SelButton8"))->click();
    ASSERT_EQ(applied.size(), 10);
    EXPECT_EQ(applied[2], "");
    EXPECT_EQ(applied[9], "phrase 10");
    EXPECT_FALSE(editor.isVisible());

    bool tenthIsZero = false;
    for (auto* label : editor.findChildren<QLabel*>())
        tenthIsZero |= label->text() == "Phrase Button 0:";
    EXPECT_TRUE(tenthIsZero);
}

// The host points at a spectator, opens the popup with the right button and removes him. Opening
// the popup takes the pointer off the list; that must not lose whom the host pointed at.
TEST(SpyList, HostRemovesTheSpectatorThePopupWasOpenedOn) {
    Tspylist spies;
    EXPECT_EQ(spies.windowTitle(), "Cribbage -Spys");
    spies.setSpectators({"5: Ann", "7: Ann"});
    EXPECT_FALSE(spies.popupKickhim()->isEnabled());
    spies.setHosting(true);
    EXPECT_TRUE(spies.popupKickhim()->isEnabled());
    std::vector<int> kicked;
    QObject::connect(&spies, &Tspylist::kickRequested, [&](int seat) { kicked.push_back(seat); });
    spies.show();
    auto* list = spies.findChild<QListWidget*>(QStringLiteral("listbox_spys"));
    ASSERT_NE(list, nullptr);
    QWidget* viewport = list->viewport();

    auto rightClick = [&](QPoint at) {
        QTest::mouseMove(viewport, at);
        QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &menu);
        QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, at);
        // The popup takes the pointer: the list hears it leave.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(viewport, &leave);
    };
    rightClick(list->visualItemRect(list->item(1)).center());
    EXPECT_TRUE(spies.popup()->isVisible());
    EXPECT_EQ(spies.pointedItem(), -1);
    spies.popupKickhim()->trigger();
    spies.popup()->hide();
    EXPECT_EQ(kicked, std::vector<int>{7});

    // Below the last entry the popup names nobody.
    rightClick(QPoint(5, list->visualItemRect(list->item(1)).bottom() + 20));
    spies.popupKickhim()->trigger();
    spies.popup()->hide();
    EXPECT_EQ(kicked, std::vector<int>{7});

    spies.setSpectators({"7: Ann"});
    EXPECT_EQ(spies.entries(), QStringList{"7: Ann"});
}

TEST(Jpeg, DecodesOurPictureAndRefusesDamagedData) {
    Tdownload window; // registers the picture's resource
    QFile file(QStringLiteral(":/lobby/lobby.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QString error;
    const QImage image = jpegimage::decode(data, &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_EQ(image.size(), QSize(320, 320)); // twice the size it is shown at
    EXPECT_TRUE(error.isEmpty());

    for (int cut : {0, 2, 20, int(data.size() / 2)}) {
        const QImage damaged = jpegimage::decode(data.left(cut), &error);
        // A picture cut short may still decode partly (libjpeg pads it), but never crashes and
        // a cut inside the header is refused.
        if (cut < 200) {
            EXPECT_TRUE(damaged.isNull()) << cut;
            EXPECT_FALSE(error.isEmpty());
        }
    }
    EXPECT_TRUE(jpegimage::decode(QByteArray(5000, 'x'), &error).isNull());
}

namespace {

// A tiny HTTP server on a free port: answers every GET with a canned reply; with `hold`
// it sends the headers and part of the body and then keeps the connection open.
class FakeHttp : public QObject {
public:
    int status = 200;
    QByteArray body;
    bool hold = false;

    FakeHttp() {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = m_server.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->readAll().contains("\r\n\r\n")) return;
                const QByteArray reason = status == 200 ? "OK" : "Not Found";
                QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " " + reason +
                                  "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n";
                s->write(head);
                s->write(hold ? body.left(body.size() / 4) : body);
                if (!hold) s->disconnectFromHost();
            });
        });
    }
    QUrl url(const QString& file) const {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/dl/%2").arg(m_server.serverPort()).arg(file));
    }

private:
    QTcpServer m_server;
};

// The download window with the programs it would start and its message boxes kept.
struct TestDownload : Tdownload {
    QStringList started;
    QStringList startedArgs;
    QStringList messages;

protected:
    bool startProgram(const QString& program, const QStringList& args) override {
        started << program;
        startedArgs = args;
        return true;
    }
    void showMessage(const QString& text) override { messages << text; }
};

struct DownloadFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHttp http;
    TestDownload window;
    QStringList& started = window.started;
    QStringList& startedArgs = window.startedArgs;
    int closes = 0;
    QStringList& messages = window.messages;
    bool finished = false;

    void SetUp() override {
        window.setDownloadFolder(dir.path());
        QObject::connect(&window, &Tdownload::closeMainWindowRequested, [this] { ++closes; });
        QObject::connect(&window, &Tdownload::downloadFinished, [this] { finished = true; });
    }
};

} // namespace

TEST_F(DownloadFixture, WholeFileIsSavedAndStarted) {
    http.body = QByteArray(200000, 'Z');
    window.setDownloadAddress(http.url("LobbySetup.exe"));
    window.getbuttonClick();
    EXPECT_EQ(window.state(), Tdownload::Downloading);
    ASSERT_TRUE(spinUntil([&] { return finished; }));
    const QString path = QDir(dir.path()).filePath("LobbySetup.exe");
    ASSERT_EQ(started, QStringList{path});
    EXPECT_EQ(startedArgs, (QStringList{"/SP-", "/silent", "/noicons"}));
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(QFileInfo(path).size(), 200000);
    EXPECT_EQ(labelText(&window, "infolabel"), "Received 200000 bytes");
    EXPECT_EQ(labelText(&window, "infolabel3"), "Installing");
    EXPECT_EQ(labelText(&window, "infolabel2"), "LobbySetup.exe");
}

TEST_F(DownloadFixture, HttpErrorInstallsNothing) {
    http.status = 404;
    http.body = "<html>not here</html>";
    window.setDownloadAddress(http.url("LobbySetup.exe"));
    window.getbuttonClick();
    ASSERT_TRUE(spinUntil([&] { return finished; }));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(window.state(), Tdownload::Aborted);
    EXPECT_EQ(labelText(&window, "infolabel"), "Download Aborted");
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath("LobbySetup.exe")));
}

TEST_F(DownloadFixture, StopDuringTransferInstallsNothingAndCanStartAgain) {
    http.body = QByteArray(400000, 'Q');
    http.hold = true;
    window.setDownloadAddress(http.url("LobbySetup.exe"));
    window.getbuttonClick();
    ASSERT_TRUE(spinUntil([&] { return labelText(&window, "infolabel").endsWith(" bytes"); }));
    window.abortbuttonClick();
    ASSERT_TRUE(spinUntil([&] { return finished; }));
    EXPECT_EQ(window.state(), Tdownload::Aborted);
    EXPECT_EQ(labelText(&window, "infolabel3"), "Download Aborted");
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath("LobbySetup.exe")));
    EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("getbutton"))->isEnabled());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("abortbutton"))->isEnabled());

    // A second try that arrives whole is installed.
    finished = false;
    http.hold = false;
    window.getbuttonClick();
    ASSERT_TRUE(spinUntil([&] { return finished; }));
    EXPECT_EQ(started.size(), 1);
}

TEST_F(DownloadFixture, PlayWithOthersWithoutTheLobbyExplains) {
    qputenv("PATH", "/nonexistent");
    window.Button2Click();
    EXPECT_EQ(closes, 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Please close the game and open the Zarvel Lobby"));
}
