// The table's game messages: a new game, a joined game in progress, the deal, the count, the
// turn and the crib prompt, and the drawing of the opponents' hands and the played pile.
#include "client/imagelabel.h"
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "resources/pictures.h"
#include "rules/cards.h"
#include "rules/random.h"

#include <algorithm>

#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

std::optional<int> field(net::FieldReader& f) {
    return f.takeInt();
}

QString fromWire(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void Tchat::setStatus(const QString& text) {
    m_status->setText(text);
}

void Tchat::addScoreLine(const QString& line) {
    m_scores->appendPlainText(line);
}

void Tchat::hideAll(ImageLabel* SeatItems::*member) {
    for (SeatItems& it : m_positions) (it.*member)->hide();
}

void Tchat::showTurn(int seat) {
    hideAll(&SeatItems::turn);
    if (table::isPlayingSeat(seat)) items(seat).turn->show();
}

void Tchat::playTurnSound() {
    playsounds(m_chatPanel->turnSoundName());
}

void Tchat::drawColours() {
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        const QPixmap& ball = pictures::ball(table::ballOf(m_state.gameType, seat));
        items(seat).color->setImage(ball);
        m_pegs[seat][1]->setImage(ball);
        m_pegs[seat][2]->setImage(ball);
    }
}

void Tchat::showNotPlaying() {
    const QPixmap& cross = pictures::bigCard(53);
    if (m_state.gameType == 1) {
        items(3).cards->setImage(cross);
        items(4).cards->setImage(cross);
    } else if (m_state.gameType == 2) {
        items(4).cards->setImage(cross);
    }
}

void Tchat::hideLocalCards() {
    const int seat = m_state.localSeat;
    if (seat >= 1 && seat <= table::playersOf(m_state.gameType)) items(seat).cards->hide();
}

void Tchat::clearall() {
    m_scores->clear();
    m_buttonOk->hide();
    m_final->hide();
    m_state.crib1 = m_state.crib2 = 0;
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        SeatItems& it = items(seat);
        it.score->setText(QStringLiteral("0"));
        for (ImageLabel* l : {it.eyes, it.dealer, it.go, it.winner, it.turn}) l->hide();
        m_finalWinner[seat]->hide();
        it.cards->clear();
        it.cards->resize(71, 96);
        m_finalScore[seat]->clear();
        m_state.showScore[seat] = 0;
        m_finalName[seat]->clear();
        m_finalList[seat]->clear();
        m_finalImage[seat]->clear();
        postscore(seat, 0);
    }
    destroyAllCards();
}

void Tchat::startthegame(std::string_view args) {
    // The host's name may hold "+": the shared reader takes the choices from the end. A
    // message it does not read leaves the table as it is.
    const auto start = net::toClient::readStartgame(args);
    if (!start) return;
    m_buttonStart->hide();
    m_justWatch->setChecked(false);
    m_state.phase = 0;
    clearall();

    const QString host = fromWire(start->name);
    const int type = start->gameType;
    m_playToScore->setText(start->target() == 60 ? QStringLiteral("Play to Score: 61")
                                                 : QStringLiteral("Play to Score: 121"));
    m_state.gameType = type;

    for (int seat = 1; seat <= table::kSeats; ++seat) {
        items(seat).cards->clear();
        items(seat).cards->show();
    }
    drawColours();
    m_gameType->setText(table::gameTypeText(type));
    showNotPlaying();
    addSystemLine(host + " has started a " + table::gameTypeText(type) + ".");
    hideLocalCards();

    const int players = table::playersOf(type);
    for (int seat = 2; seat <= table::kSeats; ++seat) {
        QLabel* name = items(seat).name;
        if (seat <= players && name->text() == QLatin1String("<Waiting>"))
            name->setText(table::defaultName(seat));
        else if (seat > players && name->text() == table::defaultName(seat))
            name->setText(QStringLiteral("<Waiting>"));
    }
    for (int seat = 1; seat <= table::kSeats; ++seat)
        for (int peg = 1; peg <= 2; ++peg) m_pegs[seat][peg]->setToolTip(seatName(seat));
}

void Tchat::loadstats(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = field(f);
    if (!seat || *seat != m_state.localSeat) return;
    const auto type = field(f);
    const auto target = field(f);
    const auto phase = field(f);
    const auto dealer = field(f);
    const auto current = field(f);
    std::array<std::optional<int>, 5> scores;
    for (int s = 1; s <= 4; ++s) scores[s] = field(f);
    if (!type || !target || !phase || !dealer || !current) return;
    for (int s = 1; s <= 4; ++s)
        if (!scores[s]) return;

    m_state.gameType = *type;
    m_state.turnSeat = *current;
    m_gameType->setText(table::gameTypeText(*type));
    showNotPlaying();
    const int players = table::playersOf(*type);
    for (int s = 2; s <= players; ++s)
        if (items(s).name->text() == QLatin1String("<Waiting>"))
            items(s).name->setText(table::defaultName(s));
    m_playToScore->setText(*target == 60 ? QStringLiteral("Play to Score: 61")
                                         : QStringLiteral("Play to Score: 121"));
    if (table::isPlayingSeat(*dealer)) {
        m_state.dealer = *dealer;
        items(*dealer).dealer->show();
    }
    drawColours();
    hideLocalCards();
    for (int s = 1; s <= 4; ++s)
        if (*scores[s] != 0) postscore(s, *scores[s]);
}

