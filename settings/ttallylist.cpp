// The tally window.
#include "settings/ttallylist.h"

#include "settings/sidewindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The longest name a table gives a player, in characters.
constexpr int MaxShownNameLength = 32;

// Names are other people's choice: shown as typed, never as markup (a name can be a link, a
// picture, or a table nested deep enough to bring the layout down).
QLabel* named(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setObjectName(name);
    return label;
}

QMessageBox* plainBox(QMessageBox::Icon icon, const QString& text,
                      QMessageBox::StandardButtons buttons, QWidget* parent) {
    auto* box = new QMessageBox(icon, QStringLiteral("Cribbage"), text, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace

Ttallylist::Ttallylist(QWidget* parent, const QString& path)
    : QWidget(parent, Qt::Window), m_path(path) {
    setObjectName(QStringLiteral("Ttallylist"));
    setWindowTitle(QStringLiteral("Cribbage - Tally List"));
    sidewindow::applyLook(this);

    // Own totals.
    auto* mine = new QGroupBox(QStringLiteral("Your Total Tally"), this);
    auto* mineGrid = new QGridLayout(mine);
    const char* mineTitles[] = {"", "Total Games:", "Your Wins", "", ""};
    for (int i = 1; i <= 4; ++i) {
        m_mylabels[i] = named(QStringLiteral("0"), QStringLiteral("mylabel_%1").arg(i), mine);
        if (i <= 2) {
            mineGrid->addWidget(new QLabel(QString::fromLatin1(mineTitles[i]), mine), i - 1, 0);
            mineGrid->addWidget(m_mylabels[i], i - 1, 1);
        } else {
            m_mylabels[i]->hide();
        }
    }

    // The followed opponent.
    auto* his = new QGroupBox(this);
    auto* hisGrid = new QGridLayout(his);
    m_hisnametop = named(QString(), QStringLiteral("label_hisnametop"), his);
    QFont bold = m_hisnametop->font();
    bold.setBold(true);
    m_hisnametop->setFont(bold);
    m_hisname = named(QStringLiteral("Wins:"), QStringLiteral("label_hisname"), his);
    hisGrid->addWidget(m_hisnametop, 0, 0, 1, 3);
    hisGrid->addWidget(new QLabel(QStringLiteral("Total"), his), 1, 1);
    hisGrid->addWidget(new QLabel(QStringLiteral("Session"), his), 1, 2);
    QLabel* rowTitles[4] = {new QLabel(QStringLiteral("Number of Games"), his), m_hisname,
                            new QLabel(QStringLiteral("Your Wins:"), his),
                            new QLabel(QStringLiteral("Neither Won:"), his)};
    for (int r = 0; r < 4; ++r) {
        m_labels[r + 1] = named(QStringLiteral("0"), QStringLiteral("label_%1").arg(r + 1), his);
        m_labels[r + 5] = named(QStringLiteral("0"), QStringLiteral("label_%1").arg(r + 5), his);
        hisGrid->addWidget(rowTitles[r], r + 2, 0);
        hisGrid->addWidget(m_labels[r + 1], r + 2, 1);
        hisGrid->addWidget(m_labels[r + 5], r + 2, 2);
        if (r == 3) {
            rowTitles[r]->hide();
            m_labels[r + 1]->hide();
            m_labels[r + 5]->hide();
        }
    }

    // The two lists.
    m_followedList = new QListWidget(this);
    m_followedList->setObjectName(QStringLiteral("listbox_tally"));
    m_checklist = new QListWidget(this);
    m_checklist->setObjectName(QStringLiteral("checklist"));
    connect(m_followedList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_refreshing && row >= 0) listbox_tallyClick(row);
    });
    connect(m_followedList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        // The handlers rebuild the list, which must not happen inside the item's own signal.
        if (!m_refreshing && item->checkState() == Qt::Unchecked) {
            const int row = m_followedList->row(item);
            QMetaObject::invokeMethod(
                this, [this, row] { listbox_tallyClickCheck(row); }, Qt::QueuedConnection);
        }
    });
    connect(m_checklist, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_refreshing && item->checkState() == Qt::Checked) {
            const int row = m_checklist->row(item);
            QMetaObject::invokeMethod(
                this, [this, row] { checklistClickCheck(row); }, Qt::QueuedConnection);
        }
    });

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("FlatButton1"));
    connect(done, &QPushButton::clicked, this, &Ttallylist::FlatButton1Click);
    auto* reset = new QPushButton(QStringLiteral("Reset Tally"), this);
    reset->setObjectName(QStringLiteral("FlatButton2"));
    connect(reset, &QPushButton::clicked, this, &Ttallylist::FlatButton2Click);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Players Being Tallied"), this));
    left->addWidget(m_followedList);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Players In Current Game"), this));
    right->addWidget(m_checklist);
    lists->addLayout(left);
    lists->addLayout(right);

    auto* panels = new QHBoxLayout;
    panels->addWidget(mine);
    panels->addWidget(his, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(done);

    auto* top = new QVBoxLayout(this);
    top->addLayout(panels);
    top->addLayout(lists, 1);
    top->addLayout(buttons);
    resize(480, 400);

    m_loadMessage = m_tally.load(m_path);
    if (m_tally.loadFailed()) {
        const QString copy = m_tally.keepDamagedFile();
        m_loadMessage += copy.isEmpty()
                             ? QStringLiteral(" The damaged file could not be set aside; it is "
                                              "left as it is and will not be written over.")
                             : QStringLiteral(" The damaged file is kept as ") + copy +
                                   QStringLiteral(" and a new tally is started.");
    }
    refreshLists();
    refreshTotals();
}

