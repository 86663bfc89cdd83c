// The image lists of the table: painted once, handed out by reference, and where the pegs stand.
#include "resources/pictures.h"

#include "resources/paint_util.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>

namespace pictures {

namespace {

constexpr int CardCount = 54;
constexpr int BallCount = 5;
constexpr int SmileyCount = 18;

struct Store {
    bool painted = false;
    std::array<QPixmap, CardCount> cards;
    std::array<QPixmap, BallCount> balls;
    std::array<QPixmap, 2> checks;
    std::array<QPixmap, SmileyCount> smilies;
    // What an index outside a list gets: a transparent picture of the list's size, so a bad
    // index from a message shows nothing instead of reading past the list.
    QPixmap noCard, noBall, noCheck, noSmiley;
    QPixmap pegboard, dealer, go, turn, winner, ribbon, eyes, ok, done, start, background, played,
        logo;
    std::array<QPixmap, 7> icons;
};

QImage startButtonImage() {
    return paint::button(104, 30, QStringLiteral("Start Game"), QColor(0xf8, 0x9c, 0x24),
                         QColor(0xc8, 0x58, 0x08), 12.5);
}

Store& store() {
    static Store s;
    return s;
}

constexpr int IconSizes[7] = {16, 24, 32, 48, 64, 128, 256};

QPixmap blank(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// Pixmaps belong to the GUI; drop them while the application still exists rather than at
// static destruction, after the platform is gone.
void release() {
    store() = Store();
}

Store& painted() {
    Store& s = store();
    if (!s.painted) paintAll();
    return s;
}

template <size_t N>
const QPixmap& pick(const std::array<QPixmap, N>& list, int index, const QPixmap& fallback) {
    if (index < 0 || index >= int(N)) return fallback;
    return list[size_t(index)];
}

} // namespace

void paintAll() {
    // Re-registered on every paint so a later application also lets go of the pixmaps.
    qRemovePostRoutine(release);
    qAddPostRoutine(release);
    // Fonts and pixmaps need the GUI; without it every picture stays null rather than crash.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    auto pm = [](const QImage& img) { return QPixmap::fromImage(img); };
    Store s;
    for (int i = 0; i < CardCount; ++i) s.cards[size_t(i)] = pm(paint::card(i));
    s.balls[0] = blank(12, 12);
    const QColor ballColors[4] = {QColor(0xd8, 0x1c, 0x1c), QColor(0x1e, 0x4e, 0xd8),
                                  QColor(0x0e, 0x9a, 0x96), QColor(0xf0, 0x84, 0x10)};
    for (int i = 1; i < BallCount; ++i)
        s.balls[size_t(i)] = pm(paint::marble(12, ballColors[i - 1]));
    s.checks[0] = pm(paint::check(false));
    s.checks[1] = pm(paint::check(true));
    for (int i = 0; i < SmileyCount; ++i) s.smilies[size_t(i)] = pm(paint::smiley(i));
    s.noCard = blank(71, 96);
    s.noBall = blank(12, 12);
    s.noCheck = blank(30, 24);
    s.noSmiley = blank(17, 17);
    s.pegboard = pm(paint::pegboard());
    s.dealer = pm(paint::dealerMarker());
    s.go = pm(paint::goBadge());
    s.turn = pm(paint::turnHighlight());
    s.winner = pm(paint::winnerBadge());
    s.ribbon = pm(paint::winnerRibbon());
    s.eyes = pm(paint::eyes());
    s.ok = pm(paint::button(46, 28, QStringLiteral("OK"), QColor(0x3c, 0xb8, 0x4a),
                            QColor(0x17, 0x78, 0x26), 13));
    s.done = pm(paint::button(54, 26, QStringLiteral("Done"), QColor(0x3a, 0x8c, 0xe0),
                              QColor(0x16, 0x52, 0xa8), 12));
    s.start = pm(startButtonImage());
    s.background = pm(paint::boardBackground());
    s.played = pm(paint::playedFrame());
    s.logo = pm(paint::logo());
    for (size_t i = 0; i < s.icons.size(); ++i) s.icons[i] = pm(paint::icon(IconSizes[i]));
    s.painted = true;
    // Assigned into the one store, so references handed out earlier stay valid.
    store() = std::move(s);
}

const QPixmap& bigCard(int index) {
    return pick(painted().cards, index, painted().noCard);
}
const QPixmap& ball(int index) {
    return pick(painted().balls, index, painted().noBall);
}
const QPixmap& check(int index) {
    return pick(painted().checks, index, painted().noCheck);
}
const QPixmap& smiley(int index) {
    return pick(painted().smilies, index, painted().noSmiley);
}

const QPixmap& pegboard() {
    return painted().pegboard;
}
const QPixmap& dealerMarker() {
    return painted().dealer;
}
const QPixmap& goBadge() {
    return painted().go;
}
const QPixmap& turnHighlight() {
    return painted().turn;
}
const QPixmap& winnerBadge() {
    return painted().winner;
}
const QPixmap& winnerRibbon() {
    return painted().ribbon;
}
const QPixmap& eyes() {
    return painted().eyes;
}
const QPixmap& okButton() {
    return painted().ok;
}
const QPixmap& doneButton() {
    return painted().done;
}
const QPixmap& startButton() {
    return painted().start;
}
const QPixmap& boardBackground() {
    return painted().background;
}
const QPixmap& playedFrame() {
    return painted().played;
}
const QPixmap& logo() {
    return painted().logo;
}

QIcon appIcon() {
    QIcon icon;
    for (const QPixmap& pm : painted().icons) icon.addPixmap(pm);
    return icon;
}

QPixmap checkAt(int index, qreal ratio) {
    if (index < 0 || index > 1 || ratio == 1.0 ||
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return check(index);
    const paint::ScaleScope scale(ratio);
    return QPixmap::fromImage(paint::check(index == 1));
}

QPixmap startButtonAt(qreal ratio) {
    if (ratio == 1.0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return startButton();
    const paint::ScaleScope scale(ratio);
    return QPixmap::fromImage(startButtonImage());
}

QPixmap logoAt(qreal ratio) {
    if (ratio == 1.0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return logo();
    const paint::ScaleScope scale(ratio);
    return QPixmap::fromImage(paint::logo());
}

QPoint pegSpot(int seat, int score) {
    // Left edges of the up and down columns per seat; seats 3 and 4 share the holes of
    // seats 1 and 2, four pixels further left.
    static constexpr int upColumn[5] = {0, 73, 13, 69, 9};
    static constexpr int downColumn[5] = {0, 56, 32, 52, 28};
    constexpr int endHoleY = 455;
    if (seat < 1 || seat > 4) seat = 1;
    const auto hole = [](int h) { return 435 - 12 * (h - 1) - 12 * ((h - 1) / 5); };
    if (score <= 0) return QPoint(upColumn[seat], endHoleY);
    if (score <= 30) return QPoint(upColumn[seat], hole(score));
    if (score <= 60) return QPoint(downColumn[seat], hole(61 - score));
    if (score <= 90) return QPoint(upColumn[seat], hole(score - 60));
    if (score <= 120) return QPoint(downColumn[seat], hole(121 - score));
    return QPoint(downColumn[seat], endHoleY);
}

} // namespace pictures
