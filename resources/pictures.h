// Every picture of the table, painted by the program at start-up and kept in image lists, and
// painted again on demand for any size and screen (kept per size once painted).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>

namespace pictures {

// Paints every list; needs a QGuiApplication (without one the pictures stay null). Calling it
// again paints everything afresh into the same pixmaps, so references handed out stay valid.
// Every accessor paints on first use, so calling this at start-up is optional.
void paintAll();

// An index outside a list gives a transparent picture of the list's size.

// imagelist_bigcards, 71 x 96: 0 the back, 1..52 the faces in card-code order
// (1..13 clubs Ace..King, 14..26 diamonds, 27..39 hearts, 40..52 spades), 53 Not Playing.
const QPixmap& bigCard(int index);
// imagelist_balls, 12 x 12: 1 red, 2 blue, 3 teal, 4 orange (0 unused, transparent).
const QPixmap& ball(int index);
// imagelist_checks, 30 x 24: 0 an empty option box, 1 a checked one.
const QPixmap& check(int index);
// imagelist_smilies, 17 x 17, index 0..17: smile, big grin, wink, sad, tongue, surprised,
// cool, angry, crying, laughing, confused, kiss, heart, thumbs up, devil, angel, sleepy,
// embarrassed.
const QPixmap& smiley(int index);

const QPixmap& pegboard();        // 98 x 460, its holes where the pegs stand
const QPixmap& dealerMarker();    // 22 x 22, the dealer's mark beside a seat
const QPixmap& goBadge();         // 36 x 20, GO in the play
const QPixmap& turnHighlight();   // 110 x 136, behind the seat to act; see-through in the middle
const QPixmap& winnerBadge();     // 100 x 30, over the winner's hand
const QPixmap& winnerRibbon();    // 82 x 22, in the summary
const QPixmap& eyes();            // 28 x 16, the just-watching mark
const QPixmap& okButton();        // 46 x 28, crib choice confirm
const QPixmap& doneButton();      // 54 x 26, closes the summary
const QPixmap& startButton();     // 104 x 30, opens the game start window
const QPixmap& boardBackground(); // 757 x 481, the table's felt
const QPixmap& playedFrame();     // 71 x 96, hatched card-sized frame under the played pile
const QPixmap& logo();            // 200 x 60, the logo picture of the main window
QIcon appIcon();                  // 16, 24, 32, 48, 64, 128 and 256 pixels

// The same pictures painted for a density (device pixels per unit of the sizes above: the
// table's scale times the screen's pixel ratio). The result carries the density as its device
// pixel ratio. A density of 1 gives
// the pictures above themselves. Each one is painted once per density and then kept. Drawn at
// its design size on another picture of the same density (blankAt), it lies sharp; to show it
// on screen, give it the screen's pixel ratio.
enum class Picture {
    BigCard,
    Ball,
    Check,
    Smiley,
    Pegboard,
    DealerMarker,
    GoBadge,
    TurnHighlight,
    WinnerBadge,
    WinnerRibbon,
    Eyes,
    OkButton,
    DoneButton,
    StartButton,
    BoardBackground,
    PlayedFrame,
    Logo,
};
QPixmap at(Picture picture, int index, double density);
inline QPixmap bigCard(int index, double density) {
    return at(Picture::BigCard, index, density);
}
inline QPixmap ball(int index, double density) {
    return at(Picture::Ball, index, density);
}
// For the windows beside the table, painted for a screen's device pixel ratio.
inline QPixmap checkAt(int index, double ratio) {
    return at(Picture::Check, index, ratio);
}
inline QPixmap startButtonAt(double ratio) {
    return at(Picture::StartButton, 0, ratio);
}
inline QPixmap logoAt(double ratio) {
    return at(Picture::Logo, 0, ratio);
}
// How many densities other than 1 have pictures kept now: the latest three at most.
int densitiesKept();
// A transparent picture of w x h units at the density, to compose others on.
QPixmap blankAt(int w, int h, double density);

// Where a seat's peg (12 x 12) stands for a score, as the top-left corner on the board panel
// (the pegboard picture sits at x 3, y 12 of it). The board's holes are painted under these.
// Scores below 0 stand in the start hole, above 120 in the finish hole; a seat outside 1..4
// uses seat 1's lane.
QPoint pegSpot(int seat, int score);

} // namespace pictures
