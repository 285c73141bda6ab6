#ifndef ORVANE_PROGRAMENTRY_H
#define ORVANE_PROGRAMENTRY_H

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

class QCoreApplication;

// Exit code by which a main window asks to be replaced by one that reconnects.
constexpr int kRestartExitCode = 42;

// The argument string handed to each main window: the first five arguments
// after the program name, separated by single spaces; any further ones are ignored.
QString joinProgramArguments(const QStringList& arguments);

// Installs every "*_de.qm" file of the directory "lang" below the current
// working directory and of "lang" beside the program (programDir, by default
// the executable's folder), so that the program started from any folder
// speaks German. A file found in both is taken from the working directory.
// The translators must outlive every translated text.
std::vector<std::unique_ptr<QTranslator>> installGermanTranslations(
    QCoreApplication& app, const QString& programDir = QString());

// The restart loop: a main window per pass, shown and run, until one ends its
// event loop with another code than kRestartExitCode; the following windows
// connect directly to the last controller. Returns the last window's code.
int runMainWindows(QString args);

#endif
