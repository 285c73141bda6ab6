#ifndef ORVANE_COMMANDFILE_H
#define ORVANE_COMMANDFILE_H

#include <QCoreApplication>
#include <QString>

class IOManager;

// The optional file of controller commands run after a connection made
// through the connection dialog: every line starting with "orvane2 " is sent
// as it stands, and each step is announced in the event display.
class CommandFile
{
    Q_DECLARE_TR_FUNCTIONS(CommandFile)

public:
    static constexpr const char* kFileName = "orvane2cmd.txt";

    // Runs appDir + "/orvane2cmd.txt" if it exists; the number of commands sent.
    static int executeExternalCommands(IOManager* iom, const QString& appDir);
};

#endif
