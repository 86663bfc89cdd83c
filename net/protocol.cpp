// The messages of the game protocol: one builder and one typed reader each, and the validators
// that check a message before any handler sees it.
#include "net/protocol.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace net {

namespace {

// One field as it goes on the wire: a number or a piece of text.
struct Field {
    Field(int n) : text(std::to_string(n)), isText(false) {}
    Field(std::string_view t) : text(t), isText(true) {}
    std::string text;
    bool isText;
};

// A 0xFF inside a text field would end the message there and let the rest pass for a message
// of its own (a chat line could smuggle in a command). UTF-8 text never holds that byte, so
// dropping it only touches text that was not valid to begin with.
void appendText(std::string& out, std::string_view text) {
    for (char c : text)
        if (c != kTerminator) out += c;
}

// name is the command without "CMD_"; every field is followed by "+" except the last one when
// trailingPlus is false (messages whose last field takes the rest of the text).
std::string build(std::string_view name, std::initializer_list<Field> fields,
                  bool trailingPlus = true) {
    std::string out = "CMD_";
    out += name;
    out += '+';
    std::size_t i = 0;
    for (const Field& f : fields) {
        if (f.isText)
            appendText(out, f.text);
        else
            out += f.text;
        if (++i < fields.size() || trailingPlus) out += '+';
    }
    out += kTerminator;
    return out;
}

} // namespace

namespace toServer {

std::string logininfo(int seat, std::string_view version, std::string_view name) {
    // The second terminator yields an empty message the server drops; peers expect it.
    return build("logininfo", {seat, version, cutName(name)}, false) + kTerminator;
}
std::string startgame(std::string_view name, std::string_view points, int gameType) {
    return build("startgame", {cutName(name), points, gameType});
}
std::string startgame(const StartGame& m) {
    return startgame(m.name, m.points, int(m.gameType));
}
std::string sendcard(int seat, int pos1, int pos2) {
    return build("sendcard", {seat, pos1, pos2});
}
std::string playcard(int seat, int pos) {
    return build("playcard", {seat, pos});
}
std::string clickdone(int seat) {
    return build("clickdone", {seat});
}
std::string chat(int seat, std::string_view textWithColour) {
    return build("chat", {seat, std::string_view(cutChatText(textWithColour))}, false);
}
std::string action(int seat, std::string_view textWithColour) {
    return build("action", {seat, std::string_view(cutChatText(textWithColour))}, false);
}
std::string playasound(int seat, std::string_view soundName) {
    return build("playasound", {seat, soundName});
}
std::string justwatch(int seat, std::string_view mode) {
    return build("justwatch", {seat, mode}, false);
}
std::string justwatch(const WatchChange& m) {
    return justwatch(m.seat, m.watching ? "1" : "2");
}
std::string kickhim(int requester, int target) {
    return build("kickhim", {requester, target});
}

} // namespace toServer

