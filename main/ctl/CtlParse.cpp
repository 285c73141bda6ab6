#include "CtlParse.h"

#include "CtlContext.h"
#include "CtlExit.h"

namespace {

QString usageLine(const QString& synopsis)
{
    return QStringLiteral("Usage: orvane3ctl [--json] ") + synopsis + '\n';
}

}  // namespace

int ctlUsageError(CtlContext& context, const QString& synopsis, const QString& message)
{
    context.error(message);
    context.err << usageLine(synopsis) << Qt::flush;
    return CtlExit::Usage;
}

bool ctlParse(CtlContext& context, QCommandLineParser& parser, const QString& synopsis,
              int* exitCode)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this help"));
    parser.addOption(help);
    // The parser wants a program name first; the subcommand's name serves.
    if (!parser.parse(context.arguments)) {
        *exitCode = ctlUsageError(context, synopsis, parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        context.out << usageLine(synopsis) << '\n'
                    << parser.helpText().section('\n', 1) << '\n'
                    << CtlExit::kHelpTable << Qt::flush;
        *exitCode = CtlExit::Success;
        return false;
    }
    return true;
}
