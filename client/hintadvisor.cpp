// The hints: what the local seat knows goes to the rules' analysis and search, and the answer
// comes back to the row as raised cards.
#include "client/hintadvisor.h"

#include "client/tablemodel.h"
#include "rules/cards.h"
#include "rules/hint.h"

#include <QTimer>
#include <array>

HintAdvisor::HintAdvisor(TableModel& model, QObject* parent) : QObject(parent), m_model(model) {
    for (auto signal :
         {&TableModel::handChanged, &TableModel::phaseChanged, &TableModel::turnChanged,
          &TableModel::pileChanged, &TableModel::dealerChanged, &TableModel::gameChanged,
          &TableModel::winnerChanged, &TableModel::connectionChanged})
        connect(&m_model, signal, this, &HintAdvisor::tableChanged);
    // A seat that is just watching is played for by the computer.
    connect(&m_model, &TableModel::seatChanged, this, &HintAdvisor::tableChanged);
}

QString HintAdvisor::cardText(int card) {
    if (!rules::isCard(card)) return QString();
    static const char* const kRanks[] = {"",  "A", "2", "3",  "4", "5", "6",
                                         "7", "8", "9", "10", "J", "Q", "K"};
    static const char16_t kSuits[] = {u'\u2663', u'\u2666', u'\u2665', u'\u2660'};
    return QString::fromLatin1(kRanks[rules::runRank(card)]) +
           QChar(kSuits[rules::suitOf(card) - 1]);
}

bool HintAdvisor::giving() const {
    const int phase = m_model.phase();
    return m_model.gameInProgress() && (phase == 1 || phase == 2);
}

std::vector<int> HintAdvisor::heldCards() const {
    std::vector<int> cards;
    for (int pos = 1; pos <= table::kMaxHandPos; ++pos)
        if (m_model.card(pos).held) cards.push_back(m_model.card(pos).code);
    return cards;
}

bool HintAdvisor::wholeDealHeld() const {
    return table::isPlayingSeat(m_model.localSeat()) &&
           int(heldCards().size()) == table::cardsDealt(m_model.gameType());
}

bool HintAdvisor::computeAvailable() const {
    const TableModel& m = m_model;
    if (!m.connected() || !m.gameInProgress() || !table::isPlayingSeat(m.localSeat())) return false;
    if (m.mayAct() < 1 || m.turnSeat() != m.localSeat()) return false;
    if (m.seat(m.localSeat()).watching) return false;
    // The crib's side must be known before a keep can be valued.
    if (giving()) return wholeDealHeld() && m.dealer() != 0;
    for (int pos = 1; pos <= table::kMaxHandPos; ++pos)
        if (m.isPlayable(pos)) return true;
    return false;
}

void HintAdvisor::clear() {
    m_kind = Kind::None;
    m_keeps.clear();
    m_playCard = 0;
    m_reason.clear();
    m_forHand.clear();
    m_asked = false;
}

bool HintAdvisor::showKeeps() {
    const rules::SeatView view = m_model.seatView();
    std::vector<rules::KeepValue> keeps = rules::discardHint(view);
    if (keeps.empty()) return false;
    if (keeps.size() > std::size_t(kKeepsShown)) keeps.resize(kKeepsShown);
    m_keeps = std::move(keeps);
    m_ownCrib = view.ownsCrib();
    m_kind = Kind::Giving;
    m_playCard = 0;
    m_reason.clear();
    m_forHand = view.hand;
    m_forDealer = view.dealer; // whose crib it is, which the values depend on besides the cards
    emit hintChanged();
    return true;
}

void HintAdvisor::tableChanged() {
    bool changed = false;
    if (m_kind == Kind::Giving &&
        !(giving() && heldCards() == m_forHand && m_model.dealer() == m_forDealer)) {
        clear();
        changed = true;
    }
    if (m_kind == Kind::Play && !(computeAvailable() && !giving() && heldCards() == m_forHand &&
                                  int(m_model.pile().size()) == m_forPile)) {
        clear();
        changed = true;
    }
    const bool available = computeAvailable();
    if (available != m_available) {
        m_available = available;
        emit availableChanged(available);
    }
    const bool newDeal = giving() && wholeDealHeld() && m_model.dealer() != 0;
    if (newDeal && m_kind == Kind::None && m_showDiscardValues && showKeeps()) changed = false;
    if (changed) emit hintChanged();
    if (newDeal) warmUp();
}

void HintAdvisor::setShowDiscardValues(bool on) {
    if (m_showDiscardValues == on) return;
    m_showDiscardValues = on;
    if (on) {
        tableChanged();
    } else if (m_kind == Kind::Giving) {
        // The values asked for by a hint stay; those that opened by themselves go.
        if (!m_asked) {
            clear();
            emit hintChanged();
        }
    }
}

void HintAdvisor::request() {
    if (!m_available) return;
    auto positionOf = [this](int code) {
        for (int pos = 1; pos <= table::kMaxHandPos; ++pos)
            if (code != 0 && m_model.card(pos).held && m_model.card(pos).code == code) return pos;
        return 0;
    };
    if (giving()) {
        if (!showKeeps()) return;
        m_asked = true;
        const rules::KeepValue& best = m_keeps.front();
        m_model.suggestCrib(positionOf(best.thrown[0]), positionOf(best.thrown[1]));
        return;
    }
    const rules::PlayHint hint = rules::playHint(m_model.seatView());
    const int pos = positionOf(hint.card);
    if (pos == 0) return;
    // Set before the row changes, so that the change is taken for this hint's own.
    m_kind = Kind::Play;
    m_keeps.clear();
    m_playCard = hint.card;
    m_reason = QString::fromStdString(hint.reason);
    m_forHand = heldCards();
    m_forPile = int(m_model.pile().size());
    m_model.suggestPlay(pos);
    emit hintChanged();
}

void HintAdvisor::warmUp() {
    static bool warmed = false;
    if (warmed) return;
    warmed = true;
    QTimer::singleShot(0, this, [] {
        static const std::array<int, 6> hand = {5, 18, 31, 11, 2, 44};
        rules::analyseDiscard(hand, 1, rules::CribSide::Own);
    });
}
