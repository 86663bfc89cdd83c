// The local player's hand: the row of cards, raising and lowering them, the crib choice, the
// play of a card, the sort, and the server's answers to both decisions.
#include "client/imagelabel.h"
#include "client/tchat.h"
#include "resources/pictures.h"
#include "rules/cards.h"

namespace {

constexpr int kRowX = 185;
constexpr int kRowStep = 18;
constexpr int kRestY = 336;
constexpr int kRaisedY = 332;

} // namespace

void Tchat::layoutHand() {
    for (int s = 1; s <= table::kSlots; ++s) {
        const int pos = m_state.handSlots[s];
        if (pos < 1 || pos > table::kMaxHandPos || !m_cards[pos]) continue;
        const table::HandCard& card = m_state.hand[pos];
        m_cards[pos]->move(kRowX + kRowStep * s - (card.nudged ? 2 : 0),
                           card.raised ? kRaisedY : kRestY);
        m_cards[pos]->show();
        // Higher handSlots lie in front, so the row overlaps from left to right.
        m_cards[pos]->raise();
    }
}

void Tchat::createCard(int pos, int code) {
    // Whatever does not fit the row (a position outside 1 to 6, a position already held, no
    // free slot, no card) is left out instead of being drawn off the row.
    if (pos < 1 || pos > table::kMaxHandPos || m_state.hand[pos].held || !rules::isCard(code))
        return;
    const int slot = m_state.freeSlot();
    if (slot == 0) return;
    m_state.handSlots[slot] = pos;
    m_state.hand[pos] = table::HandCard{code, false, false, true};

    auto* image = new ImageLabel(m_board);
    image->setObjectName(QStringLiteral("card%1").arg(pos));
    image->setScaledContents(true);
    image->setPixmap(pictures::bigCard(code));
    image->resize(71, 96);
    image->setProperty("handPosition", pos);
    image->setProperty("cardCode", code);
    image->setCursor(Qt::PointingHandCursor);
    image->onMouseDown = [this, pos](Qt::MouseButton button) { cardimagesMouseDown(pos, button); };
    m_cards[pos] = image;
    layoutHand();
}

void Tchat::destroyCard(int pos) {
    if (pos < 1 || pos > table::kMaxHandPos) return;
    delete m_cards[pos];
    m_cards[pos] = nullptr;
    m_state.hand[pos] = table::HandCard{};
}

void Tchat::destroyAllCards() {
    for (int pos = 1; pos <= table::kMaxHandPos; ++pos) destroyCard(pos);
    m_state.clearHand();
}

void Tchat::movecards(int pos) {
    const int s = m_state.slotOf(pos);
    if (s == 0) return;
    m_state.handSlots[s] = -1;
    for (int t = s + 1; t <= table::kSlots; ++t) {
        const int moved = m_state.handSlots[t];
        if (moved < 0) continue;
        m_state.handSlots[t - 1] = moved;
        m_state.handSlots[t] = -1;
        if (moved <= table::kMaxHandPos) m_state.hand[moved].nudged = false;
    }
    for (auto& card : m_state.hand) card.raised = false;
    layoutHand();
}

void Tchat::mycards(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_state.localSeat) return;
    if (!f.takeInt()) return; // the count: the pairs that follow are what counts
    while (!f.atEnd()) {
        const auto pos = f.takeInt();
        const auto code = f.takeInt();
        if (!pos || !code) return;
        createCard(*pos, *code);
    }
}

void Tchat::sortHand() {
    auto rank = [this](int pos) { return table::sortRank(m_state.hand[pos].code); };
    auto valid = [this](int pos) {
        return pos >= 1 && pos <= table::kMaxHandPos && m_state.hand[pos].held;
    };
    for (int pass = 0; pass < 10; ++pass) {
        for (int s = table::kSlots; s >= 2; --s) {
            const int right = m_state.handSlots[s];
            if (right < 0) continue;
            const int left = m_state.handSlots[s - 1];
            // A slot that refers to no card ends the sort where it stands.
            if (!valid(left) || !valid(right)) return;
            if (rank(left) > rank(right)) {
                std::swap(m_state.handSlots[s - 1], m_state.handSlots[s]);
                m_state.hand[left].nudged = true;
                m_state.hand[right].nudged = true;
            }
        }
    }
    for (auto& card : m_state.hand) card.raised = false;
    layoutHand();
}

