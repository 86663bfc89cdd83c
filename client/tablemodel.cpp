// The table as the local player knows it: every change goes through here and is announced.
#include "client/tablemodel.h"

#include "rules/cards.h"

#include <algorithm>

namespace table {

QString gameTypeText(int gameType) {
    switch (gameType) {
    case 1:
        return QStringLiteral("2 Player Game");
    case 2:
        return QStringLiteral("3 Player Game");
    case 3:
        return QStringLiteral("4 Player Game");
    case 4:
        return QStringLiteral("Partners Game");
    default:
        return QString();
    }
}

QString defaultName(int seat) {
    switch (seat) {
    case 2:
        return QStringLiteral("Rori");
    case 3:
        return QStringLiteral("Vozuz");
    case 4:
        return QStringLiteral("Rudoz");
    default:
        return QString();
    }
}

} // namespace table

namespace {

using table::kSeats;

// Rows 21 to 24 repeat the last entry, so both single lists have 25 rows.
const char* const kOwnLead[25] = {
    "-You are in the lead.",
    "-You are in first place.",
    "-You are winning.",
    "-You have the most points.",
    "-You currently hold the lead.",
    "-You are leading.",
    "-You are doing it right.",
    "-You lead the pack.",
    "-You hold the baton.",
    "-You are taking the money.",
    "-You are not looking back.",
    "-You are racing towards the checkers.",
    "-You are holding all the bets.",
    "-You eat the cake.",
    "-You look unstoppable.",
    "-You hold the Pepsi.",
    "-You look back with impunity .",
    "-You have time to take a break.",
    "-You have clean air.",
    "-You are on top of the hill.",
    "-You are on top.",
    "-You have the most points.",
    "-You have the most points.",
    "-You have the most points.",
    "-You have the most points.",
};

const char* const kOtherLead[25] = {
    " is in the lead.",
    " is in first place.",
    " is winning.",
    " has the most points.",
    " currently holds the lead.",
    " is leading.",
    " is doing it right.",
    " leads the pack.",
    " holds the baton.",
    " is taking the money.",
    " isn't looking back.",
    " is racing towards the checkers.",
    " is holding all the bets.",
    " eats the cake.",
    " looks unstoppable.",
    " holds the Pepsi.",
    " looks back with impunity .",
    " has time to take a break.",
    " has clean air.",
    " is on top of the hill.",
    " is on top.",
    " has the most points.",
    " has the most points.",
    " has the most points.",
    " has the most points.",
};

const char* const kTeamLead[10] = {
    " are in the lead.",      " are in first place.",       " are winning.",
    " have the most points.", " currently holds the lead.", " are leading.",
    " have the most points.", " have the most points.",     " have the most points.",
    " have the most points.",
};

const char* const kCategorySuffix[5] = {" for Fifteens", " for Pairs", " for Runs", " for a Flush",
                                        " for a Knob"};

bool validPosition(int pos) {
    return pos >= 1 && pos <= table::kMaxHandPos;
}

} // namespace

TableModel::TableModel(QObject* parent) : QObject(parent) {
    m_slots.fill(-1);
}

// ---------------------------------------------------------------- connection and rotation

void TableModel::login(int seat) {
    m_localSeat = seat;
    m_connected = true;
    emit connectionChanged();
}

void TableModel::setHost(bool host) {
    if (m_host == host) return;
    m_host = host;
    emit connectionChanged();
}

int TableModel::positionOf(int seat) const {
    for (int p = 0; p < 4; ++p)
        if (m_seatAt[std::size_t(p)] == seat) return p;
    return 0;
}

void TableModel::sortstuff(int seat) {
    if (seat < 2 || seat > 4) return;
    for (int p = 0; p < 4; ++p) m_seatAt[std::size_t(p)] = table::seatAt(seat, p);
    emit rotationChanged();
}

// ---------------------------------------------------------------- seats

