// The game protocol: for every message one builder and one typed reader, shared by the server
// and the client, so the two sides can never read one message two ways. No Qt here.
//
// Messages travel as "CMD_<name>+" and their fields, ended by 0xFF (net/framing.h). Builders
// return the whole message, terminator included. Readers take the argument text, what follows
// "CMD_<name>+" without the terminator, exactly as splitCommand() hands it out:
//
//     const auto [command, args] = net::splitCommand(message);
//     if (command == "CMD_loadstats") {
//         const auto m = net::toClient::readLoadstats(args);
//         if (!m) return; // not a well-formed loadstats: drop it, nothing has changed yet
//         use(m->gameType, m->target, m->scores[0]);
//     }
//
// A reader checks the number of fields, that every number is one, and that each lies in its
// range (seat, hand position, card, count, score, game type, phase, kind of points); anything
// else gives std::nullopt. Readers never throw and never cut: text fields are views into the
// argument text (copy them before the message goes away), and a name or a chat text longer
// than its limit is read whole. The server cuts what it keeps and relays (cutName(),
// cutChatText()); the builders of what a client sends cut the same way, so an honest client
// never sends what the server would shorten or refuse.
//
// toServer:: holds what a client sends and the server reads, toClient:: the other direction.
// Where one name is used both ways (chat, action, playasound, startgame, playcard) each side's
// reader is the one in the namespace of the direction the message travels.
//
// isValid() answers for any command whether its argument text is well formed, so a dispatcher
// can drop a malformed message before any handler runs.
#pragma once

#include "net/framing.h"
#include "rules/types.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

// The version text both sides compare at login.
constexpr std::string_view kVersion = "2.0.8";

// Ranges the readers hold the fields to.
constexpr int kMaxConnection = 9; // connection numbers 1..9; 1..4 are the seats
constexpr int kMaxSeat = 4;
constexpr int kCribRecord = 5; // the crib's place in CMD_endscore's seat field
constexpr int kMaxHandPosition = 6;
constexpr int kMaxCard = 52;
constexpr int kMaxCount = 31;
// Cards one count can hold: thirteen of them make 31 at most, the rest is margin.
constexpr int kMaxCardsInCount = 32;
// A hand or crib scores at most 29, each part of its breakdown no more.
constexpr int kMaxShowPoints = 29;
// The highest score a seat can reach: at most the larger target (120) before its last record of
// a show, which adds its hand and, for the dealer, the crib.
constexpr int kMaxScore = 120 + 2 * kMaxShowPoints;

// ---- The messages' fields, in wire order -----------------------------------------------------

// CMD_chat, CMD_action (both ways), CMD_newplayerinfo, CMD_existingplayers,
// CMD_playerdisconnected: a connection number and a final text that may hold "+".
struct SeatText {
    int seat = 0;
    std::string_view text;
};

// CMD_logininfo.
struct Login {
    int seat = 0;
    std::string_view version;
    std::string_view name; // may hold "+"
};

// CMD_startgame (the host's request and its relay). The name comes first and may hold "+", so
// the reader takes the points choice and the game type from the end.
struct StartGame {
    std::string_view name;
    std::string_view points; // "2" plays to 61; "1" (or anything else) to 121
    rules::GameType gameType = rules::NoGameType;
    int target() const { return points == "2" ? 60 : 120; }
};

// CMD_justwatch and CMD_justwatching: "1" starts watching, "2" plays again.
struct WatchChange {
    int seat = 0;
    bool watching = false;
};

// CMD_playasound (both ways): a chatter sound's name, "wave" and its number.
struct Sound {
    int seat = 0;
    std::string_view name;
};

// CMD_sendcard and CMD_gavecards: the positions given to the crib, second 0 for one card.
struct CribCards {
    int seat = 0;
    int first = 0;
    int second = 0;
};

// CMD_playcard from a client: the position it lays.
struct CardChoice {
    int seat = 0;
    int position = 0;
};

// CMD_kickhim.
struct Kick {
    int requester = 0;
    int target = 0;
};

// CMD_mycards: {hand position, card} for each card the seat holds.
struct MyCards {
    int seat = 0;
    std::vector<std::pair<int, int>> cards;
};

// CMD_playergive.
struct GiveRequest {
    int seat = 0; // the receiver's own number (1 for a seat that takes no part)
    int dealer = 0;
    rules::Phase phase = rules::NoPhase;
};

