#ifndef MESSAGEBOXPROVIDER_H
#define MESSAGEBOXPROVIDER_H

#include <QString>

class QWidget;

// Shows a message box on behalf of code that has no widgets of its own (the
// command channel, worker threads).  Implementations must be callable from any
// thread and bring the box to the user-interface thread themselves.
class MessageBoxProvider
{
public:
    enum Kind
    {
        Information = 0,
        Warning = 1,
        Critical = 2,
        Question = 3
    };  // openMessageBox shows anything but Warning and Critical as information

    virtual ~MessageBoxProvider() = default;
    virtual void openMessageBox(int type, QString title, QString text) = 0;

    // Shows a box in front of parent and waits for the user's choice.  buttons,
    // defaultButton and the result are QMessageBox::StandardButton values; this
    // header stays free of the widgets library.  User-interface thread only.
    // A provider that cannot wait shows the box as openMessageBox does and
    // answers with the default button.
    virtual int askMessageBox(QWidget* parent, int kind, const QString& title, const QString& text,
                              int buttons, int defaultButton)
    {
        (void)parent;
        (void)buttons;
        openMessageBox(kind, title, text);
        return defaultButton;
    }
};

#endif
