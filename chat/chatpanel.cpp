// The chat panel: what is typed and clicked goes out as messages, what comes back is drawn.
#include "chat/chatpanel.h"

#include "chat/chatcolour.h"
#include "net/message.h"
#include "resources/pictures.h"
#ifdef CRIBBAGE_CHAT_PLAYER
#include "chat/soundplayer.h"
#endif

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kBuiltInPhrases[ChatPanel::kPhraseCount] = {"Way To Go!",
                                                              "Good One!",
                                                              "Nice Try!",
                                                              "Excellent!",
                                                              "Brilliant!",
                                                              "Wow, WTG!",
                                                              "Thanks!",
                                                              "Way To Go Teamie!",
                                                              "Good Game Everyone!",
                                                              "/me waves \"Good-Bye\""};

const char* const kChatterSounds[ChatPanel::kChatterSoundCount + 1] = {
    "<Cancel>",       "Doh",          "Cough", "Hello",   "Thank You", "Where have you been?",
    "Snoring",        "Sneezing",     "Sorry", "Welcome", "Yeehaa",    "Yippee",
    "Oh No",          "Applause",     "Honk",  "Oooh",    "Razzberry", "Cheer",
    "Woman Laughing", "Man Laughing", "Crying"};

// A phrase gate opens again after this many ticks of its 1 ms timer.
constexpr int kGateTicks = 100;

const int kTextSizes[] = {8, 10, 12, 14};

// The number of a chatter sound name ("wave13", any case), 0 when it names none.
int chatterSoundNumber(const QString& name) {
    const QString lower = name.toLower();
    if (!lower.startsWith(QLatin1String("wave"))) return 0;
    bool ok = false;
    const int n = lower.mid(4).toInt(&ok);
    if (!ok || n < 1 || n > ChatPanel::kChatterSoundCount) return 0;
    // "wave013" or "wave+1" are not names of ours.
    return lower == QStringLiteral("wave") + QString::number(n) ? n : 0;
}

} // namespace

ChatPanel::ChatPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChatPanel"));
    m_gateTimer.setInterval(1);
    connect(&m_gateTimer, &QTimer::timeout, this, &ChatPanel::phraseGateTick);

    auto* phrases = new QHBoxLayout;
    phrases->setSpacing(2);
    phrases->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kPhraseCount; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i + 1));
        // The phrase lives in the tooltip; the face only tells the buttons apart, and the tenth,
        // which opens the chatter sounds rather than saying its phrase, shows a note.
        b->setText(i + 1 < kPhraseCount ? QString::number(i + 1) : QStringLiteral("\u266A"));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedHeight(20);
        b->setMinimumWidth(18);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_phraseButtons[i] = b;
        setPhrase(i + 1, builtInPhrase(i + 1));
        phrases->addWidget(b);
        if (i + 1 < kPhraseCount)
            connect(b, &QPushButton::clicked, this, [this, i] { b_phrase1Click(i + 1); });
        else
            connect(b, &QPushButton::clicked, this, &ChatPanel::b_phrase10Click);
    }

    m_mainchat = new ChatView(this);
    m_mainchat->smileyPicture = [](int number) {
        return pictures::smiley(number - chatline::kFirstSmiley);
    };
    m_mainchat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_mainchat, &ChatView::linkClicked, this, &ChatPanel::mainchatJump);

    m_mychat = new QLineEdit(this);
    m_mychat->setObjectName(QStringLiteral("mychat"));
    QFont entryFont(QStringLiteral("Arial"));
    entryFont.setPixelSize(13);
    m_mychat->setFont(entryFont);
    m_mychat->setText(kPlaceholder);
    m_mychat->setContextMenuPolicy(Qt::CustomContextMenu);
    m_mychat->installEventFilter(this);
    setChatColour(Qt::black);

    m_smilies = new QToolButton(this);
    m_smilies->setObjectName(QStringLiteral("button_smilies"));
    m_smilies->setText(QStringLiteral(":)"));
    m_smilies->setIcon(QIcon(m_mainchat->smileyPicture(chatline::kFirstSmiley)));
    m_smilies->setIconSize(QSize(17, 17));
    m_smilies->setToolTip(tr("Smilies"));
    m_smilies->setFocusPolicy(Qt::NoFocus);
    m_smilies->setAutoRaise(true);
    connect(m_smilies, &QToolButton::clicked, this, &ChatPanel::button_smiliesClick);

    auto* entryRow = new QHBoxLayout;
    entryRow->setSpacing(2);
    entryRow->setContentsMargins(0, 0, 0, 0);
    entryRow->addWidget(m_mychat, 1);
    entryRow->addWidget(m_smilies);

    auto* column = new QVBoxLayout(this);
    column->setSpacing(3);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(phrases);
    column->addWidget(m_mainchat, 1);
    column->addLayout(entryRow);

    m_buttonFont = m_phraseButtons[0]->font();

    buildMenus();
    buildOptions();

