// The board panel of the main window: the felt, the starter, the played pile and the count, the
// status line, the game's labels, the score log and the start image, redrawn from the model.
#pragma once

#include <QObject>

class ImageLabel;
class QLabel;
class QMainWindow;
class QPlainTextEdit;
class QWidget;
class TableModel;

class BoardView : public QObject {
    Q_OBJECT
public:
    // Builds the board as the window's central widget, with the felt and the middle of the
    // table; buildSide() adds the rest above the seats.
    BoardView(TableModel& model, QMainWindow* window);
    // The start image, the logo, the score log and the chat's place.
    void buildSide();

    QWidget* board() const { return m_board; }
    // Where the chat panel goes, beside the table.
    QWidget* chatArea() const { return m_chatArea; }

    // The played pile from the model: 15 pixels per entry, the newest on the right and in front.
    void drawPile();

signals:
    void startPressed();
    void logoPressed();

private:
    void showStarter();
    void showCount();
    void showStatus();
    void showGame();
    void showStartOffered();

    TableModel& m_model;
    QWidget* m_board = nullptr;
    ImageLabel* m_turnover = nullptr;
    ImageLabel* m_played = nullptr;
    QLabel* m_running = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_gameType = nullptr;
    QLabel* m_playToScore = nullptr;
    QPlainTextEdit* m_scores = nullptr;
    ImageLabel* m_buttonStart = nullptr;
    QWidget* m_chatArea = nullptr;
};
