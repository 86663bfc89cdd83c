// The help window: one page per subject, chosen from the buttons of the side panel.
#pragma once

#include <QWidget>

class QLabel;
class QStackedWidget;
class QPushButton;

class Thelp : public QWidget {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);

    // Brings the page with this number to the front (the page buttons carry 1, 2, 3, 4, 5, 7, 11).
    void SelButton1Click(int page);
    void button_aboutClick();
    void button_doneClick();

    int currentPage() const;
    QString caption() const;

signals:
    // The About button: the about window should show.
    void aboutRequested();

private:
    QLabel* m_caption = nullptr;
    QStackedWidget* m_pages = nullptr;
};

namespace helptexts {
struct Page {
    int number;
    const char* title;
    const char* text;
};
// The pages in the order of their buttons.
const Page* pages(int* count);
// A page's text laid out as rich text: headings, paragraphs that flow with the width, tables and
// lists. Everything in the text shows as written; only the layout is markup.
QString toHtml(const char* text);
} // namespace helptexts