// CMD_turnover.
struct TurnOver {
    int starter = 0;
    int heels = 0; // 2 when the starter is a Jack
    int dealer = 0;
    int dealerScore = 0;
    int partner = 0;
    int partnerScore = 0;
};

// CMD_nextplayer.
struct NextPlayer {
    int seat = 0;
    rules::Phase phase = rules::NoPhase;
};

// CMD_total15, CMD_total31, CMD_pegslast, CMD_pegsgo: a seat's new score and its partner's.
struct ScoreChange {
    int seat = 0;
    int score = 0;
    int partner = 0;
    int partnerScore = 0;
};

// CMD_extra: points for pairs or a run.
struct Extra {
    int seat = 0;
    int score = 0;
    rules::PegKind kind = rules::NoPegKind;
    int partner = 0;
    int partnerScore = 0;
};

// CMD_playcard from the server: a card laid.
struct CardPlayed {
    int seat = 0;
    int position = 0;
    int cardsInCount = 0; // this one included
    int card = 0;
    int count = 0; // after this card
};

// CMD_endscore: one hand of the show, or the crib (seat kCribRecord, score and partner 0).
struct EndScore {
    int dealer = 0, seat = 0, score = 0, partner = 0, partnerScore = 0;
    int total = 0, fifteens = 0, pairs = 0, runs = 0, flush = 0, nob = 0;
    int cards[5] = {0, 0, 0, 0, 0}; // the four of the hand or crib, then the starter
};

// CMD_winner.
struct Winner {
    int seat = 0;
    int partner = 0; // the winning partner in the partners game, else 0
};

// CMD_loadstats: the game a newcomer joins.
struct LoadStats {
    int seat = 0;
    rules::GameType gameType = rules::NoGameType;
    int target = 0; // 60 or 120
    rules::Phase phase = rules::NoPhase;
    int dealer = 0;
    int current = 0;
    std::array<int, 4> scores{}; // seats 1..4
};

// CMD_middlecards: the current count as a newcomer sees it.
struct MiddleCards {
    int starter = 0;
    int count = 0;
    std::vector<int> rankKeys; // 1..12 each; Kings are left out
};

// CMD_theircards.
struct TheirCards {
    int seat = 0;
    int cards = 0;
};

// ---- Client to server ------------------------------------------------------------------------

namespace toServer {

// The login ends with a second terminator, an empty message the server drops; peers expect it.
std::string logininfo(int seat, std::string_view version, std::string_view name);
std::string startgame(std::string_view name, std::string_view points, int gameType);
std::string startgame(const StartGame& m);
std::string sendcard(int seat, int pos1, int pos2);
std::string playcard(int seat, int pos);
std::string clickdone(int seat);
std::string chat(int seat, std::string_view textWithColour);
std::string action(int seat, std::string_view textWithColour);
std::string playasound(int seat, std::string_view soundName);
std::string justwatch(int seat, std::string_view mode); // "1" watch, "2" play again
std::string justwatch(const WatchChange& m);
std::string kickhim(int requester, int target);

std::optional<Login> readLogininfo(std::string_view args);
std::optional<StartGame> readStartgame(std::string_view args);
// A missing second position reads as 0, as an old client may leave it out.
std::optional<CribCards> readSendcard(std::string_view args);
std::optional<CardChoice> readPlaycard(std::string_view args);
std::optional<int> readClickdone(std::string_view args);
std::optional<SeatText> readChat(std::string_view args);
std::optional<SeatText> readAction(std::string_view args);
std::optional<Sound> readPlayasound(std::string_view args);
std::optional<WatchChange> readJustwatch(std::string_view args);
std::optional<Kick> readKickhim(std::string_view args);

// Whether a command is one the server knows and its argument text reads.
bool isValid(std::string_view command, std::string_view args);

} // namespace toServer

// ---- Server to client ------------------------------------------------------------------------

