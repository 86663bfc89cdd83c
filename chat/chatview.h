// The chat view: lines drawn in fifteen shared text styles, smiley pictures and numbered links.
#pragma once

#include "chat/chatline.h"

#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <array>
#include <functional>

class ChatView : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChatView(QWidget* parent = nullptr);

    struct Style {
        QColor colour;
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };
    const Style& style(int index) const { return m_styles.at(index); }
    // Changing a style redraws every piece already shown in it.
    void setStyle(int index, const Style& style);
    // The size, in points, of all fifteen styles.
    int textSize() const { return m_textSize; }
    // A view scrolled to its newest line stays there through the change.
    void setTextSize(int points);
    // The table's scale: the text is shown at its size times the scale.
    void setScale(double scale);
    double scale() const { return m_scale; }
    // Whether the newest line is in view (or there is nothing to scroll).
    bool atEnd() const;

    // Starts a new line with the name part and a blank, then the pieces, all in the line's style
    // except links, which take the link style.
    void appendLine(const chatline::Line& line);
    void clearLines();
    int lineCount() const { return m_lineCount; }
    void scrollToEnd();

    // Links are numbered from 0 in the order shown since the view was last cleared; the text is
    // the word as shown, trailing blank included. Out of range gives an empty text.
    int linkCount() const { return static_cast<int>(m_links.size()); }
    QString linkText(int number) const;

    // The picture for smiley number 10..27. Kept as a seam so tests can run without the painter.
    std::function<QPixmap(int number)> smileyPicture;

    // Where every piece of a style sits: for tests and for the screenshot tool.
    struct Run {
        int style = -1; // -1 for a picture
        QString text;   // the picture's smiley code for a picture
        QTextCharFormat format;
    };
    std::vector<Run> runs(int line) const;

    QVariant loadResource(int type, const QUrl& name) override;

signals:
    void linkClicked(int number);

protected:
    // Copies pictures as their smiley codes rather than as blank object characters.
    QMimeData* createMimeDataFromSelection() const override;

private:
    QTextCharFormat formatFor(int style) const;
    void restyle(int style);
    // Redraws every style, keeping a view that showed its newest line on it.
    void restyleAll();

    std::array<Style, chatline::kStyleCount> m_styles;
    int m_textSize = 10;
    double m_scale = 1.0;
    int m_lineCount = 0;
    QStringList m_links;
};
