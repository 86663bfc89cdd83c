// Framing of the text messages between the game server and its clients: the terminator, the
// limits on everything a peer controls, the field reader and the receive buffer. No Qt here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

constexpr char kTerminator = '\xFF';

// ---- Limits on what a peer controls --------------------------------------------------------

// A player name, in characters (not bytes). Longer than any name people use, short enough for
// a seat label, a tally column and a chat line's prefix; cut at login.
constexpr std::size_t kMaxNameChars = 32;
// A chat or action text with its colour, in bytes. A few full lines of the chat view; a longer
// paste is cut, not relayed whole to every client.
constexpr std::size_t kMaxChatBytes = 512;
// A whole message from a client, without its terminator. The longest honest one, a chat line of
// kMaxChatBytes or a login with a name of kMaxNameChars four-byte characters, is far below it;
// a client that sends more is closed.
constexpr std::size_t kMaxClientMessage = 4 * 1024;
// A whole message from the server as a client accepts it. Well above the longest relay (a name,
// " chats: " and a chat line), so a host of an older version that relays longer lines is still
// followed; a longer message is dropped up to its terminator.
constexpr std::size_t kMaxServerMessage = 64 * 1024;
// What one client may have waiting in the server's inbound queue, counted at what the entries
// cost in memory. Thousands of honest messages; a client past it is closed.
constexpr std::size_t kMaxQueuedBytes = 1024 * 1024;
// What the server may hold unsent for one client that does not read. A whole game's messages
// to one seat are some 20 kB; past this the client is closed and its seat is left.
constexpr std::size_t kMaxUnsentBytes = 1024 * 1024;

// The longest prefix of a UTF-8 text that holds at most maxChars characters. A character is a
// lead byte with the continuation bytes that belong to it; a stray byte counts as one, so the
// cut never splits a sequence and never takes more than four bytes a character.
std::string_view cutToChars(std::string_view text, std::size_t maxChars);
// The longest prefix of at most maxBytes that does not end inside a character.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);
// A player name as the server keeps it: at most kMaxNameChars characters.
std::string_view cutName(std::string_view name);
// A chat or action text ("text|colour") cut to kMaxChatBytes. A short colour after the first
// "|" is kept and the text before it shortened, so a long line keeps its colour.
std::string cutChatText(std::string_view textWithColour);

// ---- Reading ---------------------------------------------------------------------------------

// Splits a message (without terminator) at the first "+": {command, argument text}.
// A message without "+" has an empty command.
std::pair<std::string_view, std::string_view> splitCommand(std::string_view message);

// Parses a whole decimal number (optional leading '-'), nullopt for anything else or overflow.
std::optional<int> parseInt(std::string_view text);

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

// Cuts one connection's byte stream at 0xFF. Whole messages (without terminator, possibly
// empty) come out in order; the unterminated tail stays for later bytes.
//
// A message longer than the limit never comes out, and nothing of it is ever read as a message
// of its own: its bytes are dropped up to and including its terminator, however many reads
// that takes. A tail is dropped as soon as it passes the limit, so the buffer never holds more.
class ReceiveBuffer {
public:
    // Whether the empty message between two terminators in a row comes out. A reader that drops
    // them anyway need not be handed thousands of them for a flood of bare terminators.
    enum class Empty { Keep, Drop };
    explicit ReceiveBuffer(std::size_t limit = kMaxServerMessage, Empty empty = Empty::Keep)
        : m_limit(limit), m_keepEmpty(empty == Empty::Keep) {}
    // Appends bytes and returns the messages they completed.
    std::vector<std::string> append(std::string_view bytes);
    std::size_t pending() const { return m_tail.size(); }
    std::size_t limit() const { return m_limit; }
    // Messages dropped for their length since the buffer was made or cleared.
    std::size_t dropped() const { return m_dropped; }
    bool overflowed() const { return m_dropped > 0; }
    // True while the rest of a dropped message is still being skipped.
    bool skipping() const { return m_skipping; }
    // Forgets everything, for a new connection that starts at a message boundary.
    void clear();

private:
    void drop();

    std::string m_tail;
    std::size_t m_limit;
    bool m_keepEmpty;
    std::size_t m_dropped = 0;
    bool m_skipping = false;
};

} // namespace net