namespace toClient {

using EndScore = net::EndScore;

std::string sendlogininfo(int seat);
std::string full();
std::string newplayerinfo(int seat, std::string_view name);
std::string existingplayers(int seat, std::string_view name);
std::string havewrongversion(std::string_view name);
std::string wrongversion();
std::string playerdisconnected(int seat, std::string_view name);
std::string justwatching(int seat, std::string_view mode);
std::string justwatching(const WatchChange& m);
std::string chat(int seat, std::string_view text);   // text: name + " chats: " + chat text
std::string action(int seat, std::string_view text); // text: name + " " + action text
std::string playasound(int seat, std::string_view rest);
std::string startgame(std::string_view name, std::string_view points, std::string_view gameType);
std::string startgame(const StartGame& m);
std::string startround();
// cards: {hand position, card} pairs.
std::string mycards(int seat, const std::vector<std::pair<int, int>>& cards);
std::string playergive(int seat, int dealer, int phase);
std::string needtwo(int seat);
std::string gavecards(int seat, int pos1, int pos2);
std::string setcrib(int seat);
std::string turnover(int starter, int heels, int dealer, int dealerScore, int partner,
                     int partnerScore);
std::string turnover(const TurnOver& m);
std::string nextplayer(int seat, int phase);
std::string hegoes(int seat);
std::string pegsgo(int seat, int score, int partner, int partnerScore);
std::string pegsgo(const ScoreChange& m);
std::string startagain();
std::string playcard(int seat, int pos, int n, int card, int count);
std::string playcard(const CardPlayed& m);
std::string toomuch(int seat);
std::string extra(int seat, int score, int kind, int partner, int partnerScore);
std::string extra(const Extra& m);
std::string total15(int seat, int score, int partner, int partnerScore);
std::string total15(const ScoreChange& m);
std::string total31(int seat, int score, int partner, int partnerScore);
std::string total31(const ScoreChange& m);
std::string pegslast(int seat, int score, int partner, int partnerScore);
std::string pegslast(const ScoreChange& m);
std::string final(int seatOrZero);
std::string endscore(const EndScore& e);
std::string winner(int seat, int partnerOrZero);
std::string loadstats(int seat, int gameType, int target, int phase, int dealer, int current,
                      const int scores[4]);
std::string loadstats(const LoadStats& m);
std::string middlecards(int starter, int count, const std::vector<int>& rankKeys);
std::string theircards(int seat, int count);

std::optional<int> readSendlogininfo(std::string_view args);
std::optional<SeatText> readNewplayerinfo(std::string_view args);
std::optional<SeatText> readExistingplayers(std::string_view args);
std::optional<std::string_view> readHavewrongversion(std::string_view args);
std::optional<SeatText> readPlayerdisconnected(std::string_view args);
std::optional<WatchChange> readJustwatching(std::string_view args);
std::optional<SeatText> readChat(std::string_view args);
std::optional<SeatText> readAction(std::string_view args);
std::optional<Sound> readPlayasound(std::string_view args);
std::optional<StartGame> readStartgame(std::string_view args);
std::optional<MyCards> readMycards(std::string_view args);
std::optional<GiveRequest> readPlayergive(std::string_view args);
std::optional<int> readNeedtwo(std::string_view args);
std::optional<CribCards> readGavecards(std::string_view args);
std::optional<int> readSetcrib(std::string_view args);
std::optional<TurnOver> readTurnover(std::string_view args);
std::optional<NextPlayer> readNextplayer(std::string_view args);
std::optional<int> readHegoes(std::string_view args);
std::optional<ScoreChange> readPegsgo(std::string_view args);
std::optional<CardPlayed> readPlaycard(std::string_view args);
std::optional<int> readToomuch(std::string_view args);
std::optional<Extra> readExtra(std::string_view args);
std::optional<ScoreChange> readTotal15(std::string_view args);
std::optional<ScoreChange> readTotal31(std::string_view args);
std::optional<ScoreChange> readPegslast(std::string_view args);
// The receiver's own number, or 0 when it has nothing to confirm.
std::optional<int> readFinal(std::string_view args);
std::optional<EndScore> readEndscore(std::string_view args);
std::optional<Winner> readWinner(std::string_view args);
std::optional<LoadStats> readLoadstats(std::string_view args);
std::optional<MiddleCards> readMiddlecards(std::string_view args);
std::optional<TheirCards> readTheircards(std::string_view args);
// CMD_full, CMD_wrongversion, CMD_startround and CMD_startagain carry no fields.
bool readNoFields(std::string_view args);

// Whether a command is one a client knows and its argument text reads.
bool isValid(std::string_view command, std::string_view args);

} // namespace toClient

} // namespace net
