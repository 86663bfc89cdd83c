// Card names in card-code order: 1..13 clubs Ace..King, then diamonds, hearts, spades.
#include "client/cardname.h"

#include <QCoreApplication>

QString cardName(int code) {
    if (code < 1 || code > 52) return {};
    static const char* const names[4][13] = {
        {QT_TR_NOOP("Ace of Clubs"), QT_TR_NOOP("Two of Clubs"), QT_TR_NOOP("Three of Clubs"),
         QT_TR_NOOP("Four of Clubs"), QT_TR_NOOP("Five of Clubs"), QT_TR_NOOP("Six of Clubs"),
         QT_TR_NOOP("Seven of Clubs"), QT_TR_NOOP("Eight of Clubs"), QT_TR_NOOP("Nine of Clubs"),
         QT_TR_NOOP("Ten of Clubs"), QT_TR_NOOP("Jack of Clubs"), QT_TR_NOOP("Queen of Clubs"),
         QT_TR_NOOP("King of Clubs")},
        {QT_TR_NOOP("Ace of Diamonds"), QT_TR_NOOP("Two of Diamonds"),
         QT_TR_NOOP("Three of Diamonds"), QT_TR_NOOP("Four of Diamonds"),
         QT_TR_NOOP("Five of Diamonds"), QT_TR_NOOP("Six of Diamonds"),
         QT_TR_NOOP("Seven of Diamonds"), QT_TR_NOOP("Eight of Diamonds"),
         QT_TR_NOOP("Nine of Diamonds"), QT_TR_NOOP("Ten of Diamonds"),
         QT_TR_NOOP("Jack of Diamonds"), QT_TR_NOOP("Queen of Diamonds"),
         QT_TR_NOOP("King of Diamonds")},
        {QT_TR_NOOP("Ace of Hearts"), QT_TR_NOOP("Two of Hearts"), QT_TR_NOOP("Three of Hearts"),
         QT_TR_NOOP("Four of Hearts"), QT_TR_NOOP("Five of Hearts"), QT_TR_NOOP("Six of Hearts"),
         QT_TR_NOOP("Seven of Hearts"), QT_TR_NOOP("Eight of Hearts"), QT_TR_NOOP("Nine of Hearts"),
         QT_TR_NOOP("Ten of Hearts"), QT_TR_NOOP("Jack of Hearts"), QT_TR_NOOP("Queen of Hearts"),
         QT_TR_NOOP("King of Hearts")},
        {QT_TR_NOOP("Ace of Spades"), QT_TR_NOOP("Two of Spades"), QT_TR_NOOP("Three of Spades"),
         QT_TR_NOOP("Four of Spades"), QT_TR_NOOP("Five of Spades"), QT_TR_NOOP("Six of Spades"),
         QT_TR_NOOP("Seven of Spades"), QT_TR_NOOP("Eight of Spades"), QT_TR_NOOP("Nine of Spades"),
         QT_TR_NOOP("Ten of Spades"), QT_TR_NOOP("Jack of Spades"), QT_TR_NOOP("Queen of Spades"),
         QT_TR_NOOP("King of Spades")}};
    // Whole names, so a translation may order rank and suit as its language does.
    return QCoreApplication::translate("CardName", names[(code - 1) / 13][(code - 1) % 13]);
}
