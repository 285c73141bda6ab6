// orvane3ctl: the front-end's subcommands for scripts and remote shells.
// No window and no display are needed.

#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "ProgramEntry.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <unistd.h>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane3ctl"));
    QCoreApplication::setApplicationVersion(FrontendInfo::versionNumber() +
                                            QLatin1String(FrontendInfo::kVersionSuffix));
    // German only where the user's locale asks for it; scripts run in the C locale keep
    // the English texts they were written against.
    std::vector<std::unique_ptr<QTranslator>> translators;
    if (QLocale::system().language() == QLocale::German)
        translators = installGermanTranslations(app, QString());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ctlRun(QCoreApplication::arguments(), out, err, isatty(STDERR_FILENO) == 1);
}
