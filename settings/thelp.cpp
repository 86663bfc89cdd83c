// The help window.
#include "settings/thelp.h"

#include "settings/sidewindow.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(QStringLiteral("Cribbage - Help File"));
    sidewindow::useTableBackground(this);

    auto* side = new QVBoxLayout;
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = m_caption->font();
    captionFont.setPointSize(captionFont.pointSize() + 5);
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    m_pages = new QStackedWidget(this);

    int count = 0;
    const helptexts::Page* pages = helptexts::pages(&count);
    for (int i = 0; i < count; ++i) {
        const int number = pages[i].number;
        auto* button = new QPushButton(QString::fromUtf8(pages[i].title), this);
        button->setObjectName(QStringLiteral("SelButton%1").arg(number));
        button->setProperty("page", number);
        button->setMinimumWidth(120);
        connect(button, &QPushButton::clicked, this, [this, number] { SelButton1Click(number); });
        side->addWidget(button);

        auto* memo = new QPlainTextEdit(this);
        memo->setObjectName(QStringLiteral("memo%1").arg(number));
        memo->setReadOnly(true);
        memo->setPlainText(QString::fromUtf8(pages[i].text));
        memo->setProperty("page", number);
        memo->setProperty("title", QString::fromUtf8(pages[i].title));
        m_pages->addWidget(memo);
    }
    side->addSpacing(12);
    auto* about = new QPushButton(QStringLiteral("About"), this);
    about->setObjectName(QStringLiteral("button_about"));
    connect(about, &QPushButton::clicked, this, &Thelp::button_aboutClick);
    side->addWidget(about);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &Thelp::button_doneClick);
    side->addWidget(done);
    side->addStretch();
    auto* year = new QLabel(QString::number(QDate::currentDate().year()), this);
    year->setObjectName(QStringLiteral("label_year"));
    side->addWidget(year, 0, Qt::AlignHCenter);

    auto* main = new QVBoxLayout;
    main->addWidget(m_caption);
    main->addWidget(m_pages, 1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(side);
    top->addLayout(main, 1);
    resize(640, 460);
    SelButton1Click(1);
}

void Thelp::SelButton1Click(int page) {
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget* memo = m_pages->widget(i);
        if (memo->property("page").toInt() == page) {
            m_pages->setCurrentIndex(i);
            m_caption->setText(memo->property("title").toString());
            return;
        }
    }
}

void Thelp::button_aboutClick() {
    emit aboutRequested();
}

void Thelp::button_doneClick() {
    hide();
}

int Thelp::currentPage() const {
    return m_pages->currentWidget()->property("page").toInt();
}

QString Thelp::caption() const {
    return m_caption->text();
}
