// Tgamestart: the host's choice of target and game type before a game starts.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLabel;

class Tgamestart : public QWidget {
    Q_OBJECT
public:
    explicit Tgamestart(QWidget* parent = nullptr);

    void selectpts(const QString& value);
    void selectgt(const QString& value);
    // Both choices, as the settings keep them; an empty text keeps the current one.
    void selectChoices(const QString& points, const QString& gameType);
    QString ptsChoice() const { return m_pts; }
    QString gtChoice() const { return m_gt; }

    void image_pts1Click(int index); // 1..2
    void image_gt1Click(int index);  // 1..4
    void button_startClick();

signals:
    // Start pressed: the host starts a game to "1" (121) or "2" (61) points of type "1".."4".
    void startRequested(const QString& points, const QString& gameType);
    // A choice moved, by a click or by the settings.
    void choicesChanged(const QString& points, const QString& gameType);

private:
    void select(QLabel* const* boxes, int count, const QString& value, QString& choice,
                QLabel* holder);

    std::array<QLabel*, 2> m_ptsBoxes{};
    std::array<QLabel*, 4> m_gtBoxes{};
    QLabel* m_labelPts = nullptr;
    QLabel* m_labelGt = nullptr;
    QString m_pts = QStringLiteral("1");
    QString m_gt = QStringLiteral("1");
};
