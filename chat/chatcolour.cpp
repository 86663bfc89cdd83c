// Conversion of chat colours between their values and their text on the wire.
#include "chat/chatcolour.h"

#include <array>
#include <cctype>

namespace chatcolour {

namespace {

struct NamedColour {
    std::string_view name;
    Value value;
};

constexpr std::array<NamedColour, 16> kNamed{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string toText(Value value) {
    for (const NamedColour& c : kNamed)
        if (c.value == value) return std::string(c.name);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "$";
    for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
    return out;
}

std::optional<Value> fromText(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return std::nullopt;
    for (const NamedColour& c : kNamed)
        if (equalsIgnoringCase(text, c.name)) return c.value;
    if (text.front() == '$') {
        const std::string_view digits = text.substr(1);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        Value v = 0;
        for (char c : digits) {
            const int d = hexDigit(c);
            if (d < 0) return std::nullopt;
            v = (v << 4) | static_cast<Value>(d);
        }
        return v;
    }
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
        if (v > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<Value>(v);
}

Value fromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<Value>(rgb.red()) | static_cast<Value>(rgb.green()) << 8 |
           static_cast<Value>(rgb.blue()) << 16;
}

QColor toQColor(Value value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace chatcolour