void Tchat::cardimagesMouseDown(int pos, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        sortHand();
        return;
    }
    if (button != Qt::LeftButton) return;
    if (m_state.mayAct < 1 || m_state.turnSeat != m_state.localSeat || !m_state.connected) return;
    if (pos < 1 || pos > table::kMaxHandPos || !m_state.hand[pos].held) return;
    table::HandCard& card = m_state.hand[pos];

    if (card.raised) {
        card.raised = false;
        if (m_state.crib1 == pos) m_state.crib1 = 0;
        if (m_state.crib2 == pos) m_state.crib2 = 0;
        if (m_state.phase == 1 || m_state.phase == 2) m_buttonOk->hide();
        layoutHand();
        return;
    }
    // A sort lowers chosen cards without forgetting them; raising one again must not
    // choose the same card twice.
    const bool chosen = m_state.crib1 == pos || m_state.crib2 == pos;
    if (m_state.phase == 1) {
        if (chosen) {
            card.raised = true;
        } else if (m_state.crib1 == 0) {
            card.raised = true;
            m_state.crib1 = pos;
        } else if (m_state.crib2 == 0) {
            card.raised = true;
            m_state.crib2 = pos;
        }
        if (m_state.crib1 != 0 && m_state.crib2 != 0) {
            m_buttonOk->show();
            m_buttonOk->raise();
        }
    } else if (m_state.phase == 2) {
        if (chosen || m_state.crib1 == 0) {
            card.raised = true;
            m_state.crib1 = pos;
            m_buttonOk->show();
            m_buttonOk->raise();
        }
    } else {
        card.raised = true;
        setStatus(QString());
        sendRaw(net::toServer::playcard(m_state.localSeat, pos));
        m_state.turnSeat = 0;
    }
    layoutHand();
}

void Tchat::button_okClick() {
    if (m_state.turnSeat != m_state.localSeat) return;
    m_state.turnSeat = 0;
    if (m_state.mayAct < 1 || !m_state.connected) return;
    m_buttonOk->hide();
    m_state.mayAct = 0;
    sendRaw(net::toServer::sendcard(m_state.localSeat, m_state.crib1, m_state.crib2));
    setStatus(QStringLiteral("Waiting on other players.."));
    if (table::isPlayingSeat(m_state.localSeat)) items(m_state.localSeat).turn->hide();
}

void Tchat::gavecards(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto pos1 = f.takeInt();
    const auto pos2 = f.takeInt();
    if (!seat || !pos1 || !pos2 || *seat != m_state.localSeat) return;
    destroyCard(*pos1);
    movecards(*pos1);
    if (*pos2 != 0) {
        destroyCard(*pos2);
        movecards(*pos2);
    }
    playsounds(QStringLiteral("cribcard"));
}

void Tchat::setcrib(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || !table::isPlayingSeat(*seat)) return;
    m_state.handCount[*seat] = 4;
    showtheirs(*seat);
}

void Tchat::needtwo(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_state.localSeat) return;
    setStatus(QStringLiteral("You need to choose two cards."));
    m_state.turnSeat = *seat;
    showTurn(*seat);
    m_state.mayAct = m_state.phase == 1 ? 2 : 1;
}

void Tchat::toomuch(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_state.localSeat) return;
    setStatus(QStringLiteral("Invalid Card."));
    playsounds(QStringLiteral("wrong"));
    m_state.turnSeat = *seat;
    showTurn(*seat);
}

void Tchat::playcard(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto pos = f.takeInt();
    const auto count = f.takeInt();
    const auto card = f.takeInt();
    const auto total = f.takeInt();
    if (!seat || !pos || !count || !card || !total) return;
    m_state.turnSeat = 0;
    m_running->setText("TOTAL: " + QString::number(*total));
    playsounds(QStringLiteral("placecard"));
    hideAll(&SeatItems::go);
    if (*seat != m_state.localSeat) {
        if (table::isPlayingSeat(*seat)) {
            m_state.handCount[*seat] = std::max(0, m_state.handCount[*seat] - 1);
            showtheirs(*seat);
        }
    } else {
        destroyCard(*pos);
        movecards(*pos);
    }
    m_state.pileCount = *count;
    m_state.pileList += QString::number(*card) + ",";
    drawPile();
}

void Tchat::turnover(std::string_view args) {
    net::FieldReader f(args);
    const auto starter = f.takeInt();
    const auto heels = f.takeInt();
    const auto dealer = f.takeInt();
    const auto dealerScore = f.takeInt();
    const auto partner = f.takeInt();
    const auto partnerScore = f.takeInt();
    if (!starter || !heels || !dealer || !dealerScore || !partner || !partnerScore) return;
    if (rules::isCard(*starter)) m_turnover->setImage(pictures::bigCard(*starter));
    if (*heels <= 0) return;
    addScoreLine(*dealer == m_state.localSeat ? QStringLiteral("You peg 2 for the knob.")
                                              : seatName(*dealer) + " pegs 2 for the knob.");
    postscore(*dealer, *dealerScore);
    if (*dealer == m_state.localSeat) playsounds(QStringLiteral("points"));
    if (m_state.gameType == 4) {
        postscore(*partner, *partnerScore);
        if (*partner == m_state.localSeat) playsounds(QStringLiteral("points"));
    }
}