#ifdef CRIBBAGE_CHAT_PLAYER
    m_player = new SoundPlayer(this);
#endif
}

void ChatPanel::setScale(double scale) {
    if (scale <= 0) return;
    m_mainchat->setScale(scale);
    const auto scaled = [scale](int units) { return qMax(1, qRound(units * scale)); };
    QFont entryFont = m_mychat->font();
    entryFont.setPixelSize(scaled(13));
    m_mychat->setFont(entryFont);
    QFont buttonFont = m_buttonFont;
    if (buttonFont.pixelSize() > 0)
        buttonFont.setPixelSize(scaled(buttonFont.pixelSize()));
    else
        buttonFont.setPointSizeF(buttonFont.pointSizeF() * scale);
    for (QPushButton* b : m_phraseButtons) {
        b->setFont(buttonFont);
        b->setFixedHeight(scaled(20));
        b->setMinimumWidth(scaled(18));
    }
    // The face painted for its size, as sharp as the table's pictures.
    QPixmap face = pictures::at(pictures::Picture::Smiley, 0, scale * devicePixelRatioF());
    face.setDevicePixelRatio(devicePixelRatioF());
    m_smilies->setIcon(QIcon(face));
    m_smilies->setIconSize(QSize(scaled(17), scaled(17)));
    if (auto* column = qobject_cast<QBoxLayout*>(layout())) column->setSpacing(scaled(3));
}

void ChatPanel::setSeatName(int seat, const QString& name) {
    if (seat >= 1 && seat <= 4) m_seatNames[std::size_t(seat)] = name;
}

void ChatPanel::play(const QString& name, bool chatter) {
    if (chatter)
        emit chatterSoundPlayed(name);
    else
        emit gameSoundPlayed(name);
    if (m_player) m_player->play(name);
}

QAction* ChatPanel::makeAction(const QString& name, const QString& text, QObject* parent) {
    auto* a = new QAction(text, parent);
    a->setObjectName(name);
    return a;
}

