#ifndef CTLPARSE_H
#define CTLPARSE_H

#include <QCommandLineParser>
#include <QString>

struct CtlContext;

// Parses a subcommand's own arguments with parser. Prints help (--help, to
// stdout) or the usage error (to stderr) itself; then returns false with the
// exit code in *exitCode.
bool ctlParse(CtlContext& context, QCommandLineParser& parser, const QString& synopsis,
              int* exitCode);

// Reports a usage error found after parsing, with the usage line; returns CtlExit::Usage.
int ctlUsageError(CtlContext& context, const QString& synopsis, const QString& message);

#endif
