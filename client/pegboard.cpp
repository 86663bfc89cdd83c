// The announcements of the play: every point scored in the count is written to the score log,
// heard, and pegged.
#include "client/tchat.h"

#include "client/pegboardview.h"

namespace {

QString extraSuffix(int kind) {
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

} // namespace

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

    const int local = m_model.localSeat();
    const bool partners = m_model.gameType() == 4;
    m_model.peg(*seat, *score);
    if (partners) postscore(*partner, *partnerScore);
    if (*seat == local || (partners && *partner == local)) playsounds(QStringLiteral("points"));

    QString suffix;
    if (hasKind) {
        suffix = extraSuffix(*kind);
        if (suffix.isEmpty()) return;
    }
    addScoreLine((*seat == local ? ownText : seatName(*seat) + otherText) + suffix);
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
    addScoreLine(*seat == m_model.localSeat() ? QStringLiteral("You GO!!")
                                              : seatName(*seat) + " GO!!");
    m_model.setGo(*seat);
    playsounds(QStringLiteral("go"));
}

void Tchat::image_peg11MouseMove(int seat, int peg) {
    m_pegboard->image_peg11MouseMove(seat, peg);
}
