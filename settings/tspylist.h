// The spectator list: who watches the table, and the host's way to remove one of them.
#pragma once

#include <QWidget>

class QAction;
class QListWidget;
class QMenu;

class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // The entries, seat + ": " + name in order of arrival, one per spectator number.
    void setSpectators(const QStringList& entries);
    QStringList entries() const;

    // The host may remove spectators: enables "Remove From Game".
    void setHosting(bool hosting);

    // The list entry under the mouse pointer, -1 over no entry.
    int pointedItem() const { return m_pointed; }

    // Removes the entry the popup was opened on.
    void popup_kickhimClick();

    QAction* popupKickhim() const { return m_kickhim; }
    QMenu* popup() const { return m_popup; }

signals:
    // The host asks to remove the spectator with this number.
    void kickRequested(int seat);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kickhim = nullptr;
    int m_pointed = -1;
    // The entry the popup was opened on: opening it takes the pointer off the list, and the
    // list's Leave must not forget whom the host pointed at.
    QString m_popupEntry;
};
