// The program closed by SIGTERM, SIGINT or SIGHUP as by its window, with its files written, and
// a finished game on disk before the program ends, whatever ends it.
#include "client/quitsignals.h"
#include "settings/lzrw1kh.h"
#include "settings/tally.h"
#include "tests/file_bytes.h"
#include "tests/spin_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_quitsignals";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

extern "C" void otherHandler(int) {}

void resetQuitSignals() {
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) std::signal(s, SIG_DFL);
}

} // namespace

TEST(QuitSignals, EachSignalReachesTheEventLoopAndTheOldHandlersComeBack) {
    struct sigaction mine = {};
    mine.sa_handler = otherHandler;
    sigemptyset(&mine.sa_mask);
    struct sigaction before[3];
    const int kQuit[] = {SIGTERM, SIGINT, SIGHUP};
    for (int i = 0; i < 3; ++i) sigaction(kQuit[i], &mine, &before[i]);

    std::vector<int> got;
    {
        QuitSignals quit;
        ASSERT_TRUE(quit.isActive());
        // One at a time: a second one would take the handlers from the first.
        QuitSignals second;
        EXPECT_FALSE(second.isActive());
        QObject::connect(&quit, &QuitSignals::received, [&got](int s) { got.push_back(s); });
        for (int s : kQuit) ASSERT_EQ(::kill(::getpid(), s), 0);
        ASSERT_TRUE(spinUntil([&] { return got.size() == 3; }, 30000));
    }
    EXPECT_EQ(got, std::vector<int>(std::begin(kQuit), std::end(kQuit)));
    for (int i = 0; i < 3; ++i) {
        struct sigaction now = {};
        sigaction(kQuit[i], nullptr, &now);
        EXPECT_EQ(now.sa_handler, &otherHandler);
    }

    // Started under nohup: a hang-up is not the player closing the window.
    std::signal(SIGHUP, SIG_IGN);
    {
        QuitSignals quit;
        ASSERT_TRUE(quit.isActive());
        struct sigaction now = {};
        sigaction(SIGHUP, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
    }
    for (int i = 0; i < 3; ++i) sigaction(kQuit[i], &before[i], nullptr);
}

// The real program, offscreen, with its files in a scratch folder.
class ProgramTest : public ::testing::Test {
protected:
    QString settingsPath() const { return m_files.filePath(QStringLiteral("rudedidevaz.ini")); }
    QString tallyPath() const { return m_files.filePath(QStringLiteral("Cribbagetally.tld")); }

    void start(const QStringList& args) {
        // Whatever this test was started to ignore, the program meets each signal afresh.
        if (!m_program.childProcessModifier())
            m_program.setChildProcessModifier([] { resetQuitSignals(); });
        static int count = 0;
        QStringList all = {QStringLiteral("--instance"),
                           QStringLiteral("files-test-%1-%2").arg(::getpid()).arg(++count),
                           QStringLiteral("--files"), m_files.path()};
        m_program.setProgram(QStringLiteral(CRIBBAGE_BIN));
        m_program.setArguments(all + args);
        m_program.setWorkingDirectory(m_files.path());
        m_program.start();
        ASSERT_TRUE(m_program.waitForStarted(30000));
    }
    // Stdout lines as they come, until one holds `text`.
    bool waitForLine(const QString& text, int ms) {
        return spinUntil(
                   [&] {
                       m_out += m_program.readAllStandardOutput();
                       return m_out.contains(text.toUtf8()) ||
                              m_program.state() == QProcess::NotRunning;
                   },
                   ms) &&
               m_out.contains(text.toUtf8());
    }
    bool finished(int ms) {
        return spinUntil([&] { return m_program.state() == QProcess::NotRunning; }, ms);
    }

    // A tally of two games, and a settings file shared with the lobby.
    void prepareFiles() {
        Tally tally;
        tally.follow(QStringLiteral("Rori"));
        tally.loadchecklist({QStringLiteral("Rori")});
        tally.addgame(Tally::AddToMine, QString());
        tally.addgame(QStringLiteral("Rori"), QString());
        ASSERT_EQ(tally.store(tallyPath()), QString());
        m_tally = readFile(tallyPath());
        writeFile(settingsPath(), m_settings);
    }

    // A table that takes the connection and never answers: the program never logs in.
    void joinSilentTable() {
        ASSERT_TRUE(m_table.listen(QHostAddress::LocalHost, 0));
        start({QStringLiteral("--port"), QString::number(m_table.serverPort()),
               QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
        ASSERT_TRUE(spinUntil([&] { return m_table.hasPendingConnections(); }, 60000));
    }

    void TearDown() override {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(10000);
        }
    }

    QTemporaryDir m_files;
    QProcess m_program;
    QTcpServer m_table;
    QByteArray m_out;
    QByteArray m_tally;
    const QByteArray m_settings = "[Lobby]\r\nName=Ann\r\n\r\n[Cribbage]\r\nTop=120\r\nLeft=140\r\n"
                                  "Textsize=14\r\nBotspeed=500\r\nPlaysounds=false\r\n";
};

TEST_F(ProgramTest, EachQuitSignalClosesLikeTheWindowAndKeepsTheFiles) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        prepareFiles();
        joinSilentTable();
        ::kill(m_program.processId(), signal);
        ASSERT_TRUE(finished(60000));
        EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_program.exitCode(), 0);
        // Closed before its login: the settings stay as the player left them.
        EXPECT_EQ(readFile(settingsPath()).toStdString(), m_settings.toStdString());
        Tally after;
        EXPECT_EQ(after.load(tallyPath()), QString());
        EXPECT_EQ(after.totalGames(), 2);
        m_table.close();
        delete m_table.nextPendingConnection();
    }
}

TEST_F(ProgramTest, ATallyThatCannotBeWrittenIsSaidOnTheWayOut) {
    prepareFiles();
    // The program's disk is full: no file of it can grow.
    m_program.setChildProcessModifier([] {
        resetQuitSignals();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = {0, 0};
        getrlimit(RLIMIT_FSIZE, &none);
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    });
    joinSilentTable();
    m_program.terminate();
    ASSERT_TRUE(finished(60000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(m_program.readAllStandardError().contains(
        ("cribbage: Lzrw1 : Error writing to output file : " + tallyPath()).toUtf8()));
    EXPECT_EQ(readFile(tallyPath()), m_tally);
    EXPECT_EQ(
        QDir(m_files.path()).entryList(QDir::Files),
        QStringList({QStringLiteral("Cribbagetally.tld"), QStringLiteral("rudedidevaz.ini")}));
}

TEST_F(ProgramTest, AFinishedGameIsOnDiskBeforeTheProgramEnds) {
    prepareFiles();
    start({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--bot-speed"),
           QStringLiteral("1"), QStringLiteral("--autoplay"), QStringLiteral("--start-when"),
           QStringLiteral("1"), QStringLiteral("--game-type"), QStringLiteral("1"),
           QStringLiteral("--points"), QStringLiteral("61")});
    // The self-playing seat reports the winner after the game was recorded; the program is
    // killed there, before anything of its own end can run.
    ASSERT_TRUE(waitForLine(QStringLiteral(" scores "), 180000))
        << m_out.toStdString() << m_program.readAllStandardError().toStdString();
    m_program.kill();
    ASSERT_TRUE(finished(30000));
    Tally after;
    ASSERT_EQ(after.load(tallyPath()), QString());
    EXPECT_EQ(after.totalGames(), 3);
}
