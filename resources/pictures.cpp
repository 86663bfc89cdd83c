// The image lists of the table: painted once, handed out by reference, and where the pegs stand.
#include "resources/pictures.h"

#include "resources/paint_util.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QtMath>

#include <algorithm>
#include <array>

namespace pictures {

namespace {

constexpr int CardCount = 54;
constexpr int BallCount = 5;
constexpr int SmileyCount = 18;
constexpr int kDensitiesKept = 3;

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
    // Pictures painted for other densities, by picture, index and density in hundredths, and
    // the densities kept, the latest first.
    QHash<quint64, QPixmap> dense;
    QList<int> densities;
};

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

// One picture at the painters' current density; an index outside its list gives a transparent
// picture of the list's size.
QImage paintOne(Picture picture, int index) {
    const auto inList = [index](int count) { return index >= 0 && index < count; };
    switch (picture) {
    case Picture::BigCard:
        return inList(CardCount) ? paint::card(index) : paint::canvas(71, 96);
    case Picture::Ball: {
        static const QColor colors[4] = {QColor(0xd8, 0x1c, 0x1c), QColor(0x1e, 0x4e, 0xd8),
                                         QColor(0x0e, 0x9a, 0x96), QColor(0xf0, 0x84, 0x10)};
        return index >= 1 && index < BallCount ? paint::marble(12, colors[index - 1])
                                               : paint::canvas(12, 12);
    }
    case Picture::Check:
        return inList(2) ? paint::check(index == 1) : paint::canvas(30, 24);
    case Picture::Smiley:
        return inList(SmileyCount) ? paint::smiley(index) : paint::canvas(17, 17);
    case Picture::Pegboard:
        return paint::pegboard();
    case Picture::DealerMarker:
        return paint::dealerMarker();
    case Picture::GoBadge:
        return paint::goBadge();
    case Picture::TurnHighlight:
        return paint::turnHighlight();
    case Picture::WinnerBadge:
        return paint::winnerBadge();
    case Picture::WinnerRibbon:
        return paint::winnerRibbon();
    case Picture::Eyes:
        return paint::eyes();
    case Picture::OkButton:
        return paint::button(46, 28, QStringLiteral("OK"), QColor(0x3c, 0xb8, 0x4a),
                             QColor(0x17, 0x78, 0x26), 13);
    case Picture::DoneButton:
        return paint::button(54, 26, QStringLiteral("Done"), QColor(0x3a, 0x8c, 0xe0),
                             QColor(0x16, 0x52, 0xa8), 12);
    case Picture::StartButton:
        return paint::button(104, 30, QStringLiteral("Start Game"), QColor(0xf8, 0x9c, 0x24),
                             QColor(0xc8, 0x58, 0x08), 12.5);
    case Picture::BoardBackground:
        return paint::boardBackground();
    case Picture::PlayedFrame:
        return paint::playedFrame();
    case Picture::Logo:
        return paint::logo();
    }
    return {};
}

} // namespace

