// Cutting a byte stream into messages at 0xFF, taking fields apart, and cutting texts a peer
// chose to their limits without splitting a character.
#include "net/framing.h"

#include <charconv>

namespace net {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The bytes a character that starts with c claims: 1 for ASCII and for any byte that cannot
// start a sequence (it then stands alone).
std::size_t sequenceLength(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xC2 && c <= 0xDF) return 2;
    return 1;
}

// The end of the character that starts at i: its lead byte and as many of the continuation
// bytes it claims as are there.
std::size_t characterEnd(std::string_view text, std::size_t i) {
    const std::size_t claimed = sequenceLength(static_cast<unsigned char>(text[i]));
    std::size_t end = i + 1;
    while (end < text.size() && end < i + claimed &&
           isContinuation(static_cast<unsigned char>(text[end])))
        ++end;
    return end;
}

// The longest cut at or below maxBytes that ends on a character boundary.
std::size_t boundaryAtOrBelow(std::string_view text, std::size_t maxBytes) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = characterEnd(text, at);
        if (next > maxBytes) break;
        at = next;
    }
    return at;
}

// A colour after the first "|" is a name such as "clMoneyGreen" or "$" and eight digits; what
// is longer is not a colour and gets no special care.
constexpr std::size_t kMaxColourText = 32;

} // namespace

std::string_view cutToChars(std::string_view text, std::size_t maxChars) {
    std::size_t at = 0;
    for (std::size_t chars = 0; chars < maxChars && at < text.size(); ++chars)
        at = characterEnd(text, at);
    return text.substr(0, at);
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    return text.substr(0, boundaryAtOrBelow(text, maxBytes));
}

std::string_view cutName(std::string_view name) {
    return cutToChars(name, kMaxNameChars);
}

std::string cutChatText(std::string_view textWithColour) {
    if (textWithColour.size() <= kMaxChatBytes) return std::string(textWithColour);
    const auto bar = textWithColour.find('|');
    if (bar != std::string_view::npos && textWithColour.size() - bar <= kMaxColourText) {
        const std::string_view colour = textWithColour.substr(bar);
        std::string out(cutToBytes(textWithColour.substr(0, bar), kMaxChatBytes - colour.size()));
        out += colour;
        return out;
    }
    return std::string(cutToBytes(textWithColour, kMaxChatBytes));
}

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

void ReceiveBuffer::clear() {
    std::string().swap(m_tail);
    m_dropped = 0;
    m_skipping = false;
}

void ReceiveBuffer::drop() {
    // The memory goes too: a buffer that just held a flood should not keep its size.
    std::string().swap(m_tail);
    ++m_dropped;
}

std::vector<std::string> ReceiveBuffer::append(std::string_view bytes) {
    std::vector<std::string> messages;
    while (!bytes.empty()) {
        // Only the new bytes are scanned: the tail is known to hold no terminator.
        const auto end = bytes.find(kTerminator);
        if (m_skipping) {
            if (end == std::string_view::npos) break;
            m_skipping = false;
            bytes.remove_prefix(end + 1);
            continue;
        }
        if (end == std::string_view::npos) {
            if (m_tail.size() + bytes.size() > m_limit) {
                drop();
                m_skipping = true;
            } else {
                m_tail.append(bytes);
            }
            break;
        }
        const std::string_view piece = bytes.substr(0, end);
        if (m_tail.size() + piece.size() > m_limit) {
            drop();
        } else if (m_tail.empty() && piece.empty() && !m_keepEmpty) {
            // Nothing to hand out.
        } else {
            m_tail.append(piece);
            messages.push_back(std::move(m_tail));
            m_tail = std::string();
        }
        bytes.remove_prefix(end + 1);
    }
    return messages;
}

} // namespace net