namespace toClient {

std::string sendlogininfo(int seat) {
    return build("sendlogininfo", {seat}, false);
}
std::string full() {
    return build("full", {});
}
std::string newplayerinfo(int seat, std::string_view name) {
    return build("newplayerinfo", {seat, name}, false);
}
std::string existingplayers(int seat, std::string_view name) {
    return build("existingplayers", {seat, name}, false);
}
std::string havewrongversion(std::string_view name) {
    return build("havewrongversion", {name}, false);
}
std::string wrongversion() {
    return build("wrongversion", {});
}
std::string playerdisconnected(int seat, std::string_view name) {
    return build("playerdisconnected", {seat, name}, false);
}
std::string justwatching(int seat, std::string_view mode) {
    return build("justwatching", {seat, mode}, false);
}
std::string justwatching(const WatchChange& m) {
    return justwatching(m.seat, m.watching ? "1" : "2");
}
std::string chat(int seat, std::string_view text) {
    return build("chat", {seat, text}, false);
}
std::string action(int seat, std::string_view text) {
    return build("action", {seat, text}, false);
}
std::string playasound(int seat, std::string_view rest) {
    return build("playasound", {seat, rest});
}
std::string startgame(std::string_view name, std::string_view points, std::string_view gameType) {
    return build("startgame", {name, points, gameType});
}
std::string startgame(const StartGame& m) {
    return build("startgame", {m.name, m.points, int(m.gameType)});
}
std::string startround() {
    return build("startround", {});
}

std::string mycards(int seat, const std::vector<std::pair<int, int>>& cards) {
    std::string out = "CMD_mycards+" + std::to_string(seat) + '+' + std::to_string(cards.size());
    for (const auto& [pos, card] : cards)
        out += '+' + std::to_string(pos) + '+' + std::to_string(card);
    out += kTerminator;
    return out;
}

std::string playergive(int seat, int dealer, int phase) {
    return build("playergive", {seat, dealer, phase});
}
std::string needtwo(int seat) {
    return build("needtwo", {seat});
}
std::string gavecards(int seat, int pos1, int pos2) {
    return build("gavecards", {seat, pos1, pos2});
}
std::string setcrib(int seat) {
    return build("setcrib", {seat});
}
std::string turnover(int starter, int heels, int dealer, int dealerScore, int partner,
                     int partnerScore) {
    return build("turnover", {starter, heels, dealer, dealerScore, partner, partnerScore});
}
std::string turnover(const TurnOver& m) {
    return turnover(m.starter, m.heels, m.dealer, m.dealerScore, m.partner, m.partnerScore);
}
std::string nextplayer(int seat, int phase) {
    return build("nextplayer", {seat, phase});
}
std::string hegoes(int seat) {
    return build("hegoes", {seat});
}
std::string pegsgo(int seat, int score, int partner, int partnerScore) {
    return build("pegsgo", {seat, score, partner, partnerScore});
}
std::string pegsgo(const ScoreChange& m) {
    return pegsgo(m.seat, m.score, m.partner, m.partnerScore);
}
std::string startagain() {
    return build("startagain", {});
}
std::string playcard(int seat, int pos, int n, int card, int count) {
    return build("playcard", {seat, pos, n, card, count});
}
std::string playcard(const CardPlayed& m) {
    return playcard(m.seat, m.position, m.cardsInCount, m.card, m.count);
}
std::string toomuch(int seat) {
    return build("toomuch", {seat});
}
std::string extra(int seat, int score, int kind, int partner, int partnerScore) {
    return build("extra", {seat, score, kind, partner, partnerScore});
}
std::string extra(const Extra& m) {
    return extra(m.seat, m.score, int(m.kind), m.partner, m.partnerScore);
}
std::string total15(int seat, int score, int partner, int partnerScore) {
    return build("total15", {seat, score, partner, partnerScore});
}
std::string total15(const ScoreChange& m) {
    return total15(m.seat, m.score, m.partner, m.partnerScore);
}
std::string total31(int seat, int score, int partner, int partnerScore) {
    return build("total31", {seat, score, partner, partnerScore});
}
std::string total31(const ScoreChange& m) {
    return total31(m.seat, m.score, m.partner, m.partnerScore);
}
std::string pegslast(int seat, int score, int partner, int partnerScore) {
    return build("pegslast", {seat, score, partner, partnerScore});
}
std::string pegslast(const ScoreChange& m) {
    return pegslast(m.seat, m.score, m.partner, m.partnerScore);
}
std::string final(int seatOrZero) {
    return build("final", {seatOrZero});
}

std::string endscore(const EndScore& e) {
    return build("endscore", {e.dealer, e.seat, e.score, e.partner, e.partnerScore, e.total,
                              e.fifteens, e.pairs, e.runs, e.flush, e.nob, e.cards[0], e.cards[1],
                              e.cards[2], e.cards[3], e.cards[4]});
}

std::string winner(int seat, int partnerOrZero) {
    return build("winner", {seat, partnerOrZero});
}

std::string loadstats(int seat, int gameType, int target, int phase, int dealer, int current,
                      const int scores[4]) {
    return build("loadstats", {seat, gameType, target, phase, dealer, current, scores[0], scores[1],
                               scores[2], scores[3]});
}
std::string loadstats(const LoadStats& m) {
    return loadstats(m.seat, int(m.gameType), m.target, int(m.phase), m.dealer, m.current,
                     m.scores.data());
}

std::string middlecards(int starter, int count, const std::vector<int>& rankKeys) {
    std::string out = "CMD_middlecards+" + std::to_string(starter) + '+' + std::to_string(count) +
                      '+' + std::to_string(rankKeys.size());
    for (int key : rankKeys) out += '+' + std::to_string(key);
    out += kTerminator;
    return out;
}

std::string theircards(int seat, int count) {
    return build("theircards", {seat, count});
}

} // namespace toClient

