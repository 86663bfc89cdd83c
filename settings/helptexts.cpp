// The texts of the help window's pages, in the small markup that helptexts::toHtml lays out.
#include "settings/thelp.h"

namespace helptexts {

namespace {

// Blocks are separated by a blank line. "## " starts a heading; lines of "| " cells separated by
// " | " make a table; "- " starts an item of a list; any other block is one paragraph, however
// its lines are broken here. `text` between backquotes is a command to type.
const Page kPages[] = {
    {1, "Overview",
     R"(Welcome to Cribbage.

Cribbage is a card game for two, three or four players in which points are
pegged on a board as they are made. The first side to pass the finishing line
wins the game.

Game options (File, Start Game, or the Start picture on the table):

| Play to 121 | the classic game: the winner is the first past 120 points.
| Play to 61 | a short game: the winner is the first past 60 points.

| 2 Player Game | you against one opponent; six cards each.
| 3 Player Game | three players, each for himself; five cards each.
| 4 Player Single | four players, each for himself; five cards each.
| 4 Player Partners | two teams: the players facing each other are partners (seats 1 and 3 against seats 2 and 4) and share a score.

Seats that no person takes are played by the computer players Rori, Vozuz
and Rudoz. You always sit at the bottom of the table; play goes clockwise.

The chat on the right shows what happens at the table. Type a line and press
Enter to talk to the other players; start it with "/me " for an action. The
small buttons above the chat send ready-made phrases, the last one opens the
chatter sounds, and the smiley button puts a smiley into your line.)"},
    {2, "Connecting",
     R"(## Solo games

Started on its own the game opens a table for you alone. Press Start Game
(the Start picture or the File menu), choose the game and the computer
players take every other seat. A solo game needs no network: it runs on this
computer only, through its own game server on the address 127.0.0.1.

## Games with other people

Multi-player games are arranged through the lobby program, which starts this
game with your name, the address of the host and whether you host the table.

- The host's game opens its table on TCP port 7772. To let others join, that
  port must accept incoming connections: allow it in your firewall and, behind
  a home router, forward port 7772 to your computer.
- Joining players connect to the host's address. Up to four people play; up
  to five more can join as spectators and watch the game.

Only the host can start a game, remove a player or set a seat to just
watching (right-click a player's name). Any player can step back with
Options, Just Watch: the computer then plays the seat until you return.

If the host leaves or loses the connection the game ends for everybody,
since the table lives on the host's computer. If another player leaves, the
computer takes over the seat, and a player who joins again in the same seat
carries on with its cards and score.)"},
    {3, "Game Play",
     R"(## The deal

The first deal of every game is made by seat 1; the deal then passes to the
left. With two players each player gets six cards and gives two to the crib.
With three players each gets five cards and gives one; the crib's fourth card
comes from the deck. With four players each gets five cards and gives one.
The crib belongs to the dealer and is counted after the hands.

To give cards to the crib, click them (they rise) and press OK. Click a raised
card again to lower it. Right-click your hand to sort it.

## The cut

When the crib is complete the starter is turned up in the middle. If it is
a Jack the dealer pegs 2 at once ("his heels").

## The play

Starting with the player after the dealer, each player in turn lays one card
and calls the running total of the cards laid. Court cards count ten, an Ace
one. The total may never pass 31: a card that would take it past 31 cannot
be played. A player who cannot lay a card says "Go" and the others carry on
as far as they can. The last player to lay a card pegs 1 for the go (2 for
reaching exactly 31), the total goes back to zero and the player after him
leads again. The play goes on until all cards are laid; the very last card
pegs 1.

## The show

When all cards are played the hands are counted, starting with the player
after the dealer and ending with the dealer, who then counts the crib. Each
hand is counted together with the starter.

## The end of the game

The game ends the moment a player (or a team) passes the target, during the
play or the show; the hands not yet counted are not counted. After a deal's
summary press Done; the next deal starts when everybody has pressed Done, or
after a short while.)"},
    {4, "Scoring",
     R"(## The board

Every player has two pegs. For each score the back peg leapfrogs over the
front one, so the distance between them always shows the last points made.
A game to 121 goes twice round the board; a game to 61 once.

## Points in the play

| His heels | a Jack turned as the starter | 2 for the dealer
| Fifteen | bringing the total to exactly 15 | 2
| Thirty-one | bringing the total to exactly 31 | 2
| Pair | a card of the same rank as the one before | 2
| Three of a kind | | 6
| Four of a kind | | 12
| Run | the last three or more cards laid form a sequence, in any order (3, 5, 4 is a run of three) | 1 per card
| Go | the last card before nobody can go on | 1
| Last card | the very last card of the play | 1

In the play an Ace is always low: Queen, King, Ace is not a run.

## Points in the show (each hand with the starter)

| Fifteens | every combination of cards adding up to 15 | 2 each
| Pairs | every pair of cards of the same rank | 2 each (three of a kind 6, four of a kind 12)
| Runs | every sequence of three or more cards; each different way to make a run counts (a double run of three scores 6 besides its pair). In the show an Ace may also follow the King: Queen, King, Ace is a run. | 1 per card
| Flush | four cards of the hand in one suit; the crib counts a flush the same way | 4, or 5 if the starter is of that suit too
| His nobs | the Jack of the starter's suit in the hand | 1

The highest hand is 29: three Fives and the Jack in hand with the fourth
Five of the Jack's suit as the starter.)"},
    {5, "Documentation",
     R"(## Version 2.0.8.14

- Every picture of the table and every sound is made by the program itself.
- A game server without a window (cribbage-server) for hosting anywhere.
- The chat opens only web addresses, and shows every text as it was typed.
- Settings and the tally are written safely: a crash never loses them.

## Version 2.0.7

- Partners game: both partners' pegs move together.
- Spectators can watch a running game and see the whole table at once.

## Version 2.0.5

- The tally keeps count of your games against the players you follow.
- Chatter sounds and phrase buttons in the chat.

## Version 2.0.0

- Three- and four-player games, the game to 61.
- Computer players Rori, Vozuz and Rudoz.

## Version 1.0

- The first release: two players to 121.)"},
    {7, "Strategy",
     R"(## Choosing cards for the crib

When it is your crib, keep your best hand and give the crib cards that
work together: a pair, two cards adding to 15, Fives, or cards close in
rank (a 7 and an 8).

When it is your opponent's crib, give cards that do not help each other:
far apart in rank and of different suits. Never give a Five if you can help
it, and think twice before giving a pair or two cards that make 15.

Keep cards that make fifteens and runs with many starters. A hand such as
4, 5, 6 with a ten-card is strong; four cards in one suit are worth keeping
for the flush.

With three or four players each gift to the crib is a single card: give a
card that does the least for a crib that is not yours.

## The play

Leading a card below Five is safe: nobody can make 15 with one card on it.
A Four is a classic lead. Avoid leading a Five (a ten-card makes 15).

Pairing is tempting but gives the next player a chance at three of a kind
for 6. Play a pair when you hold a third card of the rank or when the total
leaves no room.

Keep a low card for the end of a count: it can win you the go or a 31.

Watch the cards laid: after 10, 10, a player who still holds a Five or an
Ace has a reason to wait.

## Reading the opponents

A player who gives quickly and leads a high card often holds a weak hand.
A player who keeps a Five for the play may be waiting for your ten-card.
Count what has been played: there are only four cards of each rank.

## Near the end of the game

Points in the play come before the show, and the hand after the dealer is
counted first. When the race is close, play for every point in the play and
keep the cards that score in the show for the player who counts first.)"},
    {11, "The Lobby",
     R"(The lobby is a separate program where players meet, find a table and
start games with other people. It starts this game for you with your name,
the host's address and your seat at the table, so you never type addresses
yourself.

You need the lobby only for games against other people. Solo games against
the computer players need nothing else.

When you start a solo game a window offers the lobby. Choose "Download And
Install The Zarvel Lobby Now" to fetch and install it, "Play Solo Game" to go
on alone, or "Play with Others" to close this game and open the lobby if you
already have it.

A game can also be hosted without the lobby: start this game with three
parameters,

| `cribbage NAME HOST-ADDRESS true` | to host a table
| `cribbage NAME HOST-ADDRESS false` | to join the table at HOST-ADDRESS

and make sure port 7772 accepts incoming connections on the host.)"},
};

} // namespace

const Page* pages(int* count) {
    *count = int(sizeof(kPages) / sizeof(kPages[0]));
    return kPages;
}

} // namespace helptexts
