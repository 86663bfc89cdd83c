// The spectator list: who watches the table, and the host's way to remove one of them.
#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QListWidget;
class QMenu;

class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // Entries are seat + ": " + name, in order of arrival.
    void addSpy(const QString& entry);
    bool removeSpy(const QString& entry);
    bool hasSpy(const QString& entry) const;
    QStringList entries() const;

    // The host may remove spectators: enables "Remove From Game".
    void setHosting(bool hosting);

    // The list entry under the mouse pointer, -1 over no entry.
    int pointedItem() const { return m_pointed; }
    void setPointedItem(int index) { m_pointed = index; }

    void popup_kickhimClick();

    // The main window's `kicking`.
    std::function<void(int seat)> kicking;

    QAction* popupKickhim() const { return m_kickhim; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kickhim = nullptr;
    int m_pointed = -1;
};
