// Tchat's chat panel and its settings: what the settings file holds goes in and out here.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "settings/inifile.h"

#include <QAction>

void Tchat::buildChat() {
    m_chatPanel = new ChatPanel(this);
    m_chatPanel->setObjectName(QStringLiteral("chatpanel"));
    m_chatPanel->send = [this](const std::string& message) {
        sendRaw(message);
        updateTimer(); // a phrase closes the gate, which Timer1 counts open again
    };
    m_chatPanel->localSeat = [this] { return m_model.localSeat(); };
    m_chatPanel->connected = [this] { return m_model.connected(); };
    m_chatPanel->seatName = [this](int seat) { return seatName(seat); };
    m_chatPanel->settingsChanged = [this] { saveinifile(); };
    m_chatPanel->showMessage = [this](const QString& text) { tell(text); };
}

void Tchat::loadinifile() {
    QString error;
    const IniSettings ini = ::loadinifile(UserFiles::settingsPath(), &error);
    if (!error.isEmpty()) addSystemLine(error);

    m_chatPanel->setTextSize(ini.textSize);
    m_savedGeometry = ini.geometry();
    setGeometry(m_savedGeometry);
    m_chatPanel->setTurnSound(ini.turnSound);
    m_chatPanel->setPlayChatterSounds(ini.chatterSounds);
    m_chatPanel->setChatColourText(ini.textColor);
    emit gameChoicesLoaded(ini.playToScore, ini.gameType);
    m_botSpeed = ini.botSpeed;
    for (QAction* a : findChildren<QAction*>()) {
        const QString n = a->objectName();
        if (n == QLatin1String("Slow1") || n == QLatin1String("Normal1") ||
            n == QLatin1String("Fast1"))
            a->setChecked(a->data().toInt() == m_botSpeed);
    }
    for (std::size_t n = 1; n <= PhraseCount; ++n)
        if (!ini.phrases[n - 1].isEmpty()) m_chatPanel->setPhrase(int(n), ini.phrases[n - 1]);
    m_chatPanel->setPlaySounds(ini.playSounds);
    emit settingsLoaded();
}

void Tchat::saveinifile() {
    IniSettings ini;
    ini.setGeometry(geometry());
    ini.textSize = m_chatPanel->textSize();
    ini.turnSound = m_chatPanel->turnSound();
    ini.chatterSounds = m_chatPanel->playChatterSounds();
    ini.textColor = m_chatPanel->chatColourText();
    ini.playToScore = m_points;
    ini.gameType = m_gameTypeChoice;
    ini.botSpeed = m_botSpeed;
    ini.playSounds = m_chatPanel->playSounds();
    const QString error = ::saveinifile(ini, UserFiles::settingsPath());
    // A full disk or a read-only folder is said once; the game goes on.
    if (!error.isEmpty() && error != m_lastSaveError) addSystemLine(error);
    m_lastSaveError = error;
    emit settingsSaved();
}

void Tchat::applyPhrases(const QStringList& texts) {
    std::array<QString, PhraseCount> stored;
    for (int n = 1; n <= PhraseCount && n <= texts.size(); ++n) {
        m_chatPanel->setPhrase(n, texts[n - 1]);
        stored[std::size_t(n - 1)] = texts[n - 1];
    }
    const QString error = savePhrases(stored);
    if (!error.isEmpty()) addSystemLine(error);
}
