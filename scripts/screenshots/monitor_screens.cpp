// The Live Monitor dock after a little recording against the simulator, in
// the dark and in the light theme: the program behind scripts/screenshots/monitor.
//
//   monitor_screens OUTPUT_DIR dark|light [ADDRESS]

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>

#include <cstdio>

#include "ConnectedShell.h"

namespace {

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool shoot(const QString& address, const QString& file, const QByteArray& preferences)
{
    ConnectedShell shell;
    shell.home().writePreferences(preferences);
    if (!shell.startSim(address, {"--profile", "large", "--frequency", "300"}))
        return false;
    auto w = shell.startDirect("-measure");
    auto* dock = w->findChild<QDockWidget*>("LiveMonitorDock");
    if (w->isEndingProcess() || !dock)
        return false;
    dock->setFloating(true);
    dock->resize(1280, 900);
    dock->show();
    runFor(6000);
    // A stop and a restart leave their marks; frame loss crosses the thresholds.
    w->toggle_mea_action->trigger();
    runFor(3000);
    shell.sim().control("frames-lost 3");
    w->toggle_mea_action->trigger();
    runFor(5000);
    QMetaObject::invokeMethod(dock, "selectCamera", Q_ARG(int, 2));
    runFor(1200);
    bool ok = false;
    QMetaObject::invokeMethod(dock, "savePicture", Q_RETURN_ARG(bool, ok), Q_ARG(QString, file));
    std::printf("%s\n", qPrintable(file));
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    // One theme per process: the recording lives as long as the module does.
    if (args.size() < 3 || (args[2] != "dark" && args[2] != "light")) {
        std::fprintf(stderr, "usage: monitor_screens OUTPUT_DIR dark|light [ADDRESS]\n");
        return 2;
    }
    const bool dark = args[2] == "dark";
    const QString address = args.value(3, "127.0.64.2");
    const QByteArray preferences =
        dark ? "<ORVANE/>" : "<ORVANE><MENUE><IS_DARK_THEME>false</IS_DARK_THEME></MENUE></ORVANE>";
    return shoot(address, args[1] + "/monitor-" + args[2] + ".png", preferences) ? 0 : 1;
}
