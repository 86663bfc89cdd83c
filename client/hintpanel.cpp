// The hints on the table, redrawn from the advisor: the keeps above the hand during the giving,
// the card's reason beside the hand during the play.
#include "client/hintpanel.h"

#include "client/hintadvisor.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "rules/cards.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Above the hand, over the empty middle of the table: clear of the seats on both sides.
constexpr int kKeepsX = 214;
constexpr int kKeepsY = 186;
constexpr int kKeepsWidth = 174;
// Right of the hand, where OK stands during the giving: a narrow note, clear of the crib beside
// the seat on the right and of the seat's name.
constexpr int kPlayX = 338;
constexpr int kPlayY = 362;
constexpr int kPlayWidth = 84;
// Left of the table's middle, between the seat on the left and the crib's place below it.
constexpr int kButtonX = 118;
constexpr int kButtonY = 314;

const char* const kPanelStyle =
    "QFrame { background: #f6efd9; border: 1px solid #6b4a2b; border-radius: 5px; }"
    "QLabel { color: #2b1d0e; font: 11px 'DejaVu Sans'; background: transparent; border: none;"
    " padding: 0px 3px; }";
const char* const kHeadStyle = "color: #6b4a2b; font: bold 10px 'DejaVu Sans';";
const char* const kBestStyle = "background: #f3d98b; font-weight: bold;";

const char* const kButtonStyle =
    "QPushButton { color: #ffffff; font: bold 11px 'DejaVu Sans'; border: 1px solid #174a1d;"
    " border-radius: 6px; padding: 2px 10px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4caf57, stop:1 #23692d); }"
    "QPushButton:pressed { background: #1d5624; }"
    "QPushButton:disabled { color: #8fa98f; border-color: #2b4a2b; background: #2f4f2f; }";

// Cards in their suits' colours: the player reads them as on the felt. Our own text only.
QString cardsHtml(const std::array<int, 2>& cards) {
    QStringList parts;
    for (const int card : cards) {
        if (!rules::isCard(card)) continue;
        const int suit = rules::suitOf(card);
        const char* colour = suit == 2 || suit == 3 ? "#b3261e" : "#1d1d1d";
        parts << QStringLiteral("<span style=\"color:%1\">%2</span>")
                     .arg(QLatin1String(colour), HintAdvisor::cardText(card));
    }
    return parts.join(QLatin1Char(' '));
}

QLabel* cell(QWidget* parent, const QString& name, Qt::Alignment align) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

HintPanel::HintPanel(TableModel& model, HintAdvisor& advisor, QWidget* board)
    : QObject(board), m_model(model), m_advisor(advisor) {
    static_assert(std::tuple_size_v<decltype(m_rows)> == HintAdvisor::kKeepsShown);

    m_button = new QPushButton(tr("Hint"), board);
    m_button->setObjectName(QStringLiteral("button_hint"));
    m_scale = TableScale::of(board);
    m_button->setCursor(Qt::PointingHandCursor);
    // The keys of the table go to the hand and its buttons; the hint has its own key.
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(tr("The cards a good player would give, or the card to lay (H)"));
    m_button->hide();
    connect(m_button, &QPushButton::clicked, this, &HintPanel::hintPressed);

    m_keepsPanel = new QFrame(board);
    m_keepsPanel->setObjectName(QStringLiteral("panel_hint"));
    m_keepsPanel->setToolTip(
        tr("Points to expect from each way to give: the hand over every starter, the "
           "crib over every way the other cards can fill it. Net adds your own crib "
           "or takes an opponent's away."));
    auto* grid = new QGridLayout(m_keepsPanel);
    grid->setContentsMargins(4, 4, 4, 5);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(1);
    m_keepsTitle = cell(m_keepsPanel, QStringLiteral("label_hinttitle"), Qt::AlignLeft);
    m_keepsTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(m_keepsTitle, 0, 0, 1, 4);
    const char* const heads[] = {"Give", "Hand", "Crib", "Net"};
    for (int c = 0; c < 4; ++c) {
        QLabel* head = cell(m_keepsPanel, QString(), c == 0 ? Qt::AlignLeft : Qt::AlignRight);
        head->setText(QString::fromLatin1(heads[c]));
        m_heads.append(head);
        grid->addWidget(head, 1, c);
    }
    for (int r = 0; r < HintAdvisor::kKeepsShown; ++r) {
        KeepRow& row = m_rows[std::size_t(r)];
        const QString n = QString::number(r + 1);
        row.give = cell(m_keepsPanel, QStringLiteral("label_hintgive") + n, Qt::AlignLeft);
        row.give->setTextFormat(Qt::RichText);
        row.hand = cell(m_keepsPanel, QStringLiteral("label_hinthand") + n, Qt::AlignRight);
        row.crib = cell(m_keepsPanel, QStringLiteral("label_hintcrib") + n, Qt::AlignRight);
        row.net = cell(m_keepsPanel, QStringLiteral("label_hintnet") + n, Qt::AlignRight);
        grid->addWidget(row.give, r + 2, 0);
        grid->addWidget(row.hand, r + 2, 1);
        grid->addWidget(row.crib, r + 2, 2);
        grid->addWidget(row.net, r + 2, 3);
        if (r == 0)
            for (QLabel* l : {row.give, row.hand, row.crib, row.net})
                l->setStyleSheet(QLatin1String(kBestStyle));
    }
    grid->setColumnStretch(0, 1);
    m_keepsPanel->hide();

    m_playPanel = new QFrame(board);
    m_playPanel->setObjectName(QStringLiteral("panel_hintplay"));
    auto* box = new QVBoxLayout(m_playPanel);
    box->setContentsMargins(5, 4, 5, 5);
    m_playText = new QLabel(m_playPanel);
    m_playText->setObjectName(QStringLiteral("label_hintplay"));
    m_playText->setTextFormat(Qt::PlainText);
    m_playText->setWordWrap(true);
    box->addWidget(m_playText);
    m_playPanel->hide();

    applyScale();
    if (m_scale) {
        m_scale->move(m_button, QPoint(kButtonX, kButtonY));
        m_scale->move(m_keepsPanel, QPoint(kKeepsX, kKeepsY));
        m_scale->move(m_playPanel, QPoint(kPlayX, kPlayY));
        connect(m_scale, &TableScale::factorChanged, this, &HintPanel::applyScale);
    } else {
        m_button->move(kButtonX, kButtonY);
        m_keepsPanel->move(kKeepsX, kKeepsY);
        m_playPanel->move(kPlayX, kPlayY);
    }

    connect(&m_advisor, &HintAdvisor::availableChanged, m_button, &QWidget::setEnabled);
    connect(&m_advisor, &HintAdvisor::hintChanged, this, &HintPanel::showHint);
    connect(&m_model, &TableModel::gameChanged, this, &HintPanel::showButton);
    connect(&m_model, &TableModel::winnerChanged, this, &HintPanel::showButton);
    connect(&m_model, &TableModel::connectionChanged, this, &HintPanel::showButton);
    m_button->setEnabled(m_advisor.available());
}

