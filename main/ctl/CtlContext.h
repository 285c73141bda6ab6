#ifndef CTLCONTEXT_H
#define CTLCONTEXT_H

#include <QCoreApplication>
#include <QJsonDocument>
#include <QStringList>
#include <QTextStream>

// The translation context of the tool's texts.
struct CtlText
{
    Q_DECLARE_TR_FUNCTIONS(orvane3ctl)
};

// What every subcommand gets: its own arguments, where results and progress
// go, and whether the caller asked for JSON. Results go to out only; progress
// goes to err, and only when err is a terminal, so scripts see clean output.
struct CtlContext
{
    QStringList arguments;  // the subcommand's name first, then its own arguments
    QTextStream& out;
    QTextStream& err;
    bool json = false;
    bool progressShown = false;  // err is a terminal

    void progress(const QString& text);
    void error(const QString& text);
    void printJson(const QJsonDocument& document);
};

#endif
