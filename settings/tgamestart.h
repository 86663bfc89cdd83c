// Tgamestart: the host's choice of target and game type before a game starts.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QLabel;

class Tgamestart : public QWidget {
    Q_OBJECT
public:
    explicit Tgamestart(QWidget* parent = nullptr);

    // The complete message for the game server (the client's connection sends it).
    std::function<void(const std::string&)> sendHook;
    // The local player's name, asked at the moment of starting.
    std::function<QString()> ownName;
    // Writes the settings, which keep both choices.
    std::function<void()> onSave;

    void selectpts(const QString& value);
    void selectgt(const QString& value);
    QString ptsChoice() const { return m_pts; }
    QString gtChoice() const { return m_gt; }

    void image_pts1Click(int index); // 1..2
    void image_gt1Click(int index);  // 1..4
    void button_startClick();

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
