// The about window: picture, credits, web address and the version the client reports at login.
#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;

class Tabout : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "https://cribbage.example.org/";

    explicit Tabout(QWidget* parent = nullptr);

    // The text of the `version` label; the client sends it at login.
    QString versionText() const;

    // Opens an address in the browser; tests replace it.
    std::function<bool(const QUrl&)> openUrl;

    void Button1Click();
    void webAddressClick();

private:
    QLabel* m_version = nullptr;
};
