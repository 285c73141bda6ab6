#include "CtlContext.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"

int ctlDiagnose(CtlContext& context)
{
    context.error(QStringLiteral("diagnose: not available in this build"));
    return CtlExit::Internal;
}
