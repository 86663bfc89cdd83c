// The game start window: two groups of option boxes and the start image that sends the choice.
#include "settings/tgamestart.h"

#include "resources/pictures.h"
#include "settings/sidewindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <functional>

namespace {

// An option box or the start image: a picture that answers a left click.
class ClickPicture : public QLabel {
public:
    ClickPicture(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), m_onClick(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && m_onClick) m_onClick();
        event->accept();
    }

private:
    std::function<void()> m_onClick;
};

constexpr const char* kPtsTexts[2] = {"Play to 121", "Play to 61"};
constexpr const char* kGtTexts[4] = {"2 Player Game", "3 Player Game", "4 Player Single",
                                     "4 Player Partners"};

QLabel* caption(QWidget* parent, const QString& text, int x, int y, const QString& style) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(style);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

Tgamestart::Tgamestart(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Cribbage - Game Start"));
    setFixedSize(300, 300);
    setStyleSheet(QStringLiteral("QWidget#Tgamestart { background: #2e5a2c; }"));
    pictures::paintAll();

    const QString heading =
        QStringLiteral("color: #ffd75e; font: bold 16px 'DejaVu Sans'; background: transparent;");
    const QString group =
        QStringLiteral("color: #fdf6e3; font: bold 12px 'DejaVu Sans'; background: transparent;");
    const QString option =
        QStringLiteral("color: #fdf6e3; font: 12px 'DejaVu Sans'; background: transparent;");

    auto* title = caption(this, QStringLiteral("Game Options"), 0, 10, heading);
    title->setObjectName(QStringLiteral("label_heading"));
    title->move((width() - title->width()) / 2, 10);

    m_labelPts = caption(this, QStringLiteral("Points"), 20, 44, group);
    m_labelPts->setObjectName(QStringLiteral("label_pts"));
    for (int i = 0; i < 2; ++i) {
        auto* box = new ClickPicture(this, [this, i] { image_pts1Click(i + 1); });
        box->setObjectName(QStringLiteral("image_pts%1").arg(i + 1));
        box->setGeometry(20, 64 + 28 * i, 30, 24);
        box->setProperty("value", QString::number(i + 1));
        box->setProperty("selected", i == 0 ? 1 : 0);
        caption(this, QString::fromLatin1(kPtsTexts[i]), 56, 68 + 28 * i, option);
        m_ptsBoxes[i] = box;
    }

    m_labelGt = caption(this, QStringLiteral("Game Type"), 20, 128, group);
    m_labelGt->setObjectName(QStringLiteral("label_gt"));
    for (int i = 0; i < 4; ++i) {
        auto* box = new ClickPicture(this, [this, i] { image_gt1Click(i + 1); });
        box->setObjectName(QStringLiteral("image_gt%1").arg(i + 1));
        box->setGeometry(20, 148 + 28 * i, 30, 24);
        box->setProperty("value", QString::number(i + 1));
        box->setProperty("selected", i == 0 ? 1 : 0);
        caption(this, QString::fromLatin1(kGtTexts[i]), 56, 152 + 28 * i, option);
        m_gtBoxes[i] = box;
    }
    m_labelPts->setProperty("choice", m_pts);
    m_labelGt->setProperty("choice", m_gt);

    auto* start = new ClickPicture(this, [this] { button_startClick(); });
    start->setObjectName(QStringLiteral("button_start"));
    sidewindow::setSharpPixmap(start, [](qreal ratio) { return pictures::startButtonAt(ratio); });
    start->resize(pictures::startButton().size());
    start->move(width() - start->width() - 16, height() - start->height() - 14);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    hide();
}

void Tgamestart::select(QLabel* const* boxes, int count, const QString& value, QString& choice,
                        QLabel* holder) {
    const QString before = choice;
    for (int i = 0; i < count; ++i) {
        boxes[i]->clear();
        boxes[i]->setProperty("selected", 0);
        sidewindow::setSharpPixmap(boxes[i],
                                   [](qreal ratio) { return pictures::checkAt(0, ratio); });
    }
    for (int i = 0; i < count; ++i) {
        if (boxes[i]->property("value").toString() != value) continue;
        boxes[i]->setProperty("selected", 1);
        sidewindow::setSharpPixmap(boxes[i],
                                   [](qreal ratio) { return pictures::checkAt(1, ratio); });
        choice = value;
        holder->setProperty("choice", choice);
    }
    if (choice != before) emit choicesChanged(m_pts, m_gt);
}

void Tgamestart::selectChoices(const QString& points, const QString& gameType) {
    selectpts(points.isEmpty() ? m_pts : points);
    selectgt(gameType.isEmpty() ? m_gt : gameType);
}

void Tgamestart::selectpts(const QString& value) {
    select(m_ptsBoxes.data(), 2, value, m_pts, m_labelPts);
}

void Tgamestart::selectgt(const QString& value) {
    select(m_gtBoxes.data(), 4, value, m_gt, m_labelGt);
}

void Tgamestart::image_pts1Click(int index) {
    if (index < 1 || index > 2) return;
    QLabel* box = m_ptsBoxes[index - 1];
    if (box->property("selected").toInt() != 1) selectpts(box->property("value").toString());
}

void Tgamestart::image_gt1Click(int index) {
    if (index < 1 || index > 4) return;
    QLabel* box = m_gtBoxes[index - 1];
    if (box->property("selected").toInt() != 1) selectgt(box->property("value").toString());
}

void Tgamestart::button_startClick() {
    if (m_gt.isEmpty()) m_gt = QStringLiteral("1");
    if (m_pts.isEmpty()) m_pts = QStringLiteral("1");
    hide();
    emit startRequested(m_pts, m_gt);
}
