// Common look of the small windows beside the table.
#include "settings/sidewindow.h"

#include "resources/pictures.h"

#include <QMessageBox>
#include <QPalette>

namespace sidewindow {

void useTableBackground(QWidget* window) {
    QPalette pal = window->palette();
    pal.setBrush(QPalette::Window, QBrush(pictures::boardBackground()));
    pal.setColor(QPalette::WindowText, QColor(0xf4, 0xf1, 0xe4));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void showMessage(QWidget* parent, const QString& text) {
    // A message box guesses rich text; a name in the text must show as it is.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Cribbage"), text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace sidewindow
