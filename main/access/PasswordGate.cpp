#include "PasswordGate.h"

#include "AccessControl.h"
#include "PasswordInputDialog.h"

PasswordGate::Result PasswordGate::pass(AccessControl& access, const QString& storedPassword,
                                        QWidget* parent, const QString& prompt,
                                        const QString& windowTitle)
{
    int err = 0;
    if (!access.requiresPassword(&err))
        return err == 0 ? Open : Unanswered;
    if (!storedPassword.isEmpty() && access.verifyPassword(storedPassword))
        return Open;
    PasswordInputDialog dialog(&access, parent);
    if (!windowTitle.isEmpty())
        dialog.setWindowTitle(windowTitle);
    dialog.update_and_exec(prompt);
    return dialog.accepted() ? Open : Cancelled;
}
