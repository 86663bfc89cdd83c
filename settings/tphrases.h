// The phrase editor: the texts of the ten phrase buttons of the chat.
#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPhrases = 10;
    static constexpr int kMaxLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    // Fills the fields with the buttons' current phrases (1..10) and shows the editor.
    void PrhaseList1Click(const QStringList& current);
    // Applies, stores and closes.
    void SelButton8Click();

    QStringList phrases() const;

signals:
    // Done: the owner gives the phrases to the buttons and writes them to the settings file.
    void phrasesApplied(const QStringList& phrases);

private:
    QLineEdit* m_fields[kPhrases] = {};
};
