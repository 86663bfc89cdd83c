// The message boxes and questions of the main window. Tests and the self-playing seat put their
// own in place, so that nothing waits for a click.
#pragma once

#include <QString>

class QWidget;

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box. The text is shown as it is: a name in it is never markup.
    virtual void tell(QWidget* parent, const QString& text);
    // A Yes/No question; true for Yes.
    virtual bool ask(QWidget* parent, const QString& question);
};