const TableModel::Seat& TableModel::seat(int s) const {
    static const Seat kNone;
    return table::isPlayingSeat(s) ? m_seats[std::size_t(s)] : kNone;
}

TableModel::Seat* TableModel::seatRef(int s) {
    return table::isPlayingSeat(s) ? &m_seats[std::size_t(s)] : nullptr;
}

int TableModel::seatedPersons() const {
    int n = 0;
    for (int s = 1; s <= kSeats; ++s) n += m_seats[std::size_t(s)].person ? 1 : 0;
    return n;
}

void TableModel::seatPerson(int seat, const QString& name) {
    Seat* s = seatRef(seat);
    if (!s) return;
    s->name = name;
    s->person = true;
    emit seatChanged(seat);
}

void TableModel::seatLeft(int seat) {
    Seat* s = seatRef(seat);
    if (!s) return;
    const bool unused = (m_gameType == 1 && seat >= 3) || (m_gameType == 2 && seat == 4);
    s->name = unused ? table::kWaiting : table::defaultName(seat);
    s->person = false;
    s->watching = false;
    emit seatChanged(seat);
}

void TableModel::setWatching(int seat, bool watching) {
    Seat* s = seatRef(seat);
    if (!s) return;
    s->watching = watching;
    emit seatChanged(seat);
}

void TableModel::postscore(int seat, int score) {
    Seat* s = seatRef(seat);
    if (!s) return;
    s->pegBack = s->pegFront;
    s->pegFront = score;
    s->score = score;
    // At the start and at the finish both pegs share one hole.
    if (score <= 0 || score > 120) s->pegBack = score;
    emit scoreChanged(seat);
}

void TableModel::setHandCount(int seat, int count) {
    Seat* s = seatRef(seat);
    if (!s) return;
    // A hand holds at most six cards; a larger count would only stretch the picture.
    s->handCount = std::clamp(count, 0, table::kMaxHandPos);
    s->cards = SeatCards::Backs;
    emit seatChanged(seat);
}

void TableModel::setGo(int seat) {
    Seat* s = seatRef(seat);
    if (!s) return;
    s->go = true;
    noteGo(seat);
    emit goChanged(seat);
}

void TableModel::clearGo() {
    for (int s = 1; s <= kSeats; ++s) m_seats[std::size_t(s)].go = false;
    emit goChanged(0);
}

// ---------------------------------------------------------------- spectators

QStringList TableModel::spectatorEntries() const {
    QStringList entries;
    for (const Spectator& s : m_spectators) entries << QString::number(s.seat) + ": " + s.name;
    return entries;
}

void TableModel::addSpectator(int seat, const QString& name) {
    // A number logs in again after it was freed, or a client logs in twice: its one entry
    // carries the latest name.
    for (Spectator& s : m_spectators) {
        if (s.seat != seat) continue;
        if (s.name == name) return;
        s.name = name;
        emit spectatorsChanged();
        return;
    }
    m_spectators.push_back({seat, name});
    emit spectatorsChanged();
}

bool TableModel::removeSpectator(int seat, const QString& name) {
    const auto it = std::find_if(m_spectators.begin(), m_spectators.end(), [&](const Spectator& s) {
        return s.seat == seat && s.name == name;
    });
    if (it == m_spectators.end()) return false;
    m_spectators.erase(it);
    emit spectatorsChanged();
    return true;
}

// ---------------------------------------------------------------- the game

void TableModel::clearall() {
    m_scoreLog.clear();
    emit scoreLogCleared();
    m_okOffered = false;
    m_summaryOpen = false;
    m_crib1 = m_crib2 = 0;
    m_dealer = 0;
    m_turnMark = 0;
    m_winner = m_winnerPartner = 0;
    for (int s = 1; s <= kSeats; ++s) {
        Seat& seat = m_seats[std::size_t(s)];
        seat.watching = false;
        seat.go = false;
        seat.winner = false;
        seat.cards = SeatCards::Blank;
        seat.handCount = 0;
        seat.showScore = 0;
        m_rowScore[std::size_t(s)].reset();
        m_shown[std::size_t(s)].reset();
        emit seatChanged(s);
        postscore(s, 0);
    }
    clearHand();
    emit dealerChanged();
    emit turnChanged();
    emit goChanged(0);
    emit summaryChanged();
    emit winnerChanged();
}

