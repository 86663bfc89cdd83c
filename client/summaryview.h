// The summary panel of the show: a row per seat with its cards, points and score, the crib box
// beside the dealer's row, the winner's ribbon and the Done button.
#pragma once

#include <QObject>
#include <array>

class ImageLabel;
class QLabel;
class QListWidget;
class QWidget;
class TableModel;
class TableScale;

class SummaryView : public QObject {
    Q_OBJECT
public:
    SummaryView(TableModel& model, QWidget* board);

signals:
    void donePressed();

private:
    void open();
    void showRows();
    void placeFinalScore(int seat);
    void showRibbons();

    TableModel& m_model;
    TableScale& m_scale;
    QWidget* m_panel = nullptr;
    std::array<QLabel*, 5> m_name{};
    std::array<QLabel*, 5> m_score{};
    std::array<ImageLabel*, 6> m_image{};
    std::array<QListWidget*, 6> m_list{};
    std::array<ImageLabel*, 5> m_ribbon{};
    QLabel* m_cribLabel = nullptr;
    ImageLabel* m_buttonDone = nullptr;
};
