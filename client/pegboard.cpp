// The announcements of the play: every point scored in the count is written to the score log,
// heard, and pegged.
#include "client/tchat.h"

#include "client/pegboardview.h"

namespace {

QString extraSuffix(rules::PegKind kind) {
    switch (kind) {
    case rules::FourOfAKind:
        return QStringLiteral(" 12 for a Double Pair Royal");
    case rules::ThreeOfAKind:
        return QStringLiteral(" 6 for a Pair Royal");
    case rules::Pair:
        return QStringLiteral(" 2 for a Pair");
    case rules::RunOf3:
        return QStringLiteral(" 3 for a Run of 3");
    case rules::RunOf4:
        return QStringLiteral(" 4 for a Run of 4");
    case rules::RunOf5:
        return QStringLiteral(" 5 for a Run of 5");
    case rules::RunOf6:
        return QStringLiteral(" 6 for a Run of 6");
    case rules::RunOf7:
        return QStringLiteral(" 7 for a Run of 7");
    case rules::NoPegKind:
        break;
    }
    return QString();
}

} // namespace

// The five scoring messages: a seat's new score and its partner's, and for a pair or a run the
// kind, which names the line.
void Tchat::announce(const net::ScoreChange& m, const QString& ownText, const QString& otherText) {
    const int local = m_model.localSeat();
    const bool partners = m_model.gameType() == rules::Partners;
    m_model.peg(m.seat, m.score);
    if (partners) postscore(m.partner, m.partnerScore);
    if (m.seat == local || (partners && m.partner == local)) playsounds(QStringLiteral("points"));
    addScoreLine(m.seat == local ? ownText : seatName(m.seat) + otherText);
}

void Tchat::pegsgo(std::string_view args) {
    const auto m = net::toClient::readPegsgo(args);
    if (!m) return;
    // The seat that pegs the go could not lay another card either.
    m_model.noteGo(m->seat);
    announce(*m, QStringLiteral("You peg 1 for the Go"), QStringLiteral(" pegs 1 for the Go"));
}

void Tchat::pegslast(std::string_view args) {
    if (const auto m = net::toClient::readPegslast(args))
        announce(*m, QStringLiteral("You peg 1 for Last Card"),
                 QStringLiteral(" pegs 1 for Last Card"));
}

void Tchat::total15(std::string_view args) {
    if (const auto m = net::toClient::readTotal15(args))
        announce(*m, QStringLiteral("You peg 2 for Total 15"),
                 QStringLiteral(" pegs 2 for Total 15"));
}

void Tchat::total31(std::string_view args) {
    if (const auto m = net::toClient::readTotal31(args))
        announce(*m, QStringLiteral("You peg 2 for Total 31"),
                 QStringLiteral(" pegs 2 for Total 31"));
}

void Tchat::extra(std::string_view args) {
    const auto m = net::toClient::readExtra(args);
    if (!m) return;
    const QString suffix = extraSuffix(m->kind);
    announce({m->seat, m->score, m->partner, m->partnerScore}, QStringLiteral("You peg") + suffix,
             QStringLiteral(" pegs") + suffix);
}

void Tchat::hegoes(std::string_view args) {
    const auto seat = net::toClient::readHegoes(args);
    if (!seat) return;
    addScoreLine(*seat == m_model.localSeat() ? QStringLiteral("You GO!!")
                                              : seatName(*seat) + " GO!!");
    m_model.setGo(*seat);
    playsounds(QStringLiteral("go"));
}

void Tchat::image_peg11MouseMove(int seat, int peg) {
    m_pegboard->image_peg11MouseMove(seat, peg);
}