void TableModel::startGame(int gameType, int target) {
    m_startOffered = false;
    emit startOfferedChanged();
    m_phase = 0;
    clearall();
    m_deals.clear();
    m_playRecord.clear();
    m_gameType = gameType;
    m_target = target;
    if (m_gameType == 1) {
        m_seats[3].cards = m_seats[4].cards = SeatCards::NotPlaying;
    } else if (m_gameType == 2) {
        m_seats[4].cards = SeatCards::NotPlaying;
    }
    const int players = table::playersOf(gameType);
    for (int s = 2; s <= kSeats; ++s) {
        Seat& seat = m_seats[std::size_t(s)];
        if (s <= players && seat.name == table::kWaiting)
            seat.name = table::defaultName(s);
        else if (s > players && seat.name == table::defaultName(s))
            seat.name = table::kWaiting;
    }
    emit phaseChanged();
    for (int s = 1; s <= kSeats; ++s) emit seatChanged(s);
    emit gameChanged();
    emit dealsChanged();
}

void TableModel::restoreGame(int gameType, int target, int dealer, int turnSeat,
                             const std::array<int, kSeats + 1>& scores) {
    m_gameType = gameType;
    m_target = target;
    m_turnSeat = turnSeat;
    m_winner = m_winnerPartner = 0;
    if (gameType == 1) {
        m_seats[3].cards = m_seats[4].cards = SeatCards::NotPlaying;
    } else if (gameType == 2) {
        m_seats[4].cards = SeatCards::NotPlaying;
    }
    const int players = table::playersOf(gameType);
    for (int s = 2; s <= players; ++s)
        if (m_seats[std::size_t(s)].name == table::kWaiting)
            m_seats[std::size_t(s)].name = table::defaultName(s);
    for (int s = 1; s <= kSeats; ++s) emit seatChanged(s);
    emit gameChanged();
    emit turnChanged();
    if (table::isPlayingSeat(dealer)) setDealer(dealer);
    for (int s = 1; s <= kSeats; ++s)
        if (scores[std::size_t(s)] != 0) postscore(s, scores[std::size_t(s)]);
}

void TableModel::setStartOffered(bool offered) {
    m_startOffered = offered;
    emit startOfferedChanged();
}

void TableModel::setPhase(int phase) {
    m_phase = phase;
    emit phaseChanged();
}

void TableModel::setDealer(int dealer) {
    m_dealer = table::isPlayingSeat(dealer) ? dealer : 0;
    if (m_dealer) {
        currentDeal().dealer = m_dealer;
        emit dealsChanged();
    }
    emit dealerChanged();
}

void TableModel::setTurn(int turnSeat, int turnMark, int mayAct) {
    m_turnSeat = turnSeat;
    m_turnMark = table::isPlayingSeat(turnMark) ? turnMark : 0;
    m_mayAct = mayAct;
    emit turnChanged();
}

void TableModel::giveUpTurn() {
    m_turnSeat = 0;
    emit turnChanged();
}

void TableModel::hideTurnMark() {
    m_turnMark = 0;
    emit turnChanged();
}

// ---------------------------------------------------------------- a deal

void TableModel::startDeal() {
    m_deals.push_back({});
    m_playRecord.clear();
    emit dealsChanged();
    m_phase = 0;
    emit phaseChanged();
    setStarter(0);
    clearPile();
    m_summaryOpen = false;
    emit summaryChanged();
    // A new deal starts an empty row.
    clearHand();
    m_dealer = 0;
    emit dealerChanged();
    clearGo();
    const int players = table::playersOf(m_gameType);
    for (int s = 1; s <= players; ++s)
        if (s != m_localSeat) setHandCount(s, table::cardsDealt(m_gameType));
}