void HintPanel::applyScale() {
    const double factor = m_scale ? m_scale->factor() : 1.0;
    auto length = [factor](int units) { return qRound(units * factor); };
    auto style = [factor](const char* sheet) {
        return TableScale::scaledStyle(QLatin1String(sheet), factor);
    };
    m_button->setStyleSheet(style(kButtonStyle));
    m_keepsPanel->setStyleSheet(style(kPanelStyle));
    m_playPanel->setStyleSheet(style(kPanelStyle));
    for (QLabel* head : std::as_const(m_heads)) head->setStyleSheet(style(kHeadStyle));
    m_keepsPanel->layout()->setContentsMargins(length(4), length(4), length(4), length(5));
    if (auto* grid = qobject_cast<QGridLayout*>(m_keepsPanel->layout()))
        grid->setVerticalSpacing(length(1));
    m_playPanel->layout()->setContentsMargins(length(5), length(4), length(5), length(5));
    m_keepsPanel->setFixedWidth(length(kKeepsWidth));
    m_playPanel->setFixedWidth(length(kPlayWidth));
    m_button->adjustSize();
    m_keepsPanel->adjustSize();
    fitPlayPanel();
}

// A narrow note: as high as its wrapped lines need at its width.
void HintPanel::fitPlayPanel() {
    m_playPanel->layout()->activate();
    m_playPanel->setFixedHeight(m_playPanel->layout()->totalHeightForWidth(m_playPanel->width()));
}

void HintPanel::showButton() {
    const bool playing = m_model.gameInProgress() && table::isPlayingSeat(m_model.localSeat());
    m_button->setVisible(playing);
    if (playing) m_button->raise();
}

void HintPanel::showHint() {
    showKeeps();
    showPlay();
}

void HintPanel::showKeeps() {
    if (m_advisor.kind() != HintAdvisor::Kind::Giving) {
        m_keepsPanel->hide();
        return;
    }
    m_keepsTitle->setText(m_advisor.ownCrib() ? tr("Best keeps, your crib")
                                              : tr("Best keeps, their crib"));
    const auto& keeps = m_advisor.keeps();
    auto number = [](double v) { return QString::number(v, 'f', 2); };
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const KeepRow& row = m_rows[r];
        const bool used = r < keeps.size();
        for (QLabel* l : {row.give, row.hand, row.crib, row.net}) l->setVisible(used);
        if (!used) continue;
        row.give->setText(cardsHtml(keeps[r].thrown));
        row.hand->setText(number(keeps[r].hand));
        row.crib->setText(number(keeps[r].crib));
        row.net->setText(number(keeps[r].net));
    }
    m_keepsPanel->adjustSize();
    m_keepsPanel->show();
    m_keepsPanel->raise();
}

void HintPanel::showPlay() {
    if (m_advisor.kind() != HintAdvisor::Kind::Play) {
        m_playPanel->hide();
        return;
    }
    m_playText->setText(tr("Lay the ") + HintAdvisor::cardText(m_advisor.playCard()) +
                        QStringLiteral(": ") + m_advisor.reason());
    fitPlayPanel();
    m_playPanel->show();
    m_playPanel->raise();
}
