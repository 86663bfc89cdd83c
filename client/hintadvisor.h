// The hints for the local player, worked out from the table model alone: the values of the
// keeps during the giving and the card to lay, with a few words why, during the play.
#pragma once

#include "rules/discard.h"

#include <QObject>
#include <QString>
#include <vector>

class TableModel;

class HintAdvisor : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeepsShown = 5;
    enum class Kind { None, Giving, Play };

    explicit HintAdvisor(TableModel& model, QObject* parent = nullptr);

    // The local seat may act now: it holds its whole deal in the giving, or a card that fits
    // the count in the play.
    bool available() const { return m_available; }
    // Works the hint out and puts it on the row: the best keep's cards to give are raised as
    // the crib choice, or the card to lay is raised. Does nothing while no hint is available.
    void request();

    // The discard values shown at every giving without asking (the cards stay where they are).
    void setShowDiscardValues(bool on);
    bool showDiscardValues() const { return m_showDiscardValues; }

    // What is shown now.
    Kind kind() const { return m_kind; }
    // During the giving: the best keeps, best first.
    const std::vector<rules::KeepValue>& keeps() const { return m_keeps; }
    // The crib the giving goes to is the local seat's own (or its partner's).
    bool ownCrib() const { return m_ownCrib; }
    // During the play: the card to lay and why.
    int playCard() const { return m_playCard; }
    QString reason() const { return m_reason; }

    // A card as a player writes it: "10♦", "K♠".
    static QString cardText(int card);

signals:
    void availableChanged(bool available);
    // The hint shown changed, or went away.
    void hintChanged();

private:
    // After any change of the table: is the hint shown still about this position, may the
    // player ask for one, and do the discard values open by themselves.
    void tableChanged();
    bool computeAvailable() const;
    bool giving() const;
    bool wholeDealHeld() const;
    std::vector<int> heldCards() const;
    bool showKeeps();
    void clear();
    // The first use of the analysis fills its tables; done once, while the player looks at a
    // new hand, so that no hint ever waits for it.
    void warmUp();

    TableModel& m_model;
    bool m_available = false;
    bool m_showDiscardValues = false;
    Kind m_kind = Kind::None;
    std::vector<rules::KeepValue> m_keeps;
    bool m_ownCrib = false;
    int m_playCard = 0;
    QString m_reason;
    // The position the hint shown was worked out for.
    bool m_asked = false; // the values shown were asked for, not opened by the option
    std::vector<int> m_forHand;
    int m_forDealer = 0;
    int m_forPile = 0;
};
