// The wire texts of the protocol: one builder per message, the field reader and the cutting of
// a byte stream into messages at 0xFF.
#include "net/message.h"

#include <charconv>
#include <initializer_list>

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

std::pair<std::string_view, std::string_view> splitCommand(std::string_view message) {
    const auto plus = message.find('+');
    if (plus == std::string_view::npos) return {{}, {}};
    return {message.substr(0, plus), message.substr(plus + 1)};
}

// Accepted: an optional '-' followed by one or more decimal digits, nothing else (no blanks, no
// '+', no hex), and the value must fit in an int. Leading zeros are tolerated ("007" is 7).
std::optional<int> parseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, 10);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

std::string_view FieldReader::takeText() {
    const auto plus = m_rest.find('+');
    std::string_view field;
    if (plus == std::string_view::npos) {
        field = m_rest;
        m_rest = {};
    } else {
        field = m_rest.substr(0, plus);
        m_rest.remove_prefix(plus + 1);
    }
    return field;
}

// The field is consumed even when it is not a number: the handler stops anyway.
std::optional<int> FieldReader::takeInt() {
    return parseInt(takeText());
}

std::optional<StartGame> readStartgame(std::string_view args) {
    // Every field is followed by "+": name+points+type+
    if (args.empty() || args.back() != '+') return std::nullopt;
    args.remove_suffix(1);
    const auto typeAt = args.rfind('+');
    if (typeAt == std::string_view::npos) return std::nullopt;
    const auto gameType = parseInt(args.substr(typeAt + 1));
    if (!gameType) return std::nullopt;
    args = args.substr(0, typeAt);
    const auto pointsAt = args.rfind('+');
    if (pointsAt == std::string_view::npos) return std::nullopt;
    return StartGame{args.substr(0, pointsAt), args.substr(pointsAt + 1), *gameType};
}

std::vector<std::string> ReceiveBuffer::append(std::string_view bytes) {
    std::vector<std::string> messages;
    // Only the new bytes are scanned: the tail is known to hold no terminator.
    auto end = bytes.find(kTerminator);
    if (end == std::string_view::npos) {
        m_tail.append(bytes);
        return messages;
    }
    m_tail.append(bytes.substr(0, end));
    messages.push_back(std::move(m_tail));
    m_tail.clear();
    bytes.remove_prefix(end + 1);
    while ((end = bytes.find(kTerminator)) != std::string_view::npos) {
        messages.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
    }
    m_tail.assign(bytes);
    return messages;
}

namespace toServer {

std::string logininfo(int seat, std::string_view version, std::string_view name) {
    // The second terminator yields an empty message the server drops; peers expect it.
    return build("logininfo", {seat, version, name}, false) + kTerminator;
}
std::string startgame(std::string_view name, std::string_view points, int gameType) {
    return build("startgame", {name, points, gameType});
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
    return build("chat", {seat, textWithColour}, false);
}
std::string action(int seat, std::string_view textWithColour) {
    return build("action", {seat, textWithColour}, false);
}
std::string playasound(int seat, std::string_view soundName) {
    return build("playasound", {seat, soundName});
}
std::string justwatch(int seat, std::string_view mode) {
    return build("justwatch", {seat, mode}, false);
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
std::string nextplayer(int seat, int phase) {
    return build("nextplayer", {seat, phase});
}
std::string hegoes(int seat) {
    return build("hegoes", {seat});
}
std::string pegsgo(int seat, int score, int partner, int partnerScore) {
    return build("pegsgo", {seat, score, partner, partnerScore});
}
std::string startagain() {
    return build("startagain", {});
}
std::string playcard(int seat, int pos, int n, int card, int count) {
    return build("playcard", {seat, pos, n, card, count});
}
std::string toomuch(int seat) {
    return build("toomuch", {seat});
}
std::string extra(int seat, int score, int kind, int partner, int partnerScore) {
    return build("extra", {seat, score, kind, partner, partnerScore});
}
std::string total15(int seat, int score, int partner, int partnerScore) {
    return build("total15", {seat, score, partner, partnerScore});
}
std::string total31(int seat, int score, int partner, int partnerScore) {
    return build("total31", {seat, score, partner, partnerScore});
}
std::string pegslast(int seat, int score, int partner, int partnerScore) {
    return build("pegslast", {seat, score, partner, partnerScore});
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

} // namespace net
