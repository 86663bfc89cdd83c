// Common look of the small windows beside the table.
#include "settings/sidewindow.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPalette>

namespace sidewindow {

namespace {

QString css(const QColor& c) {
    return c.name(QColor::HexRgb);
}

// The controls are styled as a whole: a partly styled button falls back to the platform's
// look, whose focus mark on some styles is a dotted frame drawn over the caption. Focused
// controls get a thicker gold frame instead, and lose one pixel of padding for it, so their
// text never moves.
QString styleSheet() {
    const QString ink = css(kInk), paper = css(kPaper), gold = css(kHeading), text = css(kText);
    // Labels take their colour from here: under a style sheet they no longer inherit the
    // window's palette and would fall back to black on the felt.
    return QStringLiteral(
               "QLabel, QGroupBox { color: %4; }"
               "QLabel:disabled, QGroupBox:disabled { color: #c3ccbf; }"
               "QLabel[role=\"heading\"] { color: %3; }"
               "QGroupBox { border: 1px solid rgba(255, 255, 255, 36); border-radius: 8px;"
               "  background-color: rgba(0, 0, 0, 56); margin-top: 1.4em; padding: 6px 4px 4px "
               "4px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               "  left: 8px; padding: 0px 4px; color: %3; }"
               "QPushButton { color: %1; border: 1px solid #0c2a17; border-radius: 5px;"
               "  padding: 4px 14px;"
               "  background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
               "    stop:0 #fdfbf3, stop:1 #e6dfc6); }"
               "QPushButton:hover { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
               "    stop:0 #fffefa, stop:1 #efe9d5); }"
               "QPushButton:default { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
               "    stop:0 #ffe89e, stop:1 #f0bd45); }"
               "QPushButton:pressed { background-color: #d9d0b1; }"
               "QPushButton:checked { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
               "    stop:0 #ffe89e, stop:1 #f0bd45); }"
               "QPushButton:focus { border: 2px solid %3; padding: 3px 13px; }"
               "QPushButton:disabled { color: #4a4940; border-color: #3d5444;"
               "  background-color: #cdc8b6; }"
               "QListWidget, QLineEdit, QTextBrowser { color: %1; background-color: %2;"
               "  border: 1px solid #0c2a17; border-radius: 4px;"
               "  selection-background-color: #2c6e45; selection-color: #ffffff; }"
               "QListWidget { outline: 0; padding: 1px; }"
               "QLineEdit { padding: 2px 4px; }"
               "QTextBrowser { padding: 1px; }"
               "QListWidget:focus, QTextBrowser:focus { border: 2px solid %3; padding: 0px; }"
               "QLineEdit:focus { border: 2px solid %3; padding: 1px 3px; }"
               "QFrame#panel { background-color: rgba(0, 0, 0, 56);"
               "  border: 1px solid rgba(255, 255, 255, 36); border-radius: 8px; }")
        .arg(ink, paper, gold, text);
}

// Keeps a label's picture painted for the screen it is shown on.
class SharpPixmap : public QObject {
public:
    SharpPixmap(QLabel* label, std::function<QPixmap(qreal)> paint)
        : QObject(label), m_label(label), m_paint(std::move(paint)) {
        label->installEventFilter(this);
    }
    void setPaint(std::function<QPixmap(qreal)> paint) {
        m_paint = std::move(paint);
        refresh();
    }
    void refresh() {
        m_ratio = m_label->devicePixelRatioF();
        m_label->setPixmap(m_paint(m_ratio));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // A window moved to a screen of another ratio paints again: the first paint there
        // brings the picture for it.
        if (event->type() == QEvent::Paint && m_label->devicePixelRatioF() != m_ratio) refresh();
        return false;
    }

private:
    QLabel* m_label;
    std::function<QPixmap(qreal)> m_paint;
    qreal m_ratio = 0;
};

} // namespace

void applyLook(QWidget* window) {
    QLinearGradient felt(0, 0, 0, 1);
    felt.setCoordinateMode(QGradient::ObjectMode);
    felt.setColorAt(0, kFeltTop);
    felt.setColorAt(1, kFeltBottom);
    QPalette pal = window->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setBrush(group, QPalette::Window, QBrush(felt));
        pal.setColor(group, QPalette::WindowText,
                     group == QPalette::Disabled ? QColor(0xc3, 0xcc, 0xbf) : kText);
        pal.setColor(group, QPalette::Base, kPaper);
        pal.setColor(group, QPalette::Text, kInk);
        pal.setColor(group, QPalette::Link, kLink);
    }
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    window->setStyleSheet(styleSheet());
}

void markHeading(QLabel* label) {
    label->setProperty("role", QStringLiteral("heading"));
}

QWidget* makePanel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("panel"));
    return frame;
}

void setSharpPixmap(QLabel* label, std::function<QPixmap(qreal)> paint) {
    for (QObject* child : label->children()) {
        if (auto* sharp = dynamic_cast<SharpPixmap*>(child)) {
            sharp->setPaint(std::move(paint));
            return;
        }
    }
    (new SharpPixmap(label, std::move(paint)))->refresh();
}

void showMessage(QWidget* parent, const QString& text) {
    // A message box guesses rich text; a name in the text must show as it is.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Cribbage"), text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace sidewindow
