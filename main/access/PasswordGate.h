#ifndef PASSWORDGATE_H
#define PASSWORDGATE_H

#include <QString>

class AccessControl;
class QWidget;

// The way past a controller's front-end password: nothing to do when none is set, else the
// stored password if the controller accepts it, else the user's through the prompt.
class PasswordGate
{
public:
    enum Result
    {
        Open = 0,       // no password needed, or a correct one given
        Cancelled = 1,  // the user closed the prompt
        Unanswered = 2  // whether a password is needed could not be read; nothing asked
    };

    // prompt is the prompt's text; windowTitle, when given, replaces the prompt's own.
    static Result pass(AccessControl& access, const QString& storedPassword, QWidget* parent,
                       const QString& prompt, const QString& windowTitle = QString());
};

#endif
