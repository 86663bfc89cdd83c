// Common look of the small windows beside the table: the table's felt behind them.
#pragma once

#include <QWidget>

namespace sidewindow {

// Gives the window the board's background picture and light text that reads on it.
void useTableBackground(QWidget* window);

// Shows a message without blocking a test: the default opens a message box.
void showMessage(QWidget* parent, const QString& text);

} // namespace sidewindow
