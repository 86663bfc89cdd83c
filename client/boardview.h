// The board panel of the main window: the felt, the starter, the played pile and the count, the
// status line, the game's labels, the score log and the start image, redrawn from the model.
#pragma once

#include <QObject>
#include <QSize>

class ImageLabel;
class QLabel;
class QMainWindow;
class QPlainTextEdit;
class QWidget;
class TableModel;
class TableScale;

class BoardView : public QObject {
    Q_OBJECT
public:
    // Builds the board as the window's central widget, with the felt and the middle of the
    // table; buildSide() adds the rest above the seats.
    BoardView(TableModel& model, QMainWindow* window);
    // The start image, the logo, the score log and the chat's place.
    void buildSide();

    QWidget* board() const { return m_board; }
    TableScale& scale() const { return *m_scale; }

    // The zoom the player chose (1.0 is 100%): the table takes it now, and again whenever the
    // window is sized for it; a window of another size fits the table to itself.
    void setZoom(double factor);
    double zoom() const { return m_zoom; }
    // The scale at which the table fills an area, or the wanted one when the area was sized
    // for it; never below 100%.
    static double fittingFactor(const QSize& area, double wanted);
    // Where the chat panel goes, beside the table.
    QWidget* chatArea() const { return m_chatArea; }

    // The played pile from the model: 15 pixels per entry, the newest on the right and in front.
    void drawPile();
    // The Start Game button when offered: below the pile, or while the summary is open, over
    // its one corner without text.
    void showStartOffered();

signals:
    void startPressed();
    void logoPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutBoard();
    void showStarter();
    void showCount();
    void showStatus();
    void showGame();

    TableModel& m_model;
    QWidget* m_central = nullptr;
    QWidget* m_board = nullptr;
    TableScale* m_scale = nullptr;
    double m_zoom = 1.0;
    ImageLabel* m_turnover = nullptr;
    QLabel* m_starterLabel = nullptr;
    ImageLabel* m_played = nullptr;
    QLabel* m_running = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_gameType = nullptr;
    QLabel* m_playToScore = nullptr;
    QPlainTextEdit* m_scores = nullptr;
    ImageLabel* m_buttonStart = nullptr;
    QWidget* m_chatArea = nullptr;
};