void ChatPanel::buildMenus() {
    m_popupMainchat = new QMenu(this);
    m_popupMainchat->setObjectName(QStringLiteral("popup_mainchat"));
    QAction* selectAll =
        makeAction(QStringLiteral("SelectAll1"), QStringLiteral("Select All"), m_popupMainchat);
    QAction* copy = makeAction(QStringLiteral("Copy1"), QStringLiteral("Copy"), m_popupMainchat);
    QAction* clear = makeAction(QStringLiteral("ClearMainChat2"), QStringLiteral("Clear Main Chat"),
                                m_popupMainchat);
    m_scrollOff1 = makeAction(QStringLiteral("ScrollChatOff1"), QStringLiteral("Scroll Chat Off"),
                              m_popupMainchat);
    m_scrollOff1->setCheckable(true);
    // The keys are shown here; the view and the panel carry them (Ctrl+C in the view itself,
    // Ctrl+S through the Options entry), so these entries must not claim them as well.
    copy->setShortcut(QKeySequence::Copy);
    m_scrollOff1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_scrollOff1->setShortcutContext(Qt::WidgetShortcut);
    m_popupMainchat->addActions({selectAll, copy, clear, m_scrollOff1});
    connect(selectAll, &QAction::triggered, this, &ChatPanel::SelectAll1Click);
    connect(copy, &QAction::triggered, this, &ChatPanel::Copy1Click);
    connect(clear, &QAction::triggered, this, &ChatPanel::ClearMainChat1Click);
    connect(m_scrollOff1, &QAction::triggered, this, &ChatPanel::setScrollChatOff);
    connect(m_mainchat, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        m_popupMainchat->popup(m_mainchat->viewport()->mapToGlobal(p));
    });

    m_popupMychat = new QMenu(this);
    m_popupMychat->setObjectName(QStringLiteral("popup_mychat"));
    QAction* paste = makeAction(QStringLiteral("Paste1"), QStringLiteral("Paste"), m_popupMychat);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    m_popupMychat->addAction(paste);
    connect(paste, &QAction::triggered, this, &ChatPanel::Paste1Click);
    connect(m_mychat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_popupMychat->popup(m_mychat->mapToGlobal(p)); });

    m_popupSmilies = new QMenu(this);
    m_popupSmilies->setObjectName(QStringLiteral("popup_smilies"));
    for (int n = chatline::kFirstSmiley; n <= chatline::kLastSmiley; ++n) {
        QAction* a = makeAction(QStringLiteral("smiley%1").arg(n),
                                chatline::kSmileyCode + QString::number(n), m_popupSmilies);
        a->setData(n);
        a->setIcon(QIcon(m_mainchat->smileyPicture(n)));
        m_popupSmilies->addAction(a);
    }
    connect(m_popupSmilies, &QMenu::triggered, this, &ChatPanel::N271Click);

    m_popupSounds = new QMenu(this);
    m_popupSounds->setObjectName(QStringLiteral("popup_sounds"));
    for (int n = 0; n <= kChatterSoundCount; ++n) {
        const QString name = n == 0 ? QStringLiteral("Cancel1") : QStringLiteral("wave%1").arg(n);
        QAction* a = makeAction(name, chatterSoundText(n), m_popupSounds);
        a->setData(n);
        a->setToolTip(chatline::plainToolTip(chatterSoundText(n)));
        a->setStatusTip(chatterSoundText(n));
        m_popupSounds->addAction(a);
        if (n == 0) m_popupSounds->addSeparator();
    }
    connect(m_popupSounds, &QMenu::triggered, this, &ChatPanel::wave12Click);
}

