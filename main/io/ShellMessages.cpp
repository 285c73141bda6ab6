#include "ShellMessages.h"

#include "IOManager.h"

int ShellMessages::sendStandard(IOManager* iom, const QString& text)
{
    if (!iom)
        return -1;
    const QByteArray utf8 = text.toUtf8();
    return iom->transmit_message(kStandardClass, kShellSender, 1, utf8.constData());
}
