// The tally window: following, counting, deleting and resetting as a player does it.
#include "settings/ttallylist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
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

TEST_F(TallyWindow, DamagedFileIsReportedAndKept) {
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a tally at all");
    }
    auto w = make();
    EXPECT_FALSE(w->loadMessage().isEmpty());
    EXPECT_EQ(text(w.get(), "mylabel_1"), "0");
    EXPECT_TRUE(w->FormDestroy().isEmpty());
    EXPECT_TRUE(QFile::exists(path() + ".bad"));
}