void ChatPanel::buildOptions() {
    m_playSounds = makeAction(QStringLiteral("PlaySounds1"), QStringLiteral("Play Sounds"), this);
    m_playSounds->setCheckable(true);
    m_playSounds->setChecked(true);
    connect(m_playSounds, &QAction::triggered, this, &ChatPanel::PlaySounds1Click);
    m_playChatter = makeAction(QStringLiteral("PlayChatterSounds1"),
                               QStringLiteral("Play Chatter Sounds"), this);
    m_playChatter->setCheckable(true);
    connect(m_playChatter, &QAction::triggered, this, &ChatPanel::PlayChatterSounds1Click);

    m_turnSoundMenu = new QMenu(QStringLiteral("Turn Sound"), this);
    m_turnSoundMenu->setObjectName(QStringLiteral("TurnSound1"));
    auto* turn = new QActionGroup(this);
    m_classic = makeAction(QStringLiteral("Classic1"), QStringLiteral("Classic"), turn);
    m_new = makeAction(QStringLiteral("New1"), QStringLiteral("New"), turn);
    m_classic->setData(0);
    m_new->setData(1);
    m_classic->setCheckable(true);
    m_new->setCheckable(true);
    m_classic->setChecked(true);
    m_turnSoundMenu->addActions(turn->actions());
    connect(turn, &QActionGroup::triggered, this, &ChatPanel::New1Click);

    m_textColour = makeAction(QStringLiteral("TextColor1"), QStringLiteral("Text Color"), this);
    connect(m_textColour, &QAction::triggered, this, &ChatPanel::TextColor1Click);
    // Listed beside Text Color but it has never done anything.
    m_actionColour =
        makeAction(QStringLiteral("ActionColor1"), QStringLiteral("Action Color"), this);

    m_textSizeMenu = new QMenu(QStringLiteral("Text Size"), this);
    m_textSizeMenu->setObjectName(QStringLiteral("TextSize1"));
    m_textSizes = new QActionGroup(this);
    for (int size : kTextSizes) {
        QAction* a =
            makeAction(QStringLiteral("N%1").arg(size), QString::number(size), m_textSizes);
        a->setCheckable(true);
        a->setData(size);
    }
    m_textSizeMenu->addActions(m_textSizes->actions());
    connect(m_textSizes, &QActionGroup::triggered, this, &ChatPanel::N14Click);

    m_scrollOff2 =
        makeAction(QStringLiteral("ScrollChatOff2"), QStringLiteral("Scroll Chat Off"), this);
    m_scrollOff2->setCheckable(true);
    m_scrollOff2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Carried by the panel too, so Ctrl+S works before the owner has built its menu.
    addAction(m_scrollOff2);
    connect(m_scrollOff2, &QAction::triggered, this, &ChatPanel::setScrollChatOff);

    m_clear = makeAction(QStringLiteral("ClearMainChat1"), QStringLiteral("Clear Main Chat"), this);
    connect(m_clear, &QAction::triggered, this, &ChatPanel::ClearMainChat1Click);
}

void ChatPanel::addSoundActions(QMenu* options) {
    options->addAction(m_playSounds);
    options->addAction(m_playChatter);
    options->addMenu(m_turnSoundMenu);
}

void ChatPanel::addChatActions(QMenu* options) {
    options->addAction(m_textColour);
    options->addAction(m_actionColour);
    options->addMenu(m_textSizeMenu);
    options->addAction(m_scrollOff2);
    options->addAction(m_clear);
}

QString ChatPanel::builtInPhrase(int number) {
    if (number < 1 || number > kPhraseCount) return {};
    return QString::fromUtf8(kBuiltInPhrases[number - 1]);
}

QString ChatPanel::chatterSoundText(int number) {
    if (number < 0 || number > kChatterSoundCount) return {};
    return QString::fromUtf8(kChatterSounds[number]);
}

void ChatPanel::changed() {
    emit settingsChanged();
}

// ---- sending ----

bool ChatPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mychat && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Any key, even a lone Shift, first clears the placeholder.
        if (m_mychat->text() == kPlaceholder) m_mychat->clear();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sendit();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            Paste1Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChatPanel::sendit() {
    if (!isConnected()) return;
    const QString text = m_mychat->text();
    if (!text.isEmpty()) {
        const QString colour = QLatin1Char('|') + chatColourText();
        if (!text.startsWith(QLatin1Char('/')))
            emit messageReady(net::toServer::chat(seat(), (text + colour).toStdString()));
        else if (text.startsWith(QLatin1String("/me")))
            emit messageReady(net::toServer::action(seat(), (text.mid(4) + colour).toStdString()));
    }
    m_mychat->clear();
}

void ChatPanel::b_phrase1Click(int number) {
    if (m_gateClosed || number < 1 || number > kPhraseCount) return;
    // Before login there is no seat to speak for; the gate stays open for later.
    if (!isConnected()) return;
    const QString p = phrase(number);
    const QString colour = QLatin1Char('|') + chatColourText();
    const QString text =
        p.left(4) == QLatin1String("/me ") ? p.mid(4) : QStringLiteral("says: ") + p;
    // The gate closes, and starts counting, with the send itself.
    m_gateClosed = true;
    m_gateTicks = 0;
    m_gateTimer.start();
    emit messageReady(net::toServer::action(seat(), (text + colour).toStdString()));
}

