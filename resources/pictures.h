// Every picture of the table, painted by the program once at start-up and kept in image lists.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>

namespace pictures {

// Paints every list; needs a QGuiApplication. Safe to call more than once.
void paintAll();

// imagelist_bigcards, 71 x 96: 0 the back, 1..52 the faces in card-code order
// (1..13 clubs Ace..King, 14..26 diamonds, 27..39 hearts, 40..52 spades), 53 Not Playing.
const QPixmap& bigCard(int index);
// imagelist_balls, 12 x 12: 1 red, 2 blue, 3 teal, 4 orange (0 unused, transparent).
const QPixmap& ball(int index);
// imagelist_checks, 30 x 24: 0 an empty option box, 1 a checked one.
const QPixmap& check(int index);
// imagelist_smilies: 18 pictures 17 pixels wide, index 0..17.
const QPixmap& smiley(int index);

const QPixmap& pegboard();        // 98 x 460, its holes where the pegs stand
const QPixmap& dealerMarker();    // the dealer's mark beside a seat
const QPixmap& goBadge();         // GO in the play
const QPixmap& turnHighlight();   // 110 x 136, behind the seat to act
const QPixmap& winnerBadge();     // over the winner's hand
const QPixmap& winnerRibbon();    // 82 x 22, in the summary
const QPixmap& eyes();            // the just-watching mark
const QPixmap& okButton();        // crib choice confirm
const QPixmap& doneButton();      // closes the summary
const QPixmap& startButton();     // opens the game start window
const QPixmap& boardBackground(); // 757 x 481, the table's felt
const QPixmap& playedFrame();     // hatched card-sized frame under the played pile
const QPixmap& logo();            // the logo picture of the main window
QIcon appIcon();

// Where a seat's peg (12 x 12) stands for a score, as the top-left corner on the board panel
// (the pegboard picture sits at x 3, y 12 of it). The board's holes are painted under these.
QPoint pegSpot(int seat, int score);

} // namespace pictures
