// The text messages between the game server and its clients: builders, field reader, framing.
// No Qt here: both sides and the tools share it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

constexpr char kTerminator = '\xFF';
// Unterminated bytes one connection may hold before it is treated as hostile.
constexpr std::size_t kMaxUnterminated = 64 * 1024;
// The version text both sides compare at login.
constexpr std::string_view kVersion = "2.0.8";

// Splits a message (without terminator) at the first "+": {command, argument text}.
// A message without "+" has an empty command.
std::pair<std::string_view, std::string_view> splitCommand(std::string_view message);

// Takes fields from the front of an argument text. A numeric field that is not a decimal
// number makes takeInt() return nullopt; the handler then stops.
class FieldReader {
public:
    explicit FieldReader(std::string_view args) : m_rest(args) {}
    std::optional<int> takeInt();
    // The text before the next "+" (or all that is left when there is no "+").
    std::string_view takeText();
    // A final text field: all that remains.
    std::string_view rest() const { return m_rest; }
    bool atEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

// Parses a whole decimal number (optional leading '-'), nullopt for anything else or overflow.
std::optional<int> parseInt(std::string_view text);

// CMD_startgame (both directions): the host's name comes first and may itself hold "+", so
// the points choice and the game type are taken from the end. nullopt when a field is missing
// or the game type is not a number.
struct StartGame {
    std::string_view name;
    std::string_view points;
    int gameType = 0;
};
std::optional<StartGame> readStartgame(std::string_view args);

// Cuts one connection's byte stream at 0xFF. Whole messages (without terminator, possibly
// empty) come out in order; the unterminated tail stays for later bytes.
class ReceiveBuffer {
public:
    // Appends bytes and returns the messages they completed.
    std::vector<std::string> append(std::string_view bytes);
    std::size_t pending() const { return m_tail.size(); }
    // True once the unterminated tail has passed kMaxUnterminated.
    bool overflowed() const { return m_tail.size() > kMaxUnterminated; }
    void clear() { m_tail.clear(); }

private:
    std::string m_tail;
};

// Builders: each returns the complete message, terminator included. Function names are the
// command names without "CMD_"; fields come in the order of the protocol.
namespace toServer {
std::string logininfo(int seat, std::string_view version, std::string_view name); // two 0xFF
std::string startgame(std::string_view name, std::string_view points, int gameType);
std::string sendcard(int seat, int pos1, int pos2);
std::string playcard(int seat, int pos);
std::string clickdone(int seat);
std::string chat(int seat, std::string_view textWithColour);
std::string action(int seat, std::string_view textWithColour);
std::string playasound(int seat, std::string_view soundName);
std::string justwatch(int seat, std::string_view mode); // "1" watch, "2" play again
std::string kickhim(int requester, int target);
} // namespace toServer

namespace toClient {
std::string sendlogininfo(int seat);
std::string full();
std::string newplayerinfo(int seat, std::string_view name);
std::string existingplayers(int seat, std::string_view name);
std::string havewrongversion(std::string_view name);
std::string wrongversion();
std::string playerdisconnected(int seat, std::string_view name);
std::string justwatching(int seat, std::string_view mode);
std::string chat(int seat, std::string_view text);   // text: name + " chats: " + chat text
std::string action(int seat, std::string_view text); // text: name + " " + action text
std::string playasound(int seat, std::string_view rest);
std::string startgame(std::string_view name, std::string_view points, std::string_view gameType);
std::string startround();
// cards: {hand position, card} pairs.
std::string mycards(int seat, const std::vector<std::pair<int, int>>& cards);
std::string playergive(int seat, int dealer, int phase);
std::string needtwo(int seat);
std::string gavecards(int seat, int pos1, int pos2);
std::string setcrib(int seat);
std::string turnover(int starter, int heels, int dealer, int dealerScore, int partner,
                     int partnerScore);
std::string nextplayer(int seat, int phase);
std::string hegoes(int seat);
std::string pegsgo(int seat, int score, int partner, int partnerScore);
std::string startagain();
std::string playcard(int seat, int pos, int n, int card, int count);
std::string toomuch(int seat);
std::string extra(int seat, int score, int kind, int partner, int partnerScore);
std::string total15(int seat, int score, int partner, int partnerScore);
std::string total31(int seat, int score, int partner, int partnerScore);
std::string pegslast(int seat, int score, int partner, int partnerScore);
std::string final(int seatOrZero);
struct EndScore {
    int dealer = 0, seat = 0, score = 0, partner = 0, partnerScore = 0;
    int total = 0, fifteens = 0, pairs = 0, runs = 0, flush = 0, nob = 0;
    int cards[5] = {0, 0, 0, 0, 0};
};
std::string endscore(const EndScore& e);
std::string winner(int seat, int partnerOrZero);
std::string loadstats(int seat, int gameType, int target, int phase, int dealer, int current,
                      const int scores[4]);
std::string middlecards(int starter, int count, const std::vector<int>& rankKeys);
std::string theircards(int seat, int count);
} // namespace toClient

} // namespace net