void paintAll() {
    // Re-registered on every paint so a later application also lets go of the pixmaps.
    qRemovePostRoutine(release);
    qAddPostRoutine(release);
    // Fonts and pixmaps need the GUI; without it every picture stays null rather than crash.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    const paint::DensityScope designed(1.0);
    auto pm = [](Picture picture, int index = 0) {
        return QPixmap::fromImage(paintOne(picture, index));
    };
    Store s;
    for (int i = 0; i < CardCount; ++i) s.cards[size_t(i)] = pm(Picture::BigCard, i);
    for (int i = 0; i < BallCount; ++i) s.balls[size_t(i)] = pm(Picture::Ball, i);
    for (int i = 0; i < 2; ++i) s.checks[size_t(i)] = pm(Picture::Check, i);
    for (int i = 0; i < SmileyCount; ++i) s.smilies[size_t(i)] = pm(Picture::Smiley, i);
    s.noCard = blank(71, 96);
    s.noBall = blank(12, 12);
    s.noCheck = blank(30, 24);
    s.noSmiley = blank(17, 17);
    s.pegboard = pm(Picture::Pegboard);
    s.dealer = pm(Picture::DealerMarker);
    s.go = pm(Picture::GoBadge);
    s.turn = pm(Picture::TurnHighlight);
    s.winner = pm(Picture::WinnerBadge);
    s.ribbon = pm(Picture::WinnerRibbon);
    s.eyes = pm(Picture::Eyes);
    s.ok = pm(Picture::OkButton);
    s.done = pm(Picture::DoneButton);
    s.start = pm(Picture::StartButton);
    s.background = pm(Picture::BoardBackground);
    s.played = pm(Picture::PlayedFrame);
    s.logo = pm(Picture::Logo);
    for (size_t i = 0; i < s.icons.size(); ++i)
        s.icons[i] = QPixmap::fromImage(paint::icon(IconSizes[i]));
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

QPixmap at(Picture picture, int index, double density) {
    // Hundredths are finer than any difference a screen shows, and keep the kept set small.
    const int hundredths = std::clamp(qRound(density * 100), 25, 800);
    if (hundredths == 100) {
        switch (picture) {
        case Picture::BigCard:
            return bigCard(index);
        case Picture::Ball:
            return ball(index);
        case Picture::Check:
            return check(index);
        case Picture::Smiley:
            return smiley(index);
        case Picture::Pegboard:
            return pegboard();
        case Picture::DealerMarker:
            return dealerMarker();
        case Picture::GoBadge:
            return goBadge();
        case Picture::TurnHighlight:
            return turnHighlight();
        case Picture::WinnerBadge:
            return winnerBadge();
        case Picture::WinnerRibbon:
            return winnerRibbon();
        case Picture::Eyes:
            return eyes();
        case Picture::OkButton:
            return okButton();
        case Picture::DoneButton:
            return doneButton();
        case Picture::StartButton:
            return startButton();
        case Picture::BoardBackground:
            return boardBackground();
        case Picture::PlayedFrame:
            return playedFrame();
        case Picture::Logo:
            return logo();
        }
    }
    Store& s = painted();
    if (!s.painted) return {};
    // Every index outside a list shares one key, so a hostile index cannot grow the store.
    const int listSize = picture == Picture::BigCard  ? CardCount
                         : picture == Picture::Ball   ? BallCount
                         : picture == Picture::Check  ? 2
                         : picture == Picture::Smiley ? SmileyCount
                                                      : 1;
    const int kept = index >= 0 && index < listSize ? index : -1;
    const quint64 key =
        (quint64(picture) << 48) | (quint64(quint16(kept)) << 32) | quint64(hundredths);
    auto found = s.dense.constFind(key);
    if (found != s.dense.constEnd()) return *found;
    // A window dragged larger passes through many scales; only the last few are kept, so the
    // pictures of a board take a few megabytes, not one set per step of the drag.
    s.densities.removeOne(hundredths);
    s.densities.prepend(hundredths);
    while (s.densities.size() > kDensitiesKept) {
        const quint64 dropped = quint64(s.densities.takeLast());
        s.dense.removeIf([dropped](const QHash<quint64, QPixmap>::iterator& it) {
            return (it.key() & 0xffffffffu) == dropped;
        });
    }
    const paint::DensityScope scope(hundredths / 100.0);
    QPixmap pm = QPixmap::fromImage(paintOne(picture, kept));
    s.dense.insert(key, pm);
    return pm;
}

int densitiesKept() {
    return int(store().densities.size());
}

QPixmap blankAt(int w, int h, double density) {
    const double d = density > 0 ? density : 1.0;
    QPixmap pm(qCeil(w * d - 1e-6), qCeil(h * d - 1e-6));
    pm.setDevicePixelRatio(d);
    pm.fill(Qt::transparent);
    return pm;
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
