// The table from the keyboard: the keys reach the same handlers as the mouse.
#include "client/boardview.h"
#include "client/handrow.h"
#include "client/tchat.h"

#include <QEvent>
#include <QKeyEvent>

void Tchat::buildKeys() {
    QWidget* board = m_boardView->board();
    // A click anywhere on the table gives it the keyboard; Tab reaches it from the chat.
    board->setFocusPolicy(Qt::StrongFocus);
    board->setAccessibleName(tr("Table"));
    board->installEventFilter(this);
}

bool Tchat::eventFilter(QObject* watched, QEvent* event) {
    if (m_boardView && watched == m_boardView->board()) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (tableKeyPress(key->key(), key->modifiers())) return true;
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m_hand->setMarkShown(event->type() == QEvent::FocusIn);
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Tchat::tableKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    // Shortcuts with Ctrl or Alt belong to the menus.
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const std::vector<int> row = m_model.rowPositions();
    switch (key) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
    case Qt::Key_6: {
        const int index = key - Qt::Key_1;
        if (index >= int(row.size())) return true;
        m_hand->setMarkIndex(index);
        cardimagesMouseDown(row[std::size_t(index)], Qt::LeftButton);
        return true;
    }
    case Qt::Key_Left:
        m_hand->moveMark(-1);
        return true;
    case Qt::Key_Right:
        m_hand->moveMark(+1);
        return true;
    case Qt::Key_Home:
        m_hand->setMarkIndex(0);
        return true;
    case Qt::Key_End:
        m_hand->setMarkIndex(int(row.size()) - 1);
        return true;
    // Tab walks the row and then leaves the table for the next widget.
    case Qt::Key_Tab:
        return m_hand->moveMark(+1);
    case Qt::Key_Backtab:
        return m_hand->moveMark(-1);
    case Qt::Key_Space:
        if (const int pos = m_hand->markedPosition()) cardimagesMouseDown(pos, Qt::LeftButton);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressShownButton();
        return true;
    default:
        return false;
    }
}

bool Tchat::pressShownButton() {
    if (m_model.okOffered()) {
        button_okClick();
        return true;
    }
    if (m_model.summaryOpen()) {
        button_doneClick();
        return true;
    }
    if (m_model.startOffered()) {
        button_startClick();
        return true;
    }
    return false;
}
