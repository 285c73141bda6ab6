// orvane3ctl: the front-end's subcommands for scripts and remote shells.
// No window and no display are needed.

#include "CtlSubcommands.h"
#include "FrontendInfo.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane3ctl"));
    QCoreApplication::setApplicationVersion(FrontendInfo::versionNumber() +
                                            QLatin1String(FrontendInfo::kVersionSuffix));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ctlRun(QCoreApplication::arguments(), out, err, isatty(STDERR_FILENO) == 1);
}