void TableModel::dealBacks() {
    const int players = table::playersOf(m_gameType);
    for (int s = 1; s <= players; ++s) setHandCount(s, table::cardsDealt(m_gameType));
}

table::DealRecord& TableModel::currentDeal() {
    if (m_deals.empty()) m_deals.push_back({});
    return m_deals.back();
}

// ---------------------------------------------------------------- the local hand

const TableModel::HandCard& TableModel::card(int pos) const {
    static const HandCard kNone;
    return validPosition(pos) ? m_hand[std::size_t(pos)] : kNone;
}

int TableModel::positionInSlot(int slot) const {
    if (slot < 1 || slot > table::kSlots) return 0;
    const int pos = m_slots[std::size_t(slot)];
    return validPosition(pos) ? pos : 0;
}

int TableModel::slotOf(int pos) const {
    for (int s = 1; s <= table::kSlots; ++s)
        if (m_slots[std::size_t(s)] == pos) return s;
    return 0;
}

std::vector<int> TableModel::rowPositions() const {
    std::vector<int> row;
    for (int s = 1; s <= table::kSlots; ++s) {
        const int pos = positionInSlot(s);
        if (pos && m_hand[std::size_t(pos)].held) row.push_back(pos);
    }
    return row;
}

bool TableModel::isPlayable(int pos) const {
    const HandCard& c = card(pos);
    if (!c.held || !m_connected || m_mayAct < 1 || m_turnSeat != m_localSeat) return false;
    if (m_phase == 1 || m_phase == 2) return false;
    return m_runningTotal + rules::countValue(c.code) <= 31;
}

bool TableModel::addCard(int pos, int code) {
    if (!validPosition(pos) || m_hand[std::size_t(pos)].held || !rules::isCard(code)) return false;
    int slot = 0;
    for (int s = 1; s <= table::kSlots && !slot; ++s)
        if (m_slots[std::size_t(s)] < 0) slot = s;
    if (slot == 0) return false;
    m_slots[std::size_t(slot)] = pos;
    m_hand[std::size_t(pos)] = HandCard{code, true, false, false};
    if (std::find(m_dealt.begin(), m_dealt.end(), code) == m_dealt.end()) m_dealt.push_back(code);
    emit handChanged();
    return true;
}

void TableModel::movecards(int pos) {
    if (validPosition(pos)) m_hand[std::size_t(pos)] = HandCard{};
    const int s = slotOf(pos);
    if (s == 0) {
        emit handChanged();
        return;
    }
    m_slots[std::size_t(s)] = -1;
    for (int t = s + 1; t <= table::kSlots; ++t) {
        const int moved = m_slots[std::size_t(t)];
        if (moved < 0) continue;
        m_slots[std::size_t(t - 1)] = moved;
        m_slots[std::size_t(t)] = -1;
        if (validPosition(moved)) m_hand[std::size_t(moved)].nudged = false;
    }
    for (HandCard& c : m_hand) c.raised = false;
    m_suggested = 0;
    emit handChanged();
}

void TableModel::clearHand() {
    m_slots.fill(-1);
    m_hand.fill(HandCard{});
    m_dealt.clear();
    m_suggested = 0;
    emit handChanged();
}

void TableModel::sortHand() {
    auto rank = [this](int pos) { return table::sortRank(m_hand[std::size_t(pos)].code); };
    auto valid = [this](int pos) { return validPosition(pos) && m_hand[std::size_t(pos)].held; };
    for (int pass = 0; pass < 10; ++pass) {
        for (int s = table::kSlots; s >= 2; --s) {
            const int right = m_slots[std::size_t(s)];
            if (right < 0) continue;
            const int left = m_slots[std::size_t(s - 1)];
            // A slot that refers to no card ends the sort where it stands.
            if (!valid(left) || !valid(right)) return;
            if (rank(left) > rank(right)) {
                std::swap(m_slots[std::size_t(s - 1)], m_slots[std::size_t(s)]);
                m_hand[std::size_t(left)].nudged = true;
                m_hand[std::size_t(right)].nudged = true;
            }
        }
    }
    for (HandCard& c : m_hand) c.raised = false;
    m_suggested = 0;
    emit handChanged();
}

