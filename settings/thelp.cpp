// The help window.
#include "settings/thelp.h"

#include "settings/sidewindow.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace helptexts {

namespace {

// Escaped text, with `commands` in a typewriter face.
QString inlineHtml(const QString& text) {
    QString out = text.toHtmlEscaped();
    static const QRegularExpression command(QStringLiteral("`([^`]*)`"));
    out.replace(command, QStringLiteral("<code>\\1</code>"));
    return out;
}

QString joined(const QStringList& lines) {
    QStringList words;
    for (const QString& line : lines) words << line.trimmed();
    return words.join(QLatin1Char(' '));
}

QString table(const QStringList& lines) {
    // The first column names the thing and the last gives the points or the effect; a shaded
    // band on every other row keeps a long row readable across the page.
    QString out = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\" "
                                 "style=\"margin-top: 2px; margin-bottom: 10px;\">");
    int row = 0;
    for (const QString& line : lines) {
        // A cell may be empty ("| Three of a kind | | 6"): the bars alone divide the cells.
        const QStringList cells = line.mid(1).split(QLatin1Char('|'));
        out += row++ % 2 ? QStringLiteral("<tr>") : QStringLiteral("<tr bgcolor=\"#efe8d2\">");
        for (int i = 0; i < cells.size(); ++i) {
            const QString cell = inlineHtml(cells[i].trimmed());
            if (i == 0) {
                out += QStringLiteral("<td width=\"%1%\"><b>%2</b></td>")
                           .arg(cells.size() > 2 ? 22 : 30)
                           .arg(cell);
            } else if (i == cells.size() - 1 && cells.size() > 2) {
                out += QStringLiteral("<td width=\"24%\">") + cell + QStringLiteral("</td>");
            } else {
                out += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
            }
        }
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table>");
}

QString list(const QStringList& lines) {
    QStringList items;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("- ")))
            items << line.mid(2);
        else if (!items.isEmpty())
            items.last() += QLatin1Char(' ') + line.trimmed();
    }
    QString out = QStringLiteral("<ul style=\"margin-top: 0px; margin-bottom: 10px;\">");
    for (const QString& item : items)
        out += QStringLiteral("<li style=\"margin-bottom: 3px;\">") + inlineHtml(item) +
               QStringLiteral("</li>");
    return out + QStringLiteral("</ul>");
}

} // namespace

QString toHtml(const char* text) {
    const QStringList blocks =
        QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("\\n\\s*\\n")));
    QString out;
    for (const QString& block : blocks) {
        const QStringList lines = block.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (lines.isEmpty()) continue;
        const QString& first = lines.first();
        if (first.startsWith(QLatin1String("## "))) {
            out += QStringLiteral("<h3 style=\"margin-top: 6px; margin-bottom: 4px;\">") +
                   inlineHtml(joined(lines).mid(3)) + QStringLiteral("</h3>");
        } else if (first.startsWith(QLatin1String("| "))) {
            out += table(lines);
        } else if (first.startsWith(QLatin1String("- "))) {
            out += list(lines);
        } else {
            out += QStringLiteral("<p style=\"margin-top: 0px; margin-bottom: 10px;\">") +
                   inlineHtml(joined(lines)) + QStringLiteral("</p>");
        }
    }
    return out;
}

} // namespace helptexts

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(QStringLiteral("Cribbage - Help File"));
    sidewindow::applyLook(this);

    auto* side = new QVBoxLayout;
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = m_caption->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.5);
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    sidewindow::markHeading(m_caption);
    m_pages = new QStackedWidget(this);

    int count = 0;
    const helptexts::Page* pages = helptexts::pages(&count);
    for (int i = 0; i < count; ++i) {
        const int number = pages[i].number;
        auto* button = new QPushButton(QString::fromUtf8(pages[i].title), this);
        button->setObjectName(QStringLiteral("SelButton%1").arg(number));
        button->setProperty("page", number);
        // The button of the page in front stays marked.
        button->setCheckable(true);
        button->setAutoExclusive(true);
        connect(button, &QPushButton::clicked, this, [this, number] { SelButton1Click(number); });
        side->addWidget(button);

        auto* memo = new QTextBrowser(this);
        memo->setObjectName(QStringLiteral("memo%1").arg(number));
        memo->setOpenLinks(false);
        memo->document()->setDocumentMargin(10);
        memo->setHtml(helptexts::toHtml(pages[i].text));
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
    top->setContentsMargins(12, 12, 12, 12);
    top->setSpacing(12);
    top->addLayout(side);
    top->addLayout(main, 1);
    resize(720, 540);
    SelButton1Click(1);
}

void Thelp::SelButton1Click(int page) {
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget* memo = m_pages->widget(i);
        if (memo->property("page").toInt() == page) {
            m_pages->setCurrentIndex(i);
            m_caption->setText(memo->property("title").toString());
            if (auto* button = findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(page)))
                button->setChecked(true);
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
