// The tally window: following, counting, deleting and resetting as a player does it.
#include "filesizelimit.h"
#include "settings/ttallylist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_ttallylist";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
};
const auto* const qtEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString text(QWidget* w, const QString& name) {
    auto* label = w->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing>");
}

// The tally window with its questions answered by the test.
struct AnsweredTally : Ttallylist {
    AnsweredTally(const QString& path, QStringList& questions, bool& answer)
        : Ttallylist(nullptr, path), m_questions(questions), m_answer(answer) {}

protected:
    bool ask(const QString& question) override {
        m_questions << question;
        return m_answer;
    }

private:
    QStringList& m_questions;
    bool& m_answer;
};

struct TallyWindow : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return QDir(dir.path()).filePath("Cribbagetally.tld"); }
    QStringList questions;
    bool answer = true;

    std::unique_ptr<Ttallylist> make() {
        return std::make_unique<AnsweredTally>(path(), questions, answer);
    }
    static void check(QListWidget* list, int row, Qt::CheckState state) {
        list->item(row)->setCheckState(state);
        QCoreApplication::processEvents(); // the check is handled after the item's signal
    }
};

} // namespace

TEST_F(TallyWindow, FollowingAndCountingShowInTheLabels) {
    auto w = make();
    EXPECT_EQ(w->windowTitle(), "Cribbage - Tally List");
    w->ViewTally1Click({"Rori", "<Waiting>", "Ann"});
    QListWidget* current = w->currentGameList();
    ASSERT_EQ(current->count(), 2);
    EXPECT_EQ(current->item(0)->checkState(), Qt::Unchecked);
    check(current, 1, Qt::Checked); // follow Ann
    ASSERT_EQ(w->followedList()->count(), 1);
    EXPECT_EQ(w->followedList()->item(0)->text(), "Ann");
    EXPECT_EQ(w->followedList()->item(0)->checkState(), Qt::Checked);
    check(current, 1, Qt::Checked); // following twice adds nothing
    EXPECT_EQ(w->followedList()->count(), 1);

    w->listbox_tallyClick(0);
    EXPECT_EQ(text(w.get(), "label_hisnametop"), "Ann's Tally");
    EXPECT_EQ(text(w.get(), "label_hisname"), "Ann Wins:");

    w->addgame("Ann", "", {"Rori", "Ann"});
    w->addgame(Tally::AddToMine, "", {"Rori", "Ann"});
    EXPECT_EQ(text(w.get(), "mylabel_1"), "2");
    EXPECT_EQ(text(w.get(), "mylabel_2"), "1");
    EXPECT_EQ(text(w.get(), "label_1"), "2"); // games together
    EXPECT_EQ(text(w.get(), "label_2"), "1"); // Ann's wins
    EXPECT_EQ(text(w.get(), "label_3"), "1"); // ours
    EXPECT_EQ(text(w.get(), "label_5"), "2"); // this session
    EXPECT_TRUE(w->FormDestroy().isEmpty());

    // The next run reads the file back; the session columns start again at 0.
    auto again = make();
    ASSERT_EQ(again->followedList()->count(), 1);
    again->listbox_tallyClick(0);
    EXPECT_EQ(text(again.get(), "label_1"), "2");
    EXPECT_EQ(text(again.get(), "label_5"), "0");
    EXPECT_EQ(text(again.get(), "mylabel_1"), "2");
}

TEST_F(TallyWindow, UncheckingAsksBeforeDeleting) {
    auto w = make();
    w->ViewTally1Click({"Ann", "Rori"});
    check(w->currentGameList(), 0, Qt::Checked);
    check(w->currentGameList(), 1, Qt::Checked);
    ASSERT_EQ(w->followedList()->count(), 2);

    answer = false;
    check(w->followedList(), 0, Qt::Unchecked);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "This will delete Ann's Tally, Are you want to delete it?");
    ASSERT_EQ(w->followedList()->count(), 2);
    EXPECT_EQ(w->followedList()->item(0)->checkState(), Qt::Checked);

    answer = true;
    check(w->followedList(), 0, Qt::Unchecked);
    ASSERT_EQ(w->followedList()->count(), 1);
    EXPECT_EQ(w->followedList()->item(0)->text(), "Rori");
    EXPECT_EQ(w->tally().rowCount(), 2);
}

TEST_F(TallyWindow, ResetAsksAndClearsEverything) {
    auto w = make();
    w->ViewTally1Click({"Ann"});
    check(w->currentGameList(), 0, Qt::Checked);
    w->addgame("Ann", "", {"Ann"});
    w->listbox_tallyClick(0);

    answer = false;
    w->findChild<QPushButton*>("FlatButton2")->click();
    EXPECT_EQ(questions.back(), "Are you sure you want to reset the Tally?");
    EXPECT_EQ(text(w.get(), "mylabel_1"), "1");

    answer = true;
    w->findChild<QPushButton*>("FlatButton2")->click();
    EXPECT_EQ(text(w.get(), "mylabel_1"), "0");
    EXPECT_EQ(text(w.get(), "label_1"), "0");
    EXPECT_EQ(w->followedList()->count(), 0);
    EXPECT_EQ(w->tally().rowCount(), 1);
}

