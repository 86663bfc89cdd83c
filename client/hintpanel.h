// The hints on the table: the Hint button beside the hand, the panel of discard values above it
// during the giving, and the word on the suggested card during the play.
#pragma once

#include <QList>
#include <QObject>
#include <array>

class HintAdvisor;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class TableModel;
class TableScale;

class HintPanel : public QObject {
    Q_OBJECT
public:
    HintPanel(TableModel& model, HintAdvisor& advisor, QWidget* board);

signals:
    void hintPressed();

private:
    struct KeepRow {
        QLabel* give = nullptr;
        QLabel* hand = nullptr;
        QLabel* crib = nullptr;
        QLabel* net = nullptr;
    };

    void showButton();
    void showHint();
    void showKeeps();
    void showPlay();
    // Sizes, lettering and margins for the table's scale; the places follow it by themselves.
    void applyScale();
    void fitPlayPanel();

    TableModel& m_model;
    HintAdvisor& m_advisor;
    QPushButton* m_button = nullptr;
    QFrame* m_keepsPanel = nullptr;
    QLabel* m_keepsTitle = nullptr;
    std::array<KeepRow, 5> m_rows{};
    QFrame* m_playPanel = nullptr;
    QLabel* m_playText = nullptr;
    QList<QLabel*> m_heads;
    TableScale* m_scale = nullptr;
};