TableModel::ClickResult TableModel::clickCard(int pos) {
    if (m_mayAct < 1 || m_turnSeat != m_localSeat || !m_connected) return ClickResult::Ignored;
    if (!validPosition(pos) || !m_hand[std::size_t(pos)].held) return ClickResult::Ignored;
    HandCard& c = m_hand[std::size_t(pos)];
    const bool play = m_phase != 1 && m_phase != 2;

    // The card a hint raised in the play is played by a click, as a resting card would be.
    if (c.raised && !(play && pos == m_suggested)) {
        c.raised = false;
        if (m_crib1 == pos) m_crib1 = 0;
        if (m_crib2 == pos) m_crib2 = 0;
        if (m_phase == 1 || m_phase == 2) m_okOffered = false;
        emit handChanged();
        return ClickResult::Changed;
    }
    // A sort lowers chosen cards without forgetting them; raising one again must not choose the
    // same card twice.
    const bool chosen = m_crib1 == pos || m_crib2 == pos;
    if (m_phase == 1) {
        if (chosen) {
            c.raised = true;
        } else if (m_crib1 == 0) {
            c.raised = true;
            m_crib1 = pos;
        } else if (m_crib2 == 0) {
            c.raised = true;
            m_crib2 = pos;
        }
        if (m_crib1 != 0 && m_crib2 != 0) m_okOffered = true;
    } else if (m_phase == 2) {
        if (chosen || m_crib1 == 0) {
            c.raised = true;
            m_crib1 = pos;
            m_okOffered = true;
        }
    } else {
        if (m_suggested != 0 && m_suggested != pos) m_hand[std::size_t(m_suggested)].raised = false;
        m_suggested = 0;
        c.raised = true;
        emit handChanged();
        return ClickResult::Play;
    }
    emit handChanged();
    return ClickResult::Changed;
}

void TableModel::resetCribChoice() {
    m_crib1 = m_crib2 = 0;
}

void TableModel::setOkOffered(bool offered) {
    m_okOffered = offered;
    emit handChanged();
}

bool TableModel::suggestCrib(int first, int second) {
    if (m_mayAct < 1 || m_turnSeat != m_localSeat || !m_connected) return false;
    if (m_phase != 1 && m_phase != 2) return false;
    auto heldAt = [this](int pos) { return validPosition(pos) && m_hand[std::size_t(pos)].held; };
    const bool two = m_phase == 1;
    if (!heldAt(first)) return false;
    if (two ? (!heldAt(second) || second == first) : second != 0) return false;
    for (HandCard& c : m_hand) c.raised = false;
    m_crib1 = first;
    m_crib2 = two ? second : 0;
    m_hand[std::size_t(first)].raised = true;
    if (two) m_hand[std::size_t(second)].raised = true;
    m_okOffered = true;
    emit handChanged();
    return true;
}

bool TableModel::suggestPlay(int pos) {
    if (!isPlayable(pos)) return false;
    for (HandCard& c : m_hand) c.raised = false;
    m_hand[std::size_t(pos)].raised = true;
    m_suggested = pos;
    emit handChanged();
    return true;
}

// ---------------------------------------------------------------- the middle of the table

void TableModel::setStarter(int code) {
    m_starter = code;
    if (rules::isCard(code)) {
        currentDeal().starter = code;
        m_playRecord.starter = code;
        emit dealsChanged();
    }
    emit starterChanged();
}

void TableModel::setRunningTotal(int total) {
    m_runningTotal = total;
    emit countChanged();
}