TEST_F(TallyWindow, DamagedFileIsReportedAndKeptUnderTheNameTheMessageGives) {
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a tally at all");
    }
    auto w = make();
    EXPECT_EQ(w->loadMessage(), path() +
                                    " : Lzrw1 decompression : this file has no valid header ! The "
                                    "damaged file is kept as " +
                                    path() + ".bad and a new tally is started.");
    EXPECT_EQ(text(w.get(), "mylabel_1"), "0");
    // The copy is there as soon as the player is told of it, whatever ends the program.
    QFile copy(path() + ".bad");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "not a tally at all");
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(w->FormDestroy().isEmpty());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_FALSE(QFile::exists(path() + ".bad.1"));
}

TEST_F(TallyWindow, EachFinishedGameIsOnDiskAtOnce) {
    auto w = make();
    w->ViewTally1Click({"Ann"});
    check(w->currentGameList(), 0, Qt::Checked);
    EXPECT_EQ(w->addgame("Ann", "", {"Ann"}), QString());
    EXPECT_EQ(w->addgame(Tally::AddToMine, "", {"Ann"}), QString());
    // Read back while the window still lives: nothing waits for the program's end.
    Tally onDisk;
    ASSERT_EQ(onDisk.load(path()), QString());
    EXPECT_EQ(onDisk.totalGames(), 2);
    EXPECT_EQ(onDisk.ownWins(), 1);
    EXPECT_EQ(onDisk.opponent(0), (std::array<int, 8>{2, 1, 1, 0, 0, 0, 0, 0}));
}

TEST_F(TallyWindow, ATallyThatCannotBeWrittenIsSaidAtTheGameAndAgainAtTheEnd) {
    auto w = make();
    ASSERT_EQ(w->addgame(Tally::AddToMine, "", {}), QString());
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    file.close();

    const QString failure = "Lzrw1 : Error writing to output file : " + path();
    {
        FileSizeLimit full(0);
        ASSERT_TRUE(full.active());
        EXPECT_EQ(w->addgame(Tally::AddToMine, "", {}), failure);
        EXPECT_EQ(w->FormDestroy(), failure);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kept);
    // The game is still counted in the window, and the next write that can go through keeps it.
    EXPECT_EQ(text(w.get(), "mylabel_1"), "2");
    EXPECT_EQ(w->FormDestroy(), QString());
}

// Names come from other people's programs: every place of the window shows them as typed.
TEST_F(TallyWindow, HostileNamesShowAsTextInLabelsListsAndQuestions) {
    const QString link = QStringLiteral("<a href='file:///etc/passwd'>x</a>");
    const QString picture = QStringLiteral("<img src='file:///etc/hostname'>");
    const QString tables = QStringLiteral("<table><tr><td>").repeated(3000);
    auto w = make();
    w->ViewTally1Click({link, picture, tables});
    for (int i = 0; i < 3; ++i) check(w->currentGameList(), i, Qt::Checked);
    ASSERT_EQ(w->followedList()->count(), 3);
    EXPECT_EQ(w->followedList()->item(0)->text(), link);

    w->show();
    for (int i = 0; i < 3; ++i) {
        w->listbox_tallyClick(i);
        const QString name = w->tally().followed()[i];
        auto* top = w->findChild<QLabel*>("label_hisnametop");
        auto* wins = w->findChild<QLabel*>("label_hisname");
        if (i < 2) {
            EXPECT_EQ(top->text(), name + "'s Tally");
            EXPECT_EQ(wins->text(), name + " Wins:");
        } else {
            // Cut short rather than widening the window past any screen.
            EXPECT_TRUE(top->text().startsWith("<table><tr><td><table>"));
            EXPECT_TRUE(top->text().endsWith(QStringLiteral("\u2026's Tally")));
            EXPECT_LT(w->sizeHint().width(), 2000);
        }
        // Shown as written: the label draws no link to follow and no picture.
        for (QLabel* label : {top, wins}) EXPECT_EQ(label->textFormat(), Qt::PlainText);
        // Drawing the window lays the names out; a name read as markup nested 3,000 tables.
        EXPECT_FALSE(w->grab().isNull());
    }

    // The question before deleting carries the name, in a real message box.
    QString shownText;
    Qt::TextFormat shownFormat = Qt::AutoText;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shownText = box->text();
        shownFormat = box->textFormat();
        box->done(QMessageBox::No);
    });
    poll.start();
    auto real = std::make_unique<Ttallylist>(nullptr, path());
    real->ViewTally1Click({link});
    check(real->currentGameList(), 0, Qt::Checked);
    check(real->followedList(), 0, Qt::Unchecked);
    poll.stop();
    EXPECT_EQ(shownText, "This will delete " + link + "'s Tally, Are you want to delete it?");
    EXPECT_EQ(shownFormat, Qt::PlainText);
    EXPECT_EQ(real->followedList()->count(), 1);
}
