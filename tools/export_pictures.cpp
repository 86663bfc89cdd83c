// Writes every painted picture into a folder as PNG files, with a contact sheet of the cards.
#include "resources/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QList>
#include <QPainter>

#include <cstdio>

namespace {

bool save(const QDir& dir, const QString& name, const QPixmap& pm) {
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (pm.isNull() || !pm.save(path, "PNG")) {
        std::fprintf(stderr, "export-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// All 54 cards on felt, one suit per row, so the faces can be judged side by side.
QPixmap contactSheet() {
    constexpr int cols = 14, gap = 6, w = 71, h = 96;
    QPixmap sheet(gap + cols * (w + gap), gap + 4 * (h + gap));
    sheet.fill(QColor(0x1c, 0x72, 0x3e));
    QPainter p(&sheet);
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 13; ++rank) {
            p.drawPixmap(gap + rank * (w + gap), gap + suit * (h + gap),
                         pictures::bigCard(1 + suit * 13 + rank));
        }
        const int extra = suit == 0 ? 0 : suit == 1 ? 53 : -1;
        if (extra >= 0)
            p.drawPixmap(gap + 13 * (w + gap), gap + suit * (h + gap), pictures::bigCard(extra));
    }
    return sheet;
}

// The smilies side by side at their size and enlarged four times.
QPixmap smileySheet() {
    constexpr int n = 18, big = 4;
    QPixmap sheet(n * 17 * big + (n + 1) * 4, 17 + 17 * big + 12);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int i = 0; i < n; ++i) {
        const int x = 4 + i * (17 * big + 4);
        p.drawPixmap(x, 4, pictures::smiley(i));
        p.drawPixmap(QRect(x, 8 + 17, 17 * big, 17 * big), pictures::smiley(i));
    }
    return sheet;
}

// A few pictures blown up, pixel for pixel, to judge the small details.
QPixmap zoomSheet(const QList<QPixmap>& pics, int zoom = 3) {
    constexpr int gap = 8;
    int w = gap, h = 0;
    for (const QPixmap& pm : pics) w += pm.width() * zoom + gap, h = qMax(h, pm.height() * zoom);
    QPixmap sheet(w, h + 2 * gap);
    sheet.fill(QColor(0x1c, 0x72, 0x3e));
    QPainter p(&sheet);
    int x = gap;
    for (const QPixmap& pm : pics) {
        p.drawImage(
            x, gap,
            pm.toImage().scaled(pm.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        x += pm.width() * zoom + gap;
    }
    return sheet;
}

// The board panel as a game in progress might show it, from the positions the table uses.
QPixmap tablePreview() {
    using namespace pictures;
    QPixmap panel = boardBackground();
    QPainter p(&panel);
    p.drawPixmap(3, 12, pegboard());
    const int scores[4][2] = {{23, 17}, {47, 40}, {66, 61}, {121, 118}};
    for (int seat = 1; seat <= 4; ++seat) {
        for (int peg = 1; peg >= 0; --peg) {
            p.drawPixmap(pegSpot(seat, scores[seat - 1][peg]), ball(seat));
        }
    }
    p.drawPixmap(181, 335, turnHighlight());
    for (int i = 0; i < 5; ++i) p.drawPixmap(QPoint(122 + 5 * i, 128), bigCard(0));
    for (int i = 0; i < 4; ++i) p.drawPixmap(QPoint(278 + 5 * i, 33), bigCard(0));
    p.drawPixmap(410, 218, bigCard(53));
    const int hand[4] = {5, 18, 37, 50};
    for (int s = 1; s <= 4; ++s)
        p.drawPixmap(185 + 18 * s, s == 2 ? 332 : 336, bigCard(hand[s - 1]));
    p.drawPixmap(368, 392, okButton());
    p.drawPixmap(137, 24, bigCard(24));
    p.drawPixmap(213, 191, playedFrame());
    const int pile[3] = {9, 32, 45};
    for (int k = 0; k < 3; ++k) p.drawPixmap(213 + 15 * k, 191, bigCard(pile[k]));
    p.drawPixmap(100, 150, dealerMarker());
    p.drawPixmap(352, 60, goBadge());
    p.drawPixmap(386, 250, winnerBadge());
    p.drawPixmap(160, 232, eyes());
    p.drawPixmap(560, 420, startButton());
    p.drawPixmap(560, 350, logo());
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(200, 446, QStringLiteral("You"));
    p.drawText(215, 462, QStringLiteral("23"));
    p.drawText(212, 302, QStringLiteral("TOTAL: 24"));
    return panel;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: export-pictures <folder>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "export-pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    pictures::paintAll();
    bool ok = true;
    for (int i = 0; i < 54; ++i)
        ok &= save(dir, QStringLiteral("card%1").arg(i, 2, 10, QLatin1Char('0')),
                   pictures::bigCard(i));
    for (int i = 1; i <= 4; ++i)
        ok &= save(dir, QStringLiteral("ball%1").arg(i), pictures::ball(i));
    for (int i = 0; i < 2; ++i)
        ok &= save(dir, QStringLiteral("check%1").arg(i), pictures::check(i));
    for (int i = 0; i < 18; ++i)
        ok &= save(dir, QStringLiteral("smiley%1").arg(i, 2, 10, QLatin1Char('0')),
                   pictures::smiley(i));
    ok &= save(dir, QStringLiteral("pegboard"), pictures::pegboard());
    ok &= save(dir, QStringLiteral("dealer"), pictures::dealerMarker());
    ok &= save(dir, QStringLiteral("go"), pictures::goBadge());
    ok &= save(dir, QStringLiteral("turn"), pictures::turnHighlight());
    ok &= save(dir, QStringLiteral("winner"), pictures::winnerBadge());
    ok &= save(dir, QStringLiteral("ribbon"), pictures::winnerRibbon());
    ok &= save(dir, QStringLiteral("eyes"), pictures::eyes());
    ok &= save(dir, QStringLiteral("ok"), pictures::okButton());
    ok &= save(dir, QStringLiteral("done"), pictures::doneButton());
    ok &= save(dir, QStringLiteral("start"), pictures::startButton());
    ok &= save(dir, QStringLiteral("background"), pictures::boardBackground());
    ok &= save(dir, QStringLiteral("played"), pictures::playedFrame());
    ok &= save(dir, QStringLiteral("logo"), pictures::logo());
    ok &= save(dir, QStringLiteral("icon256"), pictures::appIcon().pixmap(256, 256));
    ok &= save(dir, QStringLiteral("cards"), contactSheet());
    ok &= save(dir, QStringLiteral("smilies"), smileySheet());
    ok &= save(dir, QStringLiteral("table"), tablePreview());
    using namespace pictures;
    ok &= save(dir, QStringLiteral("zoom-cards"),
               zoomSheet({bigCard(0), bigCard(1), bigCard(10), bigCard(24), bigCard(38),
                          bigCard(52), bigCard(53)}));
    ok &= save(dir, QStringLiteral("zoom-marks"),
               zoomSheet({ball(1), ball(2), ball(3), ball(4), check(0), check(1), eyes(),
                          dealerMarker(), goBadge(), okButton(), doneButton()}));
    ok &= save(dir, QStringLiteral("zoom-pegboard"),
               zoomSheet({pegboard().copy(0, 0, 98, 120), pegboard().copy(0, 340, 98, 120)}, 4));
    ok &= save(dir, QStringLiteral("zoom-icons"),
               zoomSheet({appIcon().pixmap(16, 16), appIcon().pixmap(24, 24),
                          appIcon().pixmap(32, 32), appIcon().pixmap(48, 48)},
                         4));
    ok &= save(dir, QStringLiteral("zoom-badges"),
               zoomSheet({winnerBadge(), winnerRibbon(), startButton(), logo()}));
    return ok ? 0 : 1;
}
