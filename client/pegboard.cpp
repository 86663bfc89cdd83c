// The pegboard and the announcements of the play: every point scored in the count is written
// to the score log, heard, and pegged.
#include "client/imagelabel.h"
#include "client/tchat.h"
#include "resources/pictures.h"

#include <QLabel>

void Tchat::postscore(int seat, int score) {
    if (!table::isPlayingSeat(seat)) return;
    ImageLabel* front = m_pegs[seat][1];
    ImageLabel* back = m_pegs[seat][2];
    back->move(front->pos());
    back->raise();
    items(seat).score->setText(QString::number(score));
    front->move(pictures::pegSpot(seat, score));
    front->raise();
    // At the start and at the finish both pegs share one hole.
    if (score <= 0 || score > 120) back->move(front->pos());
}

QString Tchat::extraSuffix(int kind) const {
    switch (kind) {
    case 1:
        return QStringLiteral(" 12 for a Double Pair Royal");
    case 2:
        return QStringLiteral(" 6 for a Pair Royal");
    case 3:
        return QStringLiteral(" 2 for a Pair");
    case 4:
        return QStringLiteral(" 3 for a Run of 3");
    case 5:
        return QStringLiteral(" 4 for a Run of 4");
    case 6:
        return QStringLiteral(" 5 for a Run of 5");
    case 7:
        return QStringLiteral(" 6 for a Run of 6");
    case 8:
        return QStringLiteral(" 7 for a Run of 7");
    case 9:
        return QStringLiteral(" 8 for a Run of 8");
    default:
        return QString();
    }
}

// The five scoring messages: seat, score, [kind,] partner, partner's score. All fields are read
// before anything moves, so a damaged message shows nothing.
void Tchat::announce(std::string_view args, bool hasKind, const QString& ownText,
                     const QString& otherText) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto score = f.takeInt();
    std::optional<int> kind = 0;
    if (hasKind) kind = f.takeInt();
    const auto partner = f.takeInt();
    const auto partnerScore = f.takeInt();
    if (!seat || !score || !kind || !partner || !partnerScore) return;

    const bool partners = m_state.gameType == 4;
    postscore(*seat, *score);
    if (partners) postscore(*partner, *partnerScore);
    if (*seat == m_state.localSeat || (partners && *partner == m_state.localSeat))
        playsounds(QStringLiteral("points"));

    QString suffix;
    if (hasKind) {
        suffix = extraSuffix(*kind);
        if (suffix.isEmpty()) return;
    }
    addScoreLine((*seat == m_state.localSeat ? ownText : seatName(*seat) + otherText) + suffix);
}

void Tchat::pegsgo(std::string_view args) {
    announce(args, false, QStringLiteral("You peg 1 for the Go"),
             QStringLiteral(" pegs 1 for the Go"));
}

void Tchat::pegslast(std::string_view args) {
    announce(args, false, QStringLiteral("You peg 1 for Last Card"),
             QStringLiteral(" pegs 1 for Last Card"));
}

void Tchat::total15(std::string_view args) {
    announce(args, false, QStringLiteral("You peg 2 for Total 15"),
             QStringLiteral(" pegs 2 for Total 15"));
}

void Tchat::total31(std::string_view args) {
    announce(args, false, QStringLiteral("You peg 2 for Total 31"),
             QStringLiteral(" pegs 2 for Total 31"));
}

void Tchat::extra(std::string_view args) {
    announce(args, true, QStringLiteral("You peg"), QStringLiteral(" pegs"));
}

void Tchat::hegoes(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat) return;
    addScoreLine(*seat == m_state.localSeat ? QStringLiteral("You GO!!")
                                            : seatName(*seat) + " GO!!");
    if (table::isPlayingSeat(*seat)) {
        items(*seat).go->show();
        items(*seat).go->raise();
    }
    playsounds(QStringLiteral("go"));
}

void Tchat::image_peg11MouseMove(int seat, int peg) {
    if (!table::isPlayingSeat(seat) || peg < 1 || peg > 2) return;
    m_pegs[seat][peg]->setToolTip(seatName(seat) + " - score: " + items(seat).score->text());
}
