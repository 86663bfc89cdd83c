// The about window: picture, credits, web address and the version the client reports at login.
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

class Tabout : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "https://cribbage.example.org/";

    explicit Tabout(QWidget* parent = nullptr);

    // The text of the `version` label; the client sends it at login.
    QString versionText() const;

    void Button1Click();
    void webAddressClick();

protected:
    // Opens an address in the browser; false when it could not.
    virtual bool openUrl(const QUrl& url);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_version = nullptr;
    QLabel* m_web = nullptr;
};
