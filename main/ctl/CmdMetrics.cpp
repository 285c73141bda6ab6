#include "CtlContext.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"

int ctlMetrics(CtlContext& context)
{
    context.error(QStringLiteral("metrics: not available in this build"));
    return CtlExit::Internal;
}
