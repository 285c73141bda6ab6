// The Live Monitor dock after a little recording against the simulator, in
// the dark and in the light theme: the program behind scripts/screenshots/monitor.
//
//   monitor_screens OUTPUT_DIR [ADDRESS]

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QStyle>

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
    QApplication::setPalette(QApplication::style()->standardPalette());
    qApp->setStyleSheet(QString());
    ConnectedShell shell;
    shell.home().writePreferences(preferences);
    if (!shell.startSim(address, {"--profile", "large", "--frequency", "300"}))
        return false;
    auto w = shell.startDirect("-measure");
    auto* dock = w->findChild<QDockWidget*>("LiveMonitorDock");
    if (w->isEndingProcess() || !dock)
        return false;
    dock->setFloating(true);
    dock->resize(1280, 820);
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: monitor_screens OUTPUT_DIR [ADDRESS]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString address = argc > 2 ? QString::fromLocal8Bit(argv[2]) : "127.0.64.2";
    const bool dark = shoot(address, out + "/monitor-dark.png", "<ORVANE/>");
    const bool light =
        shoot(address, out + "/monitor-light.png",
              "<ORVANE><MENUE><IS_DARK_THEME>false</IS_DARK_THEME></MENUE></ORVANE>");
    return dark && light ? 0 : 1;
}
