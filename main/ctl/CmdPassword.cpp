// password check|set|clear: the front-end password of the window's password
// dialog. Passwords come from the terminal without echo or from standard
// input, never from the command line, where every user could read them.

#include <QCommandLineParser>
#include <QJsonObject>

#include <unistd.h>

#include "AccessControl.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"

namespace {

// given: a password was read at all; without one, "wrong" would mislead.
int printRequired(CtlContext& context, bool required, bool accepted, bool given = true)
{
    if (context.json) {
        QJsonObject object{{QStringLiteral("required"), required}};
        if (required)
            object.insert(QStringLiteral("accepted"), accepted);
        context.printJson(QJsonDocument(object));
    } else {
        context.out << (!required  ? CtlText::tr("no password set")
                        : accepted ? CtlText::tr("password accepted")
                        : given    ? CtlText::tr("password wrong")
                                   : CtlText::tr("password required"))
                    << '\n'
                    << Qt::flush;
    }
    if (required && !accepted)
        return CtlExit::PasswordRefused;
    return CtlExit::Success;
}

int exitForAccessError(CtlContext& context, int err)
{
    switch (err) {
        case AccessControl::ErrWrongPassword:
            context.error(CtlText::tr("wrong password"));
            return CtlExit::PasswordRefused;
        case AccessControl::ErrPasswordRule:
            context.error(CtlText::tr("a password holds letters, digits and _-+./ only"));
            return CtlExit::Usage;
        default:
            context.error(CtlText::tr("no answer from the controller"));
            return CtlExit::NoAnswer;
    }
}

// Read-only: the questions go over UDP; the password is asked only when one is set.
int check(CtlContext& context, const QString& host)
{
    CtlController controller(context);
    const int code = controller.connect(host, CtlController::Mode::Probe);
    if (code != CtlExit::Success)
        return code;
    AccessControl access(controller.ip(), FrontendInfo::kControllerPort);
    int err = 0;
    const bool required = access.requiresPassword(&err);
    if (err != 0)
        return exitForAccessError(context, err);
    if (!required)
        return printRequired(context, false, true);
    QString password;
    if (!ctlReadSecret(context, CtlText::tr("Password for %1: ").arg(ctlPrintable(host)),
                       &password))
        return printRequired(context, true, false, false);
    const bool accepted = access.verifyPassword(password, &err);
    if (!accepted && err != AccessControl::ErrWrongPassword &&
        err != AccessControl::ErrPasswordRule)
        return exitForAccessError(context, err);
    return printRequired(context, true, accepted);
}

bool readNewPassword(CtlContext& context, QString* password)
{
    if (!ctlReadSecret(context, CtlText::tr("New password: "), password))
        return false;
    // Typing blind, a slip would lock everyone out; a script gives it once.
    if (!isatty(STDIN_FILENO))
        return true;
    QString again;
    return ctlReadSecret(context, CtlText::tr("Repeat the new password: "), &again) &&
           again == *password;
}

int change(CtlContext& context, const QString& host, bool clear)
{
    CtlController controller(context);
    // Passing the gate asks for the current password when one is set.
    int code = controller.connect(host, CtlController::Mode::Change);
    if (code != CtlExit::Success)
        return code;
    QString newPassword;
    if (!clear && !readNewPassword(context, &newPassword)) {
        context.error(CtlText::tr("no new password given, or the two differ"));
        return CtlExit::Usage;
    }
    AccessControl access(controller.ip(), FrontendInfo::kControllerPort);
    int err = 0;
    if (!access.resetPassword(newPassword, controller.password(), controller.channel(), &err))
        return exitForAccessError(context, err);
    const QString done = clear ? CtlText::tr("password cleared") : CtlText::tr("password set");
    if (context.json)
        context.printJson(QJsonDocument(QJsonObject{{QStringLiteral("result"), done}}));
    else
        context.out << done << '\n' << Qt::flush;
    return CtlExit::Success;
}

}  // namespace

int ctlPassword(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "check: says whether a password is set and, if so, reads one and checks it (exit code "
        "6 when wrong); reads only. set, clear: change the front-end password; the current "
        "password is read first when one is set, then the new one. Passwords are read from "
        "the terminal without echo, or one per line from standard input."));
    parser.addPositionalArgument(QStringLiteral("check|set|clear"), CtlText::tr("what to do"));
    ctlAddHostArgument(parser);
    ctlAddJsonOption(parser);
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("password check|set|clear HOST"), 2, 2);
    if (parsed >= 0)
        return parsed;
    const QString action = parser.positionalArguments().at(0);
    const QString host = parser.positionalArguments().at(1);
    if (action == QLatin1String("check"))
        return check(context, host);
    if (action == QLatin1String("set") || action == QLatin1String("clear"))
        return change(context, host, action == QLatin1String("clear"));
    context.error(
        CtlText::tr("password: expected check, set or clear, not %1").arg(ctlPrintable(action)));
    return CtlExit::Usage;
}
