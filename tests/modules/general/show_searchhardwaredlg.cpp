// Opens the hardware search dialog against a controller for a look at it (the
// screenshot script runs it under Xvfb):
//   show_searchhardwaredlg ADDRESS [cameraupdate] [--dark]

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

#include "IOManagerUdpTcp.h"
#include "SearchHardwareDlg.h"
#include "WindowLayout.h"

int main(int argc, char** argv)
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: show_searchhardwaredlg ADDRESS [cameraupdate] [--dark]\n");
        return 2;
    }
    const bool dark = args.removeAll("--dark") > 0;
    AppTheme::loadDarkFusionPalette(dark);
    IOManagerUdpTcp channel;
    unsigned short port = 0;
    if (channel.init(args.value(0).toLatin1().constData(), 50105, &port) != 0) {
        std::fprintf(stderr, "no controller at %s\n", qPrintable(args.value(0)));
        return 1;
    }
    SearchHardwareDlg dialog(nullptr, &channel, args.value(1));
    dialog.move(40, 40);
    return dialog.update_and_exec() == 1 ? 0 : 3;
}