void TableModel::cardPlayed(int seat, int pos, int n, int code, int total) {
    setRunningTotal(total);
    clearGo();
    if (seat != m_localSeat) {
        if (Seat* s = seatRef(seat)) setHandCount(seat, s->handCount - 1);
    } else {
        movecards(pos);
    }
    if (table::isPlayingSeat(seat)) {
        currentDeal().played[std::size_t(seat)].push_back(code);
        m_playRecord.lay(seat, code);
        emit dealsChanged();
    }
    m_pileCount = n;
    m_pile.push_back(code);
    emit pileChanged();
}

void TableModel::clearPile() {
    m_pileCount = 0;
    m_pile.clear();
    emit pileChanged();
    setRunningTotal(0);
}

void TableModel::restorePile(int total, int count, const std::vector<int>& entries) {
    setRunningTotal(total);
    m_pileCount = count;
    m_pile = entries;
    emit pileChanged();
}

// ---------------------------------------------------------------- status and score log

void TableModel::setStatus(const QString& text) {
    m_status = text;
    emit statusChanged();
}

void TableModel::logScore(const QString& line) {
    m_scoreLog << line;
    emit scoreLogged(line);
}

void TableModel::peg(int seat, int score) {
    if (!table::isPlayingSeat(seat)) return;
    currentDeal().playPoints[std::size_t(seat)] += score - m_seats[std::size_t(seat)].score;
    postscore(seat, score);
    emit dealsChanged();
}

QString TableModel::leaderLine(int (*random)(int)) const {
    int leader = 1;
    for (int s = 2; s <= kSeats; ++s)
        if (m_seats[std::size_t(s)].showScore > m_seats[std::size_t(leader)].showScore) leader = s;
    if (m_seats[std::size_t(leader)].showScore == 0) return QString();

    if (m_gameType == 4) {
        const int r = random(10);
        const QString phrase = QString::fromLatin1(kTeamLead[r < 0 || r > 9 ? 0 : r]);
        if (leader == 1 || leader == 3) return "-" + seatName(1) + " and " + seatName(3) + phrase;
        return "-" + seatName(2) + " and " + seatName(4) + phrase;
    }
    int r = random(25);
    if (r < 0 || r > 24) r = 0;
    if (leader == m_localSeat) return QString::fromLatin1(kOwnLead[r]);
    return "-" + seatName(leader) + QString::fromLatin1(kOtherLead[r]);
}

// ---------------------------------------------------------------- the summary

std::optional<int> TableModel::rowScore(int seat) const {
    return table::isPlayingSeat(seat) ? m_rowScore[std::size_t(seat)] : std::nullopt;
}

QString TableModel::rowName(int seat) const {
    return table::isPlayingSeat(seat) ? m_rowName[std::size_t(seat)] : QString();
}

const std::optional<table::ShowRecord>& TableModel::shown(int box) const {
    static const std::optional<table::ShowRecord> kNone;
    return box >= 1 && box <= table::kCribBox ? m_shown[std::size_t(box)] : kNone;
}

QStringList TableModel::summaryLines(int box) const {
    const auto& record = shown(box);
    if (!record) {
        // A hand never counted (the game ended during the show) keeps the placeholders.
        if (box <= m_placeholderSeats)
            return {QStringLiteral("Game Over"), QStringLiteral("Score Not Tallied")};
        return {};
    }
    QStringList lines;
    for (std::size_t c = 0; c < 5; ++c)
        if (record->points[c] != 0)
            lines << QString::number(record->points[c]) + QString::fromLatin1(kCategorySuffix[c]);
    if (lines.isEmpty()) lines << QStringLiteral("No Points Scored");
    lines << QStringLiteral("--------------");
    lines << QString::number(record->total) + (box == table::kCribBox
                                                   ? QStringLiteral(" - Crib Total")
                                                   : QStringLiteral(" - Hand Total"));
    return lines;
}

