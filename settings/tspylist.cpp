// The spectator list window.
#include "settings/tspylist.h"

#include "settings/sidewindow.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

Tspylist::Tspylist(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(QStringLiteral("Cribbage -Spys"));
    sidewindow::applyLook(this);

    auto* title = new QLabel(QStringLiteral("Spy List"), this);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    title->setFont(f);
    sidewindow::markHeading(title);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_kickhim = m_popup->addAction(QStringLiteral("Remove From Game"));
    m_kickhim->setObjectName(QStringLiteral("popup_kickhim"));
    m_kickhim->setEnabled(false);
    connect(m_kickhim, &QAction::triggered, this, &Tspylist::popup_kickhimClick);
    connect(m_list, &QListWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        m_pointed = m_list->indexAt(p).row();
        QListWidgetItem* item = m_list->item(m_pointed);
        m_popupEntry = item ? item->text() : QString();
        m_popup->popup(m_list->viewport()->mapToGlobal(p));
    });

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* top = new QVBoxLayout(this);
    top->addWidget(title);
    top->addWidget(m_list, 1);
    top->addLayout(buttons);
    resize(220, 260);
}

void Tspylist::setSpectators(const QStringList& entries) {
    if (entries == this->entries()) return;
    m_list->clear();
    // An item view shows its text as it is: a name is never markup here.
    m_list->addItems(entries);
    m_pointed = -1;
    if (!entries.contains(m_popupEntry)) m_popupEntry.clear();
}

QStringList Tspylist::entries() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i) out << m_list->item(i)->text();
    return out;
}

void Tspylist::setHosting(bool hosting) {
    m_kickhim->setEnabled(hosting);
}

void Tspylist::popup_kickhimClick() {
    if (m_popupEntry.isEmpty()) return;
    bool ok = false;
    const int seat = m_popupEntry.section(QLatin1Char(':'), 0, 0).toInt(&ok);
    if (ok) emit kickRequested(seat);
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const auto* me = static_cast<QMouseEvent*>(event);
            m_pointed = m_list->indexAt(me->position().toPoint()).row();
        } else if (event->type() == QEvent::Leave) {
            m_pointed = -1;
        }
    }
    return QWidget::eventFilter(watched, event);
}
