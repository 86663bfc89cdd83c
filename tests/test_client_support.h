// A Tchat under test: messages from the server go in through its queue, what it sends and the
// sounds it asks for are captured, and widgets are found by their object names.
#pragma once

#include "chat/chatpanel.h"
#include "chat/soundplayer.h"
#include "client/prompts.h"
#include "client/tchat.h"
#include "net/message.h"
#include "settings/userfiles.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

inline QApplication* testApp() {
    static int argc = 1;
    static char arg0[] = "test_client";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

class ClientAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { testApp(); }
};

// Message boxes and questions answered without a click: what was told is kept, and questions
// get the answers queued for them (Yes when none is left).
class RecordingPrompts : public Prompts {
public:
    void tell(QWidget*, const QString& text) override { told << text; }
    bool ask(QWidget*, const QString& question) override {
        asked << question;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    QStringList told;
    QStringList asked;
    QList<bool> answers;
};

class ClientTest : public ::testing::Test {
    QTemporaryDir m_files;

protected:
    void SetUp() override {
        testApp();
        // The settings file a login reads and menu changes write stays in a scratch folder.
        UserFiles::setDirectoryOverride(m_files.path());
        chat = std::make_unique<Tchat>();
        chat->setPrompts(&prompts);
        if (SoundPlayer* player = chat->chatPanel()->soundPlayer()) player->setMuted(true);
        QObject::connect(chat.get(), &Tchat::messageSent,
                         [this](const std::string& m) { sent.push_back(m); });
        QObject::connect(chat.get(), &Tchat::gameSound, [this](const QString& s) { sounds << s; });
        QObject::connect(chat.get(), &Tchat::gameRecorded,
                         [this](const QString& w, const QString& p) { tally << (w + "|" + p); });
    }
    void TearDown() override { chat.reset(); }
    QString filesDir() const { return m_files.path(); }

    // Queues the bytes as the connection would and works the queue off, tick by tick.
    void feed(const std::string& bytes) {
        chat->receiveBytes(QByteArray::fromStdString(bytes));
        for (int guard = 0; chat->queueSize() > 0 && guard < 10000; ++guard) chat->Timer1Timer();
    }
    void login(int seat) { feed(net::toClient::sendlogininfo(seat)); }
    // Logs in and starts a game of the given type with the computer players.
    void startGame(int seat, int type, const char* points = "1") {
        login(seat);
        feed(net::toClient::newplayerinfo(seat, "You"));
        feed(net::toClient::startgame("You", points, std::to_string(type)));
    }

    template <class T = QWidget> T* find(const QString& name) const {
        T* w = chat->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QString text(const QString& name) const {
        QLabel* l = label(name);
        return l ? l->text() : QString();
    }
    bool shown(const QString& name) const {
        QWidget* w = find(name);
        return w && !w->isHidden();
    }
    QPoint at(const QString& name) const {
        QWidget* w = find(name);
        return w ? w->pos() : QPoint(-1, -1);
    }
    QString status() const { return text("label_status"); }
    QStringList scoreLines() const {
        auto* memo = find<QPlainTextEdit>("memo_scores");
        return memo ? memo->toPlainText().split('\n', Qt::SkipEmptyParts) : QStringList();
    }
    // The leader's phrases of the score log ("-Vozuz is taking the money.").
    QStringList leaderLines() const {
        QStringList lines;
        for (const QString& line : scoreLines())
            if (line.startsWith('-')) lines << line;
        return lines;
    }
    QStringList chatLines() const {
        // The chat view puts a blank after the name part and after each word.
        auto* view = find<QTextEdit>("mainchat");
        QStringList lines;
        if (view)
            for (const QString& line : view->toPlainText().split('\n', Qt::SkipEmptyParts))
                lines << line.trimmed();
        return lines;
    }
    QStringList listLines(const QString& name) const {
        QStringList lines;
        if (auto* list = find<QListWidget>(name))
            for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    void click(const QString& name, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* w = find(name);
        if (w) QTest::mouseClick(w, button, Qt::NoModifier, QPoint(5, 5));
    }
    void dealHand(int seat, const std::vector<int>& codes) {
        std::vector<std::pair<int, int>> cards;
        for (std::size_t i = 0; i < codes.size(); ++i) cards.push_back({int(i) + 1, codes[i]});
        feed(net::toClient::mycards(seat, cards));
    }
    std::string lastSent() const { return sent.empty() ? std::string() : sent.back(); }

    const TableModel& model() const { return chat->model(); }

    RecordingPrompts prompts;
    QStringList& messages = prompts.told;
    std::unique_ptr<Tchat> chat;
    std::vector<std::string> sent;
    QStringList sounds;
    QStringList tally;
};

inline std::string msg(const std::string& text) {
    return text + net::kTerminator;
}