Ttallylist::~Ttallylist() {
    if (!m_stored) FormDestroy();
}

QString Ttallylist::FormDestroy() {
    m_stored = true;
    return m_tally.store(m_path);
}

void Ttallylist::refreshLists() {
    m_refreshing = true;
    m_followedList->clear();
    for (const QString& name : m_tally.followed()) {
        auto* item = new QListWidgetItem(name, m_followedList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_checklist->clear();
    for (const QString& name : m_tally.currentGame()) {
        auto* item = new QListWidgetItem(name, m_checklist);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_tally.isFollowed(name) ? Qt::Checked : Qt::Unchecked);
    }
    if (m_selected >= 0 && m_selected < m_followedList->count())
        m_followedList->setCurrentRow(m_selected);
    m_refreshing = false;
}

void Ttallylist::refreshTotals() {
    for (int i = 1; i <= 4; ++i) m_mylabels[i]->setText(m_tally.cell(i, 0));
}

void Ttallylist::showOpponent(int index) {
    if (index < 0 || index >= m_tally.followed().size()) return clearOpponent();
    const auto counts = m_tally.opponent(index);
    for (int i = 0; i < 8; ++i) m_labels[i + 1]->setText(QString::number(counts[size_t(i)]));
    // A name longer than any the table admits (an old file, a hand-edited one) would widen the
    // window past the screen; it is cut short here, and the list beside shows it whole.
    const QFontMetrics metrics = m_hisname->fontMetrics();
    const QString name =
        metrics.elidedText(m_tally.followed()[index], Qt::ElideRight,
                           metrics.horizontalAdvance(QLatin1Char('M')) * MaxShownNameLength);
    m_hisname->setText(name + QStringLiteral(" Wins:"));
    m_hisnametop->setText(name + QStringLiteral("'s Tally"));
}

void Ttallylist::clearOpponent() {
    for (int i = 1; i <= 8; ++i) m_labels[i]->setText(QStringLiteral("0"));
    m_hisname->setText(QStringLiteral("Wins:"));
    m_hisnametop->clear();
}

void Ttallylist::ViewTally1Click(const QStringList& otherSeatNames) {
    m_tally.loadchecklist(otherSeatNames);
    refreshLists();
    show();
    raise();
}

QString Ttallylist::addgame(const QString& winner, const QString& partner,
                            const QStringList& otherSeatNames) {
    m_tally.loadchecklist(otherSeatNames);
    m_tally.addgame(winner, partner);
    refreshLists();
    refreshTotals();
    if (m_selected >= 0) showOpponent(m_selected);
    return m_tally.store(m_path);
}

void Ttallylist::FlatButton1Click() {
    hide();
}

void Ttallylist::FlatButton2Click() {
    if (!ask(QStringLiteral("Are you sure you want to reset the Tally?"))) return;
    m_tally.reset();
    m_selected = -1;
    refreshLists();
    refreshTotals();
    clearOpponent();
}

void Ttallylist::listbox_tallyClick(int index) {
    m_selected = index;
    showOpponent(index);
}

void Ttallylist::listbox_tallyClickCheck(int index) {
    if (index < 0 || index >= m_tally.followed().size()) return;
    const QString name = m_tally.followed()[index];
    const bool yes = ask(QStringLiteral("This will delete ") + name +
                         QStringLiteral("'s Tally, Are you want to delete it?"));
    if (yes) {
        m_tally.unfollow(index);
        if (m_selected == index) {
            m_selected = -1;
            clearOpponent();
        } else if (m_selected > index) {
            --m_selected;
        }
    }
    // Either way the list shows what is followed: on No the entry is checked again.
    refreshLists();
}

void Ttallylist::checklistClickCheck(int index) {
    if (index < 0 || index >= m_tally.currentGame().size()) return;
    m_tally.follow(m_tally.currentGame()[index]);
    refreshLists();
}

bool Ttallylist::ask(const QString& question) {
    // The question may carry an opponent's name: plain text, never markup.
    return plainBox(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No, this)
               ->exec() == QMessageBox::Yes;
}
