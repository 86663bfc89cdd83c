// The chat colour as it travels inside chat messages: a colour name or "$" and eight hex digits.
#pragma once

#include <QColor>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chatcolour {

// A colour value packed as 0x00BBGGRR, the form the wire and the settings file use.
using Value = std::uint32_t;

constexpr Value kBlack = 0x000000;
constexpr Value kRed = 0x0000FF;  // what a line with an unreadable colour is shown in
constexpr Value kBlue = 0xFF0000; // system lines

// The colour's name when it is one of the sixteen named colours ("clBlack", ...), otherwise
// "$" and eight upper-case hexadecimal digits.
std::string toText(Value value);

// Reads a colour name (any case), "$" with one to eight hexadecimal digits, or a decimal
// number that fits in 32 bits. Blanks around the text are ignored; anything else is nullopt.
std::optional<Value> fromText(std::string_view text);

// The 0x00BBGGRR packing of a QColor and back; the top byte of a value is ignored.
Value fromQColor(const QColor& colour);
QColor toQColor(Value value);

} // namespace chatcolour
