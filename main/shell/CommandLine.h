#ifndef ORVANE_COMMANDLINE_H
#define ORVANE_COMMANDLINE_H

#include <QString>
#include <QStringList>

// The options of one start: which controller to reach, whether to wake it
// first and whether to start measuring. Each main window parses its argument
// string afresh.
class CommandLine
{
public:
    // Fills the fields from the argument string. Returns true when a help
    // option was given (the caller shows the help and ends the process).
    bool parseCmdParameters(const QString& args);
    // Reorders the words into the order parseCmdParameters expects.
    static void sortCmdParameters(QStringList& words);
    // Six groups of two hexadecimal digits, by colons or (without any colon) hyphens.
    static bool isMacAddress(const QString& word);

    bool m_bDirectStart = false;
    bool m_bHostname = false;
    bool m_bStartMea = false;
    bool m_bWakeUp = false;
    // Starts as the last used controller's host name; "-host NAME" replaces it.
    QString m_sDirectStart_hostname;
    QString m_sWakeUpMAC;
};

#endif
