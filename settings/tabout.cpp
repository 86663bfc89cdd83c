// The about window.
#include "settings/tabout.h"

#include "net/message.h"
#include "resources/pictures.h"
#include "settings/sidewindow.h"

#include <QDate>
#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tabout::Tabout(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(QStringLiteral("Cribbage - About"));
    sidewindow::applyLook(this);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    sidewindow::setSharpPixmap(picture, [](qreal ratio) { return pictures::logoAt(ratio); });

    auto* title = new QLabel(QStringLiteral("<b style='font-size:16pt'>Cribbage</b>"), this);
    sidewindow::markHeading(title);
    auto* credit = new QLabel(QStringLiteral("Written by the Cribbage team.\n"
                                             "Cards, board and sounds made by the program itself."),
                              this);
    auto* web = new QLabel(QString::fromLatin1(kWebAddress), this);
    web->setObjectName(QStringLiteral("label_web"));
    web->setCursor(Qt::PointingHandCursor);
    web->setStyleSheet(QStringLiteral("color:#ffe680; text-decoration: underline;"));
    // A click on the address opens it.
    web->installEventFilter(this);
    m_web = web;

    m_version =
        new QLabel(QString::fromLatin1(net::kVersion.data(), int(net::kVersion.size())), this);
    m_version->setObjectName(QStringLiteral("version"));
    auto* build = new QLabel(QStringLiteral(".14"), this);
    build->setObjectName(QStringLiteral("label_build"));
    auto* year = new QLabel(QString::number(QDate::currentDate().year()), this);
    year->setObjectName(QStringLiteral("label_year"));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    connect(ok, &QPushButton::clicked, this, &Tabout::Button1Click);

    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    versionRow->addWidget(new QLabel(QStringLiteral("Version "), this));
    versionRow->addWidget(m_version);
    versionRow->addWidget(build);
    versionRow->addStretch();
    versionRow->addWidget(year);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(credit);
    text->addWidget(web);
    text->addLayout(versionRow);
    text->addStretch();
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    text->addLayout(okRow);

    auto* top = new QHBoxLayout(this);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text);
    setFixedSize(sizeHint());
}

QString Tabout::versionText() const {
    return m_version->text();
}

void Tabout::Button1Click() {
    close();
}

void Tabout::webAddressClick() {
    openUrl(QUrl(QString::fromLatin1(kWebAddress)));
}

bool Tabout::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool Tabout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_web && event->type() == QEvent::MouseButtonRelease) webAddressClick();
    return QWidget::eventFilter(watched, event);
}