// ---- Readers ---------------------------------------------------------------------------------

namespace {

// Takes fields from the front and holds each to its range. The first failure sticks, so a
// reader takes all its fields and asks once at the end.
class Fields {
public:
    explicit Fields(std::string_view args) : m_reader(args) {}

    int number(int low, int high) {
        const auto value = m_reader.takeInt();
        if (!value || *value < low || *value > high) {
            m_ok = false;
            return low;
        }
        return *value;
    }
    std::string_view text() { return m_reader.takeText(); }
    // A final text field: everything that is left, "+" included.
    std::string_view rest() {
        const std::string_view all = m_reader.rest();
        m_reader = FieldReader({});
        return all;
    }
    bool atEnd() const { return m_reader.atEnd(); }
    void fail() { m_ok = false; }
    // Every field read and in range, and nothing after the last one (a "+" that ends the last
    // field is part of it).
    bool done() const { return m_ok && m_reader.atEnd(); }

private:
    FieldReader m_reader;
    bool m_ok = true;
};

template <class T> std::optional<T> result(const Fields& f, T value) {
    if (!f.done()) return std::nullopt;
    return value;
}

int connection(Fields& f) {
    return f.number(1, kMaxConnection);
}
int seat(Fields& f) {
    return f.number(1, kMaxSeat);
}
int score(Fields& f) {
    return f.number(0, kMaxScore);
}

rules::GameType gameType(Fields& f) {
    const auto t = rules::toGameType(f.number(1, rules::Partners));
    if (!t) f.fail();
    return t.value_or(rules::NoGameType);
}
rules::Phase phase(Fields& f) {
    const auto p = rules::toPhase(f.number(1, rules::ThePlay));
    if (!p) f.fail();
    return p.value_or(rules::NoPhase);
}

bool watching(Fields& f) {
    const std::string_view mode = f.text();
    if (mode != "1" && mode != "2") f.fail();
    return mode == "1";
}

// "wave" and the number of a chatter sound, as the chat sends it.
std::string_view soundName(Fields& f) {
    const std::string_view name = f.text();
    const std::string_view digits = name.substr(std::min<std::size_t>(4, name.size()));
    const bool number =
        !digits.empty() && digits.size() <= 3 && digits[0] != '0' &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!name.starts_with("wave") || !number) f.fail();
    return name;
}

std::optional<SeatText> seatText(std::string_view args) {
    Fields f(args);
    SeatText m;
    m.seat = connection(f);
    m.text = f.rest();
    return result(f, m);
}

std::optional<int> oneSeat(std::string_view args, int low, int high) {
    Fields f(args);
    const int n = f.number(low, high);
    return result(f, n);
}

std::optional<ScoreChange> scoreChange(std::string_view args) {
    Fields f(args);
    ScoreChange m;
    m.seat = seat(f);
    m.score = score(f);
    m.partner = seat(f);
    m.partnerScore = score(f);
    return result(f, m);
}

// The host's name may hold "+": the game type and the points choice are taken from the end.
// Every field is followed by "+": name+points+type+.
std::optional<StartGame> startGame(std::string_view args) {
    if (args.empty() || args.back() != '+') return std::nullopt;
    args.remove_suffix(1);
    const auto typeAt = args.rfind('+');
    if (typeAt == std::string_view::npos) return std::nullopt;
    const auto type = parseInt(args.substr(typeAt + 1));
    if (!type || !rules::toGameType(*type)) return std::nullopt;
    args = args.substr(0, typeAt);
    const auto pointsAt = args.rfind('+');
    if (pointsAt == std::string_view::npos) return std::nullopt;
    StartGame m;
    m.name = args.substr(0, pointsAt);
    m.points = args.substr(pointsAt + 1);
    m.gameType = rules::GameType(*type);
    if (m.points != "1" && m.points != "2") return std::nullopt;
    return m;
}