void TableModel::openSummary(bool doneAwaited) {
    m_summaryOpen = true;
    m_doneAwaited = doneAwaited;
    for (auto& r : m_shown) r.reset();
    for (auto& r : m_rowScore) r.reset();
    for (auto& n : m_rowName) n.clear();
    m_placeholderSeats = m_gameType >= 2 && m_gameType <= 4 ? table::playersOf(m_gameType) : 0;
    emit summaryOpened();
    emit summaryChanged();
}

void TableModel::reportShow(int dealer, const table::ShowRecord& record, int partner,
                            int partnerScore) {
    const int box = record.box;
    if (box < 1 || box > table::kCribBox) return;
    auto report = [this](int seat, int score) {
        m_rowName[std::size_t(seat)] = seatName(seat);
        postscore(seat, score);
        m_rowScore[std::size_t(seat)] = score;
        m_seats[std::size_t(seat)].showScore = score;
    };
    if (box <= kSeats) {
        report(box, record.score);
        if (m_gameType == 4 && table::isPlayingSeat(partner)) report(partner, partnerScore);
    } else if (table::isPlayingSeat(dealer)) {
        m_cribBoxDealer = dealer;
    }
    m_shown[std::size_t(box)] = record;
    currentDeal().shows[std::size_t(box)] = record;
    emit summaryChanged();
    emit dealsChanged();
}

void TableModel::closeSummary() {
    m_summaryOpen = false;
    emit summaryChanged();
}

// ---------------------------------------------------------------- what the local seat knows

std::vector<int> TableModel::thrown() const {
    std::vector<int> played;
    if (table::isPlayingSeat(m_localSeat) && !m_deals.empty())
        played = m_deals.back().played[std::size_t(m_localSeat)];
    std::vector<int> thrown;
    for (const int code : m_dealt) {
        const bool held = std::any_of(m_hand.begin(), m_hand.end(), [code](const HandCard& c) {
            return c.held && c.code == code;
        });
        if (!held && std::find(played.begin(), played.end(), code) == played.end())
            thrown.push_back(code);
    }
    return thrown;
}

void TableModel::noteGo(int seat) {
    m_playRecord.go(seat, m_runningTotal);
}

rules::SeatView TableModel::seatView() const {
    rules::SeatView v;
    v.gameType = m_gameType;
    v.seat = m_localSeat;
    v.dealer = m_dealer;
    v.target = m_target;
    for (int s = 1; s <= kSeats; ++s) v.scores[std::size_t(s)] = m_seats[std::size_t(s)].score;
    // In the order dealt, which is the order the analysis lists a keep's cards in.
    for (int pos = 1; pos <= table::kMaxHandPos; ++pos)
        if (m_hand[std::size_t(pos)].held) v.hand.push_back(m_hand[std::size_t(pos)].code);
    v.thrown = thrown();
    v.record = m_playRecord;
    // A restored count names its cards by rank as clubs, which is all the count's points need.
    for (const int code : m_pile) v.seq.push(code);
    v.seq.count = m_runningTotal;
    return v;
}

// ---------------------------------------------------------------- the winner

void TableModel::setWinner(int seat, int partner) {
    if (!table::isPlayingSeat(seat)) return;
    clearHand();
    for (int s = 1; s <= kSeats; ++s) {
        m_seats[std::size_t(s)].handCount = 0;
        m_seats[std::size_t(s)].cards = SeatCards::Blank;
    }
    m_winner = seat;
    m_winnerPartner = table::isPlayingSeat(partner) ? partner : 0;
    m_seats[std::size_t(seat)].winner = true;
    if (m_winnerPartner) m_seats[std::size_t(m_winnerPartner)].winner = true;
    m_turnSeat = 0;
    m_mayAct = 0;
    m_turnMark = 0;
    m_okOffered = false;
    for (int s = 1; s <= kSeats; ++s) emit seatChanged(s);
    emit handChanged();
    emit turnChanged();
    emit winnerChanged();
    if (m_host) setStartOffered(true);
}
