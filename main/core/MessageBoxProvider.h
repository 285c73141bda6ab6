#ifndef MESSAGEBOXPROVIDER_H
#define MESSAGEBOXPROVIDER_H

#include <QString>

// Shows a message box on behalf of code that has no widgets of its own (the
// command channel, worker threads).  Implementations must be callable from any
// thread and bring the box to the user-interface thread themselves.
class MessageBoxProvider
{
public:
    enum Kind
    {
        Warning = 1,
        Critical = 2
    };  // anything else: information

    virtual ~MessageBoxProvider() = default;
    virtual void openMessageBox(int type, QString title, QString text) = 0;
};

#endif