void Tchat::theircards(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = field(f);
    const auto count = field(f);
    if (!seat || !count || !table::isPlayingSeat(*seat)) return;
    m_state.handCount[*seat] = *count;
    showtheirs(*seat);
}

void Tchat::middlecards(std::string_view args) {
    net::FieldReader f(args);
    const auto starter = field(f);
    const auto total = field(f);
    const auto count = field(f);
    if (!starter || !total || !count) return;
    if (rules::isCard(*starter)) m_turnover->setImage(pictures::bigCard(*starter));
    m_running->setText("TOTAL: " + QString::number(*total));
    m_state.pileCount = *count;
    m_state.pileList.clear();
    // The values are rank keys; drawn as card codes they show the club of each rank.
    while (!f.atEnd()) m_state.pileList += fromWire(f.takeText()) + ",";
    drawPile();
}

void Tchat::showtheirs(int seat) {
    if (!table::isPlayingSeat(seat)) return;
    // A hand holds at most six cards; a larger count would only stretch the picture.
    const int n = std::clamp(m_state.handCount[seat], 0, table::kMaxHandPos);
    QPixmap picture(66 + 5 * n, 96);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        for (int k = 0; k < n; ++k) painter.drawPixmap(5 * k, 0, pictures::bigCard(0));
    }
    ImageLabel* cards = items(seat).cards;
    if (n == 0) {
        cards->clear();
        cards->resize(66, 96);
    } else {
        cards->setImage(picture);
    }
}

void Tchat::drawPile() {
    const int count = std::clamp(m_state.pileCount, 0, 52);
    if (count == 0) {
        m_played->clear();
        m_played->resize(0, 96);
        return;
    }
    QPixmap picture(56 + 15 * count, 96);
    picture.fill(Qt::transparent);
    {
        // Entries past the picture's width are clipped; an entry that is no card still
        // takes its place.
        QPainter painter(&picture);
        int offset = 0;
        for (const QString& entry : m_state.pileList.split(',')) {
            bool ok = false;
            const int code = entry.toInt(&ok);
            if (ok && rules::isCard(code)) painter.drawPixmap(offset, 0, pictures::bigCard(code));
            offset += 15;
        }
    }
    m_played->setImage(picture);
    m_played->raise();
}

void Tchat::startround() {
    m_state.phase = 0;
    m_turnover->clear();
    m_state.pileCount = 0;
    m_state.pileList.clear();
    drawPile();
    m_running->setText(QStringLiteral("TOTAL: 0"));
    m_final->hide();
    m_state.handSlots.fill(-1);
    hideAll(&SeatItems::dealer);
    hideAll(&SeatItems::go);
    const int players = table::playersOf(m_state.gameType);
    for (int seat = 1; seat <= players; ++seat) {
        if (seat == m_state.localSeat) continue;
        m_state.handCount[seat] = table::cardsDealt(m_state.gameType);
        showtheirs(seat);
    }
    std::array<QString, table::kSeats + 1> names;
    for (int seat = 1; seat <= table::kSeats; ++seat) names[seat] = seatName(seat);
    const QString line = table::leaderLine(m_state, names, &rules::Random);
    if (!line.isEmpty()) addScoreLine(line);
}

void Tchat::startagain() {
    m_state.pileCount = 0;
    m_state.pileList.clear();
    drawPile();
    m_running->setText(QStringLiteral("TOTAL: 0"));
    hideAll(&SeatItems::go);
}

void Tchat::getnextplayer(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = field(f);
    const auto phase = field(f);
    if (!seat || !phase) return;
    m_state.turnSeat = *seat;
    m_state.phase = *phase;
    showTurn(*seat);
    m_state.mayAct = 0;
    m_buttonOk->hide();
    if (*seat != m_state.localSeat) {
        if (table::isPlayingSeat(*seat)) setStatus(seatName(*seat) + "'s turn.");
        return;
    }
    if (!table::isPlayingSeat(*seat)) return;
    setStatus(QStringLiteral("Your Turn."));
    playTurnSound();
    m_state.mayAct = *phase == 1 ? 2 : 1;
}

void Tchat::playergive(std::string_view args) {
    m_state.crib1 = m_state.crib2 = 0;
    m_turnover->clear();
    net::FieldReader f(args);
    const auto seat = field(f);
    const auto dealer = field(f);
    const auto phase = field(f);
    if (!seat || !dealer || !phase) return;
    m_state.turnSeat = *seat;
    m_state.dealer = *dealer;
    m_state.phase = *phase;
    showTurn(*seat);
    m_state.mayAct = 0;
    m_buttonOk->hide();
    if (table::isPlayingSeat(*dealer)) items(*dealer).dealer->show();

    if (*seat != m_state.localSeat) {
        if (table::isPlayingSeat(*seat)) setStatus(seatName(*seat) + "'s turn.");
    } else if (table::isPlayingSeat(*seat)) {
        setStatus(m_state.gameType == 1 ? QStringLiteral("Choose 2 cards to send to the crib.")
                                        : QStringLiteral("Choose 1 card to send to the crib."));
        playTurnSound();
        m_state.mayAct = *phase == 1 ? 2 : 1;
    }
    const int players = table::playersOf(m_state.gameType);
    for (int s = 1; s <= players; ++s) {
        m_state.handCount[s] = table::cardsDealt(m_state.gameType);
        showtheirs(s);
    }
}
