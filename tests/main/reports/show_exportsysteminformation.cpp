// Opens the system information export against a controller for a look at it
// (the screenshot script runs it under Xvfb with a HOME holding event logs):
//   show_exportsysteminformation ADDRESS [--de]

#include <QApplication>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>

#include "BackendVersions.h"
#include "ExportSystemInformation.h"
#include "IOManagerUdpTcp.h"

int main(int argc, char** argv)
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: show_exportsysteminformation ADDRESS [--de]\n");
        return 2;
    }
    QTranslator german;
    if (args.removeAll(QStringLiteral("--de")) > 0 &&
        german.load(QStringLiteral(ORVANE_BIN_DIR "/lang/orvane_reports_de.qm")))
        app.installTranslator(&german);
    IOManagerUdpTcp channel;
    unsigned short port = 0;
    if (channel.init(args.value(0).toLatin1().constData(), 50105, &port) != 0) {
        std::fprintf(stderr, "no controller at %s\n", qPrintable(args.value(0)));
        return 1;
    }
    BackendVersions versions;
    char value[IOManager::MaxTextLength + 1] = {};
    if (channel.get_par(value, "system protocol_version") == 0)
        versions.setProtocol(VersionInfo::fromString(QString::fromUtf8(value)));
    ExportSystemInformation dialog(nullptr, &channel, &versions);
    dialog.setVersionFeAndModules(QStringLiteral("3.3.1|roomcal;1.4.0"));
    dialog.move(40, 40);
    dialog.update_and_exec();
    return 0;
}
