// Card names in card-code order: 1..13 clubs Ace..King, then diamonds, hearts, spades.
#include "client/cardname.h"

QString cardName(int code) {
    if (code < 1 || code > 52) return {};
    static const char* const ranks[13] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                          "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    static const char* const suits[4] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    return QString::fromLatin1(ranks[(code - 1) % 13]) + QStringLiteral(" of ") +
           QString::fromLatin1(suits[(code - 1) / 13]);
}
