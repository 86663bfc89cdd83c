// The deal history, redrawn from the model's deal records whenever one changes.
#include "client/dealhistory.h"

#include "client/hintadvisor.h"
#include "client/tablemodel.h"
#include "rules/cards.h"

#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString cardsText(const std::vector<int>& cards) {
    QStringList parts;
    for (const int card : cards) parts << HintAdvisor::cardText(card);
    return parts.join(QLatin1Char(' '));
}

// A long name would widen its two columns past the window; the tooltip holds it whole.
QString shortName(const QString& name) {
    constexpr int kLongest = 14;
    return name.size() <= kLongest ? name : name.left(kLongest - 1) + QChar(0x2026);
}

QTableWidgetItem* item(const QString& text, const QString& tip = {}) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (!tip.isEmpty()) cell->setToolTip(tip);
    return cell;
}

QTableWidgetItem* points(const std::optional<table::ShowRecord>& show) {
    if (!show) return item(QString());
    std::vector<int> cards;
    for (const int card : show->cards)
        if (rules::isCard(card)) cards.push_back(card);
    return item(QString::number(show->total), cardsText(cards));
}

} // namespace

DealHistory::DealHistory(const TableModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(model) {
    setObjectName(QStringLiteral("DealHistory"));
    setWindowTitle(tr("Cribbage - Deal History"));

    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("label_dealgame"));
    // Names are other people's choice: plain text everywhere in this window.
    m_title->setTextFormat(Qt::PlainText);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("table_deals"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setMinimumSectionSize(40);
    m_table->setWordWrap(false);
    layout->addWidget(m_table);

    auto* note =
        new QLabel(tr("Play counts the points pegged in the play and for his heels. Point at a "
                      "number to see the cards."),
                   this);
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(&m_model, &TableModel::dealsChanged, this, &DealHistory::rebuild);
    connect(&m_model, &TableModel::gameChanged, this, &DealHistory::rebuild);
    connect(&m_model, &TableModel::seatChanged, this, &DealHistory::rebuild);
    resize(640, 360);
    rebuild();
}

void DealHistory::rebuild() {
    const int type = m_model.gameType();
    const int players = table::playersOf(type);
    m_title->setText(m_model.deals().empty() && !m_model.gameInProgress()
                         ? tr("No game yet")
                         : table::gameTypeText(type));

    m_table->setColumnCount(cribColumn(players) + 1);
    auto head = [this](int column, const QString& text, const QString& tip = {}) {
        QTableWidgetItem* cell = item(text, tip);
        m_table->setHorizontalHeaderItem(column, cell);
    };
    head(0, tr("Deal"));
    head(1, tr("Dealer"));
    head(2, tr("Starter"));
    for (int seat = 1; seat <= players; ++seat) {
        const QString name = m_model.seatName(seat);
        const QString shown = shortName(name);
        head(playColumn(seat), shown + QStringLiteral("\nPlay"), name);
        head(handColumn(seat), shown + QStringLiteral("\nHand"), name);
    }
    head(cribColumn(players), tr("Crib"));

    // A deal appears once its dealer is known.
    std::vector<const table::DealRecord*> deals;
    for (const table::DealRecord& d : m_model.deals())
        if (table::isPlayingSeat(d.dealer)) deals.push_back(&d);
    // The deals, then the sum of each column of points.
    m_table->setRowCount(deals.empty() ? 0 : int(deals.size()) + 1);
    std::vector<int> sums(std::size_t(cribColumn(players) + 1), 0);
    auto add = [&sums](int column, const QTableWidgetItem* cell) {
        sums[std::size_t(column)] += cell->text().toInt();
    };
    for (int row = 0; row < int(deals.size()); ++row) {
        const table::DealRecord& d = *deals[std::size_t(row)];
        m_table->setItem(row, 0, item(QString::number(row + 1)));
        m_table->setItem(row, 1,
                         item(shortName(m_model.seatName(d.dealer)), m_model.seatName(d.dealer)));
        QTableWidgetItem* starter = item(HintAdvisor::cardText(d.starter));
        if (rules::isCard(d.starter) &&
            (rules::suitOf(d.starter) == 2 || rules::suitOf(d.starter) == 3))
            starter->setForeground(QColor(0xb3, 0x26, 0x1e));
        m_table->setItem(row, 2, starter);
        for (int seat = 1; seat <= players; ++seat) {
            const auto& laid = d.played[std::size_t(seat)];
            const bool started = !laid.empty() || d.playPoints[std::size_t(seat)] != 0;
            m_table->setItem(
                row, playColumn(seat),
                item(started ? QString::number(d.playPoints[std::size_t(seat)]) : QString(),
                     cardsText(laid)));
            m_table->setItem(row, handColumn(seat), points(d.shows[std::size_t(seat)]));
            add(playColumn(seat), m_table->item(row, playColumn(seat)));
            add(handColumn(seat), m_table->item(row, handColumn(seat)));
        }
        m_table->setItem(row, cribColumn(players), points(d.shows[table::kCribBox]));
        add(cribColumn(players), m_table->item(row, cribColumn(players)));
    }
    if (!deals.empty()) {
        const int row = int(deals.size());
        QFont bold = m_table->font();
        bold.setBold(true);
        for (int column = 0; column < m_table->columnCount(); ++column) {
            QTableWidgetItem* cell =
                item(column == 0                 ? tr("Total")
                     : column < kFirstSeatColumn ? QString()
                                                 : QString::number(sums[std::size_t(column)]));
            cell->setFont(bold);
            m_table->setItem(row, column, cell);
        }
    }
    if (!deals.empty()) m_table->scrollToBottom();
}