void ChatPanel::phraseGateTick() {
    if (!m_gateClosed) {
        m_gateTimer.stop();
        return;
    }
    if (++m_gateTicks > kGateTicks) {
        m_gateClosed = false;
        m_gateTicks = 0;
        m_gateTimer.stop();
    }
}

void ChatPanel::b_phrase10Click() {
    QPushButton* b = m_phraseButtons[kPhraseCount - 1];
    m_popupSounds->popup(b->mapToGlobal(QPoint(b->width(), b->height())));
}

void ChatPanel::wave12Click(QAction* entry) {
    const int number = entry ? entry->data().toInt() : 0;
    if (number < 1 || number > kChatterSoundCount) return;
    const int s = seat();
    if (s < 1 || s > 4 || !isConnected()) return;
    emit messageReady(net::toServer::playasound(s, "wave" + std::to_string(number)));
}

void ChatPanel::button_smiliesClick() {
    m_popupSmilies->popup(m_smilies->mapToGlobal(QPoint(m_smilies->width(), m_smilies->height())));
}

void ChatPanel::N271Click(QAction* entry) {
    if (!entry) return;
    if (m_mychat->text() == kPlaceholder) m_mychat->clear();
    m_mychat->setText(m_mychat->text() + chatline::kSmileyCode +
                      QString::number(entry->data().toInt()));
    m_mychat->deselect();
    m_mychat->setCursorPosition(int(m_mychat->text().size()));
    m_mychat->setFocus();
}

void ChatPanel::Paste1Click() {
    QString text = QApplication::clipboard()->text();
    // One line goes out per Enter; pasted line breaks become blanks as in a typed line.
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (!text.isEmpty()) m_mychat->setText(m_mychat->text() + text);
    m_mychat->deselect();
    m_mychat->setCursorPosition(int(m_mychat->text().size()));
}

// ---- receiving ----

void ChatPanel::chatrecieved(const QString& args) {
    const qsizetype bar = args.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        addlinetochat(args, chatcolour::toQColor(chatcolour::kRed));
        return;
    }
    const auto value = chatcolour::fromText(args.mid(bar + 1).toStdString());
    addlinetochat(args.left(bar), chatcolour::toQColor(value ? *value : chatcolour::kRed));
}

void ChatPanel::addlinetochat(const QString& line, const QColor& colour) {
    const chatline::Line parsed = chatline::parse(line);
    ChatView::Style style = m_mainchat->style(parsed.style);
    style.colour = colour.isValid() ? colour : chatcolour::toQColor(chatcolour::kRed);
    style.bold = true;
    m_mainchat->setStyle(parsed.style, style);
    m_mainchat->appendLine(parsed);
    if (!scrollChatOff()) m_mainchat->scrollToEnd();
}

void ChatPanel::mainchatJump(int number) {
    const QUrl url = chatline::webAddress(m_mainchat->linkText(number));
    if (url.isValid() && openUrl(url)) return;
    showMessage(QStringLiteral("Cannot open Webpage"));
}

bool ChatPanel::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void ChatPanel::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, window());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QColor> ChatPanel::chooseColour(const QColor& current) {
    const QColor c = QColorDialog::getColor(current, window(), QStringLiteral("Text Color"));
    if (!c.isValid()) return std::nullopt;
    return c;
}

void ChatPanel::playasound(const QString& args) {
    const qsizetype plus = args.indexOf(QLatin1Char('+'));
    if (plus < 0) return;
    bool ok = false;
    const int sender = args.left(plus).toInt(&ok);
    const qsizetype end = args.indexOf(QLatin1Char('+'), plus + 1);
    const QString name = args.mid(plus + 1, end < 0 ? -1 : end - plus - 1);
    const int number = chatterSoundNumber(name);
    if (number == 0) return;
    if (playChatterSounds()) {
        play(QStringLiteral("wave%1").arg(number), true);
        return;
    }
    if (!ok || sender < 1 || sender > 4) return;
    const QString who = m_seatNames[std::size_t(sender)];
    addlinetochat(QStringLiteral("0+") + who + QStringLiteral(": <Chatter Sound> ") +
                      chatterSoundText(number),
                  systemColour());
}

