#ifndef CTLSUBCOMMANDS_H
#define CTLSUBCOMMANDS_H

#include <QStringList>
#include <QTextStream>

struct CtlContext;

// One row per subcommand: its name, a one-line synopsis for the overall help,
// and the function that parses its own arguments and runs it. Each returns a
// CtlExit::Code.
struct CtlSubcommand
{
    const char* name;
    const char* synopsis;
    int (*run)(CtlContext& context);
};

int ctlDiscover(CtlContext& context);
int ctlMeasure(CtlContext& context);
int ctlShutdown(CtlContext& context);
int ctlReboot(CtlContext& context);
int ctlWake(CtlContext& context);
int ctlPassword(CtlContext& context);
int ctlReport(CtlContext& context);
int ctlExport(CtlContext& context);
int ctlSend(CtlContext& context);
int ctlDiagnose(CtlContext& context);
int ctlMetrics(CtlContext& context);
int ctlStatus(CtlContext& context);

// The whole table, ended by a row whose name is null.
const CtlSubcommand* ctlSubcommands();

// Parses the global options, picks the subcommand and runs it. arguments are
// the program's own, the program name first.
int ctlRun(const QStringList& arguments, QTextStream& out, QTextStream& err, bool errIsTerminal);

#endif