std::optional<Sound> sound(std::string_view args) {
    Fields f(args);
    Sound m;
    m.seat = connection(f);
    m.name = soundName(f);
    return result(f, m);
}

std::optional<WatchChange> watchChange(std::string_view args) {
    Fields f(args);
    WatchChange m;
    m.seat = seat(f);
    m.watching = watching(f);
    return result(f, m);
}

std::optional<CribCards> cribCards(std::string_view args, bool secondMayBeMissing) {
    Fields f(args);
    CribCards m;
    m.seat = seat(f);
    m.first = f.number(1, kMaxHandPosition);
    if (!secondMayBeMissing || !f.atEnd()) m.second = f.number(0, kMaxHandPosition);
    return result(f, m);
}

// A check of a message's argument text, for the validators' tables.
struct Check {
    std::string_view command;
    bool (*valid)(std::string_view args);
};

template <auto Reader> bool reads(std::string_view args) {
    return Reader(args).has_value();
}

bool validIn(const Check* first, const Check* last, std::string_view command,
             std::string_view args) {
    for (const Check* c = first; c != last; ++c)
        if (c->command == command) return c->valid(args);
    return false;
}

} // namespace

namespace toServer {

std::optional<Login> readLogininfo(std::string_view args) {
    Fields f(args);
    Login m;
    m.seat = connection(f);
    m.version = f.text();
    m.name = f.rest();
    return result(f, m);
}

std::optional<StartGame> readStartgame(std::string_view args) {
    return startGame(args);
}

std::optional<CribCards> readSendcard(std::string_view args) {
    return cribCards(args, true);
}

std::optional<CardChoice> readPlaycard(std::string_view args) {
    Fields f(args);
    CardChoice m;
    m.seat = seat(f);
    m.position = f.number(1, kMaxHandPosition);
    return result(f, m);
}

// A spectator is sent CMD_final with its own number too, and may answer it.
std::optional<int> readClickdone(std::string_view args) {
    return oneSeat(args, 1, kMaxConnection);
}

std::optional<SeatText> readChat(std::string_view args) {
    return seatText(args);
}

std::optional<SeatText> readAction(std::string_view args) {
    return seatText(args);
}

std::optional<Sound> readPlayasound(std::string_view args) {
    return sound(args);
}

std::optional<WatchChange> readJustwatch(std::string_view args) {
    return watchChange(args);
}

std::optional<Kick> readKickhim(std::string_view args) {
    Fields f(args);
    Kick m;
    m.requester = connection(f);
    m.target = connection(f);
    return result(f, m);
}

bool isValid(std::string_view command, std::string_view args) {
    static constexpr Check checks[] = {
        {"CMD_logininfo", &reads<readLogininfo>}, {"CMD_kickhim", &reads<readKickhim>},
        {"CMD_chat", &reads<readChat>},           {"CMD_action", &reads<readAction>},
        {"CMD_startgame", &reads<readStartgame>}, {"CMD_justwatch", &reads<readJustwatch>},
        {"CMD_sendcard", &reads<readSendcard>},   {"CMD_playcard", &reads<readPlaycard>},
        {"CMD_clickdone", &reads<readClickdone>}, {"CMD_playasound", &reads<readPlayasound>},
    };
    return validIn(std::begin(checks), std::end(checks), command, args);
}

} // namespace toServer

