// The phrase editor.
#include "settings/tphrases.h"

#include "settings/sidewindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tphrases::Tphrases(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QStringLiteral("Cribbage - Phrase Buttons"));
    sidewindow::applyLook(this);

    auto* form = new QFormLayout;
    for (int i = 0; i < kPhrases; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QStringLiteral("phrase%1").arg(i + 1));
        m_fields[i]->setMaxLength(kMaxLength);
        m_fields[i]->setMinimumWidth(280);
        // The tenth button sits after the ninth, like the 0 key after the 9.
        const int shown = i + 1 == kPhrases ? 0 : i + 1;
        auto* label = new QLabel(QStringLiteral("Phrase Button %1:").arg(shown), this);
        form->addRow(label, m_fields[i]);
    }
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("SelButton8"));
    connect(done, &QPushButton::clicked, this, &Tphrases::SelButton8Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
}

void Tphrases::PrhaseList1Click(const QStringList& current) {
    for (int i = 0; i < kPhrases; ++i)
        m_fields[i]->setText(i < current.size() ? current[i] : QString());
    show();
    raise();
}

void Tphrases::SelButton8Click() {
    emit phrasesApplied(phrases());
    close();
}

QStringList Tphrases::phrases() const {
    QStringList out;
    for (QLineEdit* f : m_fields) out << f->text();
    return out;
}
