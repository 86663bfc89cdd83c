// The lobby download window: fetch and start the lobby's installer, or go on with a solo game.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QSaveFile;

class Tdownload : public QWidget {
    Q_OBJECT
public:
    // Where the lobby's installer comes from; CRIBBAGE_LOBBY_URL in the environment overrides it.
    static constexpr const char* kDefaultAddress =
        "https://cribbage.example.org/download/ZarvelLobbySetup.exe";
    // Where the lobby is installed on the system it was first made for; also looked for on the
    // PATH and beside the game.
    static constexpr const char* kLobbyPath = "C:\\Program Files\\Zarvel\\RudediDevaz.exe";

    enum State { Idle = 0, Downloading = 1, Aborted = 2 };

    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    void setDownloadAddress(const QUrl& address) { m_address = address; }
    QUrl downloadAddress() const { return m_address; }
    // The folder the installer is saved into (the program's folder when writable).
    void setDownloadFolder(const QString& folder) { m_folder = folder; }
    QString downloadFolder() const { return m_folder; }

    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

    State state() const { return m_state; }
    // The lobby program, or an empty text when it is nowhere to be found.
    QString findLobby() const;

signals:
    // The transfer has ended, whatever its outcome.
    void downloadFinished();
    // The lobby (or its installer) has started: the game gives way to it.
    void closeMainWindowRequested();

protected:
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& args);
    virtual void showMessage(const QString& text);

private:
    void HttpCli1HeaderData();
    void HttpCli1DocBegin();
    void HttpCli1DocData();
    void transferEnded();

    QUrl m_address;
    QString m_folder;
    State m_state = Idle;
    bool m_bodyBegun = false;
    qint64 m_received = 0;
    QNetworkAccessManager* m_http = nullptr;
    QPointer<QNetworkReply> m_reply;
    QSaveFile* m_file = nullptr;

    QLabel* m_infolabel = nullptr;
    QLabel* m_infolabel2 = nullptr;
    QLabel* m_infolabel3 = nullptr;
    QPushButton* m_get = nullptr;
    QPushButton* m_abort = nullptr;
};
