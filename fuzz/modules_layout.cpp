// Arbitrary bytes as the layout file, applied to a window with the main
// window's docks and tool bars.  A file that was accepted leaves a state that
// is accepted again; nothing is ever read past the file.
// Input: the file's content.

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

#include <cstdint>
#include <cstdlib>

#include "WindowLayout.h"

namespace {

QMainWindow* buildWindow()
{
    auto* window = new QMainWindow;
    window->setObjectName("MainWindow");
    window->setCentralWidget(new QLabel("center"));
    for (const char* name : {"DisplayEvent", "DisplayTab 01", "DisplayData", "WaveWand"}) {
        auto* dock = new QDockWidget(QString::fromLatin1(name), window);
        dock->setObjectName(QString::fromLatin1(name));
        dock->setWidget(new QLabel(QString::fromLatin1(name)));
        window->addDockWidget(Qt::RightDockWidgetArea, dock);
    }
    for (const char* name : {"MainToolBar", "QuickStatusToolBar", "FrequencyStatusToolBar"}) {
        QToolBar* bar = window->addToolBar(QString::fromLatin1(name));
        bar->setObjectName(QString::fromLatin1(name));
    }
    return window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_modules_layout";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing down a shown window after Qt's thread storage is
    // gone at exit crashes inside Qt.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    static QMainWindow* window = buildWindow();
    static WindowLayout layout(window, QString());

    const QByteArray content(reinterpret_cast<const char*>(data), int(size));
    if (layout.restoreFromBytes(content) && !window->restoreState(window->saveState(0), 0))
        std::abort();
    return 0;
}
