// discover: the selection dialog's table on stdout. Reads only: the scan and
// the few questions per controller go over UDP and take nothing.

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QVector>

#include "ControllerProbe.h"
#include "ControllerSetup.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "IOManager.h"
#include "TrackboxScanner.h"

namespace {

struct Column
{
    const char* key;    // JSON key
    const char* title;  // table heading
};

// The dialog's columns, and what a script needs beside them.
const Column kColumns[] = {
    {"hostname", "NAME"},           {"address", "ADDRESS"},   {"model", "MODEL"},
    {"serial", "SERIAL"},           {"protocol", "PROTOCOL"}, {"access", "ACCESS"},
    {"accessed_by", "ACCESSED-BY"}, {"cascade", "CASCADE"},   {"mac", "MAC"},
    {"version", "VERSION"}};
constexpr int kColumnCount = int(sizeof kColumns / sizeof kColumns[0]);

QString readText(ControllerProbe& probe, const char* parameter)
{
    char value[IOManager::MaxTextLength + 1] = {};
    return probe.readParameter(parameter, value) == 0 ? QString::fromUtf8(value).trimmed()
                                                      : QString();
}

QStringList rowOf(const trackbox_info_type& info)
{
    ControllerProbe probe;
    probe.setController(info.ip);
    const QString model = QString::fromUtf8(info.model).trimmed();
    const QString accessedBy = ctlAccessHolder(readText(probe, "system accessed_by"));
    const QStringList row = {QString::fromUtf8(info.hostname),
                             QString::fromLatin1(info.ip_str),
                             model.isEmpty() ? QString() : ControllerSetup::modelName(model),
                             QString::fromUtf8(info.serial),
                             QString::fromUtf8(info.protocol_version).trimmed(),
                             QString::fromUtf8(info.access),
                             accessedBy,
                             info.isSlave ? QStringLiteral("slave") : QString(),
                             QString::fromUtf8(info.mac_str),
                             QString::fromUtf8(info.version)};
    QStringList shown;
    for (const QString& cell : row)
        shown << ctlPrintable(cell);
    return shown;
}

void printTable(CtlContext& context, const QVector<QStringList>& rows)
{
    QVector<int> widths(kColumnCount);
    for (int c = 0; c < kColumnCount; ++c) {
        widths[c] = int(qstrlen(kColumns[c].title));
        for (const QStringList& row : rows)
            widths[c] = qMax(widths[c], row.at(c).isEmpty() ? 1 : row.at(c).size());
    }
    auto printRow = [&](const QStringList& cells) {
        QString line;
        for (int c = 0; c < kColumnCount; ++c) {
            const QString cell = cells.at(c).isEmpty() ? QStringLiteral("-") : cells.at(c);
            line += c + 1 < kColumnCount ? cell.leftJustified(widths[c] + 2) : cell;
        }
        context.out << line << '\n';
    };
    QStringList titles;
    for (const Column& column : kColumns)
        titles << QString::fromLatin1(column.title);
    printRow(titles);
    for (const QStringList& row : rows)
        printRow(row);
    context.out << Qt::flush;
}

void printJson(CtlContext& context, const QVector<QStringList>& rows)
{
    QJsonArray list;
    for (const QStringList& row : rows) {
        QJsonObject object;
        for (int c = 0; c < kColumnCount; ++c)
            object.insert(QLatin1String(kColumns[c].key), row.at(c));
        list.append(object);
    }
    context.printJson(QJsonDocument(list));
}

}  // namespace

int ctlDiscover(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "Lists the controllers on the local subnets, or those answering at one subnet's "
        "broadcast address or one controller address. Reads only: takes no access. Exit code 3 "
        "when no controller answered."));
    const QCommandLineOption subnet(
        QStringLiteral("subnet"), CtlText::tr("Ask only at this broadcast or controller address."),
        QStringLiteral("ADDR"));
    parser.addOption(subnet);
    parser.addOption({QStringLiteral("json"), CtlText::tr("Print the list as JSON.")});
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("discover [--subnet ADDR]"), 0, 0);
    if (parsed >= 0)
        return parsed;
    uint32_t destination = 0;
    if (parser.isSet(subnet)) {
        destination = ControllerAddress::resolve(parser.value(subnet));
        if (destination == 0) {
            context.error(
                CtlText::tr("not an address: %1").arg(ctlPrintable(parser.value(subnet))));
            return CtlExit::Usage;
        }
    }
    context.progress(CtlText::tr("scanning ..."));
    TrackboxScanner scanner(FrontendInfo::kControllerPort);
    const QList<trackbox_info_type> found = scanner.get_all_trackboxes(int(destination));
    for (const QString& error : scanner.get_errors())
        context.error(ctlPrintable(error));
    QVector<QStringList> rows;
    for (const trackbox_info_type& info : found)
        rows << rowOf(info);
    if (context.json)
        printJson(context, rows);
    else if (!rows.isEmpty())
        printTable(context, rows);
    if (rows.isEmpty()) {
        context.error(CtlText::tr("no controller answered"));
        return CtlExit::NoAnswer;
    }
    return CtlExit::Success;
}