void ChatPanel::playsounds(const QString& name) {
    if (playSounds()) play(name, false);
}

QString ChatPanel::turnSoundName() const {
    return turnSound() == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn");
}

// ---- view menu ----

void ChatPanel::SelectAll1Click() {
    m_mainchat->selectAll();
    m_mainchat->viewport()->update();
}

void ChatPanel::Copy1Click() {
    m_mainchat->copy();
}

void ChatPanel::ClearMainChat1Click() {
    m_mainchat->clearLines();
    m_mainchat->viewport()->update();
    m_mychat->setFocus();
}

bool ChatPanel::scrollChatOff() const {
    return m_scrollOff1->isChecked();
}

void ChatPanel::setScrollChatOff(bool on) {
    m_scrollOff1->setChecked(on);
    m_scrollOff2->setChecked(on);
}

// ---- options ----

void ChatPanel::setChatColour(const QColor& colour) {
    m_chatColour = colour.isValid() ? colour.toRgb() : QColor(Qt::black);
    QPalette p = m_mychat->palette();
    p.setColor(QPalette::Text, m_chatColour);
    m_mychat->setPalette(p);
}

QString ChatPanel::chatColourText() const {
    return QString::fromStdString(chatcolour::toText(chatcolour::fromQColor(m_chatColour)));
}

void ChatPanel::setChatColourText(const QString& text) {
    const auto value = chatcolour::fromText(text.toStdString());
    setChatColour(chatcolour::toQColor(value ? *value : chatcolour::kBlack));
}

void ChatPanel::TextColor1Click() {
    const std::optional<QColor> chosen = chooseColour(m_chatColour);
    if (!chosen || !chosen->isValid()) return;
    setChatColour(*chosen);
    changed();
}

int ChatPanel::textSize() const {
    return m_mainchat->textSize();
}

void ChatPanel::setTextSize(int points) {
    if (points < 1) return;
    m_mainchat->setTextSize(points);
    for (QAction* a : m_textSizes->actions())
        if (a->data().toInt() == points) a->setChecked(true);
}

void ChatPanel::N14Click(QAction* entry) {
    if (!entry) return;
    setTextSize(entry->data().toInt());
    changed();
}

QString ChatPanel::phrase(int number) const {
    if (number < 1 || number > kPhraseCount) return {};
    return m_phrases[number - 1];
}

void ChatPanel::setPhrase(int number, const QString& text) {
    if (number < 1 || number > kPhraseCount) return;
    m_phrases[number - 1] = text;
    m_phraseButtons[number - 1]->setToolTip(chatline::plainToolTip(text));
}

bool ChatPanel::playSounds() const {
    return m_playSounds->isChecked();
}
void ChatPanel::setPlaySounds(bool on) {
    m_playSounds->setChecked(on);
}
bool ChatPanel::playChatterSounds() const {
    return m_playChatter->isChecked();
}
void ChatPanel::setPlayChatterSounds(bool on) {
    m_playChatter->setChecked(on);
}
void ChatPanel::PlaySounds1Click() {
    changed();
}
void ChatPanel::PlayChatterSounds1Click() {
    changed();
}

int ChatPanel::turnSound() const {
    return m_new->isChecked() ? 1 : 0;
}

void ChatPanel::setTurnSound(int choice) {
    (choice == 1 ? m_new : m_classic)->setChecked(true);
}

void ChatPanel::New1Click(QAction* entry) {
    if (!entry) return;
    setTurnSound(entry->data().toInt());
    changed();
}