namespace toClient {

std::optional<int> readSendlogininfo(std::string_view args) {
    return oneSeat(args, 1, kMaxConnection);
}

std::optional<SeatText> readNewplayerinfo(std::string_view args) {
    return seatText(args);
}

std::optional<SeatText> readExistingplayers(std::string_view args) {
    return seatText(args);
}

std::optional<std::string_view> readHavewrongversion(std::string_view args) {
    return args;
}

std::optional<SeatText> readPlayerdisconnected(std::string_view args) {
    return seatText(args);
}

std::optional<WatchChange> readJustwatching(std::string_view args) {
    return watchChange(args);
}

std::optional<SeatText> readChat(std::string_view args) {
    return seatText(args);
}

std::optional<SeatText> readAction(std::string_view args) {
    return seatText(args);
}

std::optional<Sound> readPlayasound(std::string_view args) {
    return sound(args);
}

std::optional<StartGame> readStartgame(std::string_view args) {
    return startGame(args);
}

std::optional<MyCards> readMycards(std::string_view args) {
    Fields f(args);
    MyCards m;
    m.seat = seat(f);
    const int n = f.number(0, kMaxHandPosition);
    std::array<bool, kMaxHandPosition + 1> taken{};
    for (int i = 0; i < n; ++i) {
        const int pos = f.number(1, kMaxHandPosition);
        const int card = f.number(1, kMaxCard);
        if (taken[std::size_t(pos)]) f.fail(); // one card a position
        taken[std::size_t(pos)] = true;
        m.cards.emplace_back(pos, card);
    }
    return result(f, std::move(m));
}

std::optional<GiveRequest> readPlayergive(std::string_view args) {
    Fields f(args);
    GiveRequest m;
    m.seat = connection(f);
    m.dealer = seat(f);
    m.phase = phase(f);
    if (m.phase == rules::ThePlay) f.fail();
    return result(f, m);
}

std::optional<int> readNeedtwo(std::string_view args) {
    return oneSeat(args, 1, kMaxSeat);
}

std::optional<CribCards> readGavecards(std::string_view args) {
    return cribCards(args, false);
}

std::optional<int> readSetcrib(std::string_view args) {
    return oneSeat(args, 1, kMaxSeat);
}

std::optional<TurnOver> readTurnover(std::string_view args) {
    Fields f(args);
    TurnOver m;
    m.starter = f.number(1, kMaxCard);
    m.heels = f.number(0, 2);
    if (m.heels == 1) f.fail();
    m.dealer = seat(f);
    m.dealerScore = score(f);
    m.partner = seat(f);
    m.partnerScore = score(f);
    return result(f, m);
}

std::optional<NextPlayer> readNextplayer(std::string_view args) {
    Fields f(args);
    NextPlayer m;
    m.seat = seat(f);
    m.phase = phase(f);
    return result(f, m);
}

std::optional<int> readHegoes(std::string_view args) {
    return oneSeat(args, 1, kMaxSeat);
}

std::optional<ScoreChange> readPegsgo(std::string_view args) {
    return scoreChange(args);
}

std::optional<CardPlayed> readPlaycard(std::string_view args) {
    Fields f(args);
    CardPlayed m;
    m.seat = seat(f);
    m.position = f.number(1, kMaxHandPosition);
    m.cardsInCount = f.number(1, kMaxCardsInCount);
    m.card = f.number(1, kMaxCard);
    m.count = f.number(1, kMaxCount);
    return result(f, m);
}

std::optional<int> readToomuch(std::string_view args) {
    return oneSeat(args, 1, kMaxSeat);
}

std::optional<Extra> readExtra(std::string_view args) {
    Fields f(args);
    Extra m;
    m.seat = seat(f);
    m.score = score(f);
    const auto kind = rules::toPegKind(f.number(1, rules::RunOf7));
    if (!kind) f.fail();
    m.kind = kind.value_or(rules::NoPegKind);
    m.partner = seat(f);
    m.partnerScore = score(f);
    return result(f, m);
}

std::optional<ScoreChange> readTotal15(std::string_view args) {
    return scoreChange(args);
}

std::optional<ScoreChange> readTotal31(std::string_view args) {
    return scoreChange(args);
}

std::optional<ScoreChange> readPegslast(std::string_view args) {
    return scoreChange(args);
}

std::optional<int> readFinal(std::string_view args) {
    return oneSeat(args, 0, kMaxConnection);
}

std::optional<EndScore> readEndscore(std::string_view args) {
    Fields f(args);
    EndScore m;
    m.dealer = seat(f);
    m.seat = f.number(1, kCribRecord);
    m.score = score(f);
    m.partner = f.number(0, kMaxSeat);
    m.partnerScore = score(f);
    for (int* part : {&m.total, &m.fifteens, &m.pairs, &m.runs, &m.flush, &m.nob})
        *part = f.number(0, kMaxShowPoints);
    // A card the deal did not fill reads as 0, no card.
    for (int& card : m.cards) card = f.number(0, kMaxCard);
    return result(f, m);
}

std::optional<Winner> readWinner(std::string_view args) {
    Fields f(args);
    Winner m;
    m.seat = seat(f);
    m.partner = f.number(0, kMaxSeat);
    return result(f, m);
}

std::optional<LoadStats> readLoadstats(std::string_view args) {
    Fields f(args);
    LoadStats m;
    m.seat = connection(f);
    m.gameType = gameType(f);
    m.target = f.number(60, 120);
    if (m.target != 60 && m.target != 120) f.fail();
    m.phase = phase(f);
    m.dealer = seat(f);
    m.current = seat(f);
    for (int& s : m.scores) s = score(f);
    return result(f, m);
}

std::optional<MiddleCards> readMiddlecards(std::string_view args) {
    Fields f(args);
    MiddleCards m;
    m.starter = f.number(1, kMaxCard);
    m.count = f.number(0, kMaxCount);
    const int n = f.number(0, kMaxCardsInCount);
    for (int i = 0; i < n; ++i) m.rankKeys.push_back(f.number(1, 12));
    return result(f, std::move(m));
}

std::optional<TheirCards> readTheircards(std::string_view args) {
    Fields f(args);
    TheirCards m;
    m.seat = seat(f);
    m.cards = f.number(0, kMaxHandPosition);
    return result(f, m);
}

bool readNoFields(std::string_view args) {
    return args.empty();
}

bool isValid(std::string_view command, std::string_view args) {
    static constexpr Check checks[] = {
        {"CMD_sendlogininfo", &reads<readSendlogininfo>},
        {"CMD_chat", &reads<readChat>},
        {"CMD_action", &reads<readAction>},
        {"CMD_newplayerinfo", &reads<readNewplayerinfo>},
        {"CMD_havewrongversion", &reads<readHavewrongversion>},
        {"CMD_wrongversion", &readNoFields},
        {"CMD_existingplayers", &reads<readExistingplayers>},
        {"CMD_playerdisconnected", &reads<readPlayerdisconnected>},
        {"CMD_startgame", &reads<readStartgame>},
        {"CMD_nextplayer", &reads<readNextplayer>},
        {"CMD_winner", &reads<readWinner>},
        {"CMD_full", &readNoFields},
        {"CMD_justwatching", &reads<readJustwatching>},
        {"CMD_mycards", &reads<readMycards>},
        {"CMD_startagain", &readNoFields},
        {"CMD_startround", &readNoFields},
        {"CMD_playergive", &reads<readPlayergive>},
        {"CMD_needtwo", &reads<readNeedtwo>},
        {"CMD_setcrib", &reads<readSetcrib>},
        {"CMD_gavecards", &reads<readGavecards>},
        {"CMD_turnover", &reads<readTurnover>},
        {"CMD_toomuch", &reads<readToomuch>},
        {"CMD_playcard", &reads<readPlaycard>},
        {"CMD_extra", &reads<readExtra>},
        {"CMD_total31", &reads<readTotal31>},
        {"CMD_total15", &reads<readTotal15>},
        {"CMD_pegslast", &reads<readPegslast>},
        {"CMD_pegsgo", &reads<readPegsgo>},
        {"CMD_hegoes", &reads<readHegoes>},
        {"CMD_endscore", &reads<readEndscore>},
        {"CMD_final", &reads<readFinal>},
        {"CMD_loadstats", &reads<readLoadstats>},
        {"CMD_theircards", &reads<readTheircards>},
        {"CMD_middlecards", &reads<readMiddlecards>},
        {"CMD_playasound", &reads<readPlayasound>},
    };
    return validIn(std::begin(checks), std::end(checks), command, args);
}

} // namespace toClient

} // namespace net
