#include "CommandFile.h"

#include "IOManager.h"
#include "ShellMessages.h"

#include <QFile>
#include <QTextStream>

int CommandFile::executeExternalCommands(IOManager* iom, const QString& appDir)
{
    const QString path = appDir + "/" + kFileName;
    if (!QFile::exists(path))
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ShellMessages::sendStandard(iom, tr("Cannot open file %1").arg(path));
        return 0;
    }
    ShellMessages::sendStandard(iom, tr("Executing command file %1").arg(path));

    int executed = 0;
    QTextStream in(&file);
    char answer[IOManager::MaxTextLength + 1] = {};
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith("orvane2 "))
            continue;
        ShellMessages::sendStandard(iom, tr("Executing command '%1'").arg(line));
        // The line is the command, never a format: "%s" in it is sent as written.
        const QByteArray command = line.toUtf8();
        iom->execute_cmd(answer, "%s", command.constData());
        ++executed;
    }
    if (executed == 0)
        ShellMessages::sendStandard(iom, tr("No orvane2 command found to execute"));
    return executed;
}
