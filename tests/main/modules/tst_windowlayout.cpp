// The layout file and the window's arrangement: restoring valid and broken
// files, saving without losing the previous file, the default arrangement and
// the context menu.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

#include <sys/resource.h>
#include <csignal>
#include <memory>

#include "BusTestChannel.h"
#include "MainMenus.h"
#include "ModuleHost.h"
#include "WindowLayout.h"

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Limits the size of files this process writes, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // a write then fails with EFBIG
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void brokenFilesGiveTheDefault_data();
    void brokenFilesGiveTheDefault();
    void moduleDocksComeBackFromTheFile();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();
    void defaultArrangement_data();
    void defaultArrangement();
    void contextMenuOrdersDocksByNumber();

private:
    QDockWidget* addDock(const QString& name, int order = -1);
    QStringList dockOrder() const;
    void newWindow();

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<WindowLayout> layout;
    QStringList warnings;
};

void TestWindowLayout::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    warnings.clear();
    newWindow();
}

void TestWindowLayout::cleanup()
{
    dir->setAutoRemove(!QTest::currentTestFailed());
    layout.reset();
    window.reset();
}

void TestWindowLayout::newWindow()
{
    layout.reset();
    window = std::make_unique<QMainWindow>();
    window->setObjectName("MainWindow");
    window->setCentralWidget(new QWidget);
    window->move(40, 30);
    layout = std::make_unique<WindowLayout>(window.get(), dir->path());
    layout->setWarningHandler(
        [this](const QString& title, const QString& text) { warnings << title + ": " + text; });
}

QDockWidget* TestWindowLayout::addDock(const QString& name, int order)
{
    auto* dock = new QDockWidget(name, window.get());
    dock->setObjectName(name);
    dock->setWidget(new QWidget);
    if (order >= 0)
        dock->toggleViewAction()->setData(order);
    window->addDockWidget(Qt::LeftDockWidgetArea, dock);
    return dock;
}

// The docks of the right area from top to bottom (hidden ones shown to place them).
QStringList TestWindowLayout::dockOrder() const
{
    QList<QDockWidget*> docks;
    for (QDockWidget* dock : window->findChildren<QDockWidget*>()) {
        if (window->dockWidgetArea(dock) != Qt::RightDockWidgetArea)
            return {"not right: " + dock->objectName()};
        dock->show();
        docks << dock;
    }
    window->show();
    QCoreApplication::processEvents();
    std::sort(docks.begin(), docks.end(),
              [](QDockWidget* a, QDockWidget* b) { return a->y() < b->y(); });
    QStringList names;
    for (QDockWidget* dock : docks)
        names << dock->objectName();
    return names;
}

void TestWindowLayout::brokenFilesGiveTheDefault_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("useDefault");

    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("one byte") << QByteArray(1, char(66)) << false;
    QTest::newRow("geometry shorter than N")
        << (QByteArray(1, char(66)) + QByteArray(20, 'g')) << false;
    QTest::newRow("no state after the geometry") << QByteArray("valid-geometry-only") << false;
    QTest::newRow("garbage") << (QByteArray(1, char(3)) + "abcdefghijklmnop") << false;
    // Its state claims more tool bars than it holds; Qt alone reads on for minutes.
    QTest::newRow("state counts beyond the data")
        << readAll(ORVANE_SOURCE_DIR "/fuzz/corpus/modules_layout/restorestate_loop") << false;
    // Its geometry restores as a window 16777215 pixels wide.
    QTest::newRow("window larger than the screens") << QByteArray("oversized-geometry") << false;
    QTest::newRow("valid file, default asked") << QByteArray("valid") << true;
}

void TestWindowLayout::brokenFilesGiveTheDefault()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, useDefault);

    addDock("DisplayEvent")->hide();
    addDock("Other");
    if (content == "valid" || content == "valid-geometry-only") {
        QVERIFY(layout->saveLayout());
        if (content == "valid-geometry-only") {
            const QByteArray saved = readAll(layout->filePath());
            writeFile(layout->filePath(), saved.left(1 + static_cast<unsigned char>(saved[0])));
        }
    } else if (content == "oversized-geometry") {
        QVERIFY(layout->saveLayout());
        const QByteArray saved = readAll(layout->filePath());
        const QByteArray damaged =
            readAll(ORVANE_SOURCE_DIR "/fuzz/corpus/modules_layout/window_larger_than_screens");
        writeFile(layout->filePath(), damaged.left(1 + static_cast<unsigned char>(damaged[0])) +
                                          saved.mid(1 + static_cast<unsigned char>(saved[0])));
    } else if (!content.isEmpty()) {
        writeFile(layout->filePath(), content);
    }
    window->showMaximized();

    QVERIFY(!layout->loadLayout(useDefault));
    QVERIFY(!window->isMaximized());
    QCOMPARE(window->size(), QSize(1000, 600));
    QCOMPARE(visibleDocks(window.get()), QStringList{"DisplayEvent"});
    QVERIFY(warnings.isEmpty());
}

void TestWindowLayout::moduleDocksComeBackFromTheFile()
{
    // Two runs of the program: the module's unnamed dock gets the same name
    // each time, so the file puts it back where the user left it.
    BusTestChannel channel;
    ModuleHost::SharedObjects shared;
    shared.channel = &channel;
    QStringList visible;
    QRect geometry;
    for (int run = 0; run < 2; ++run) {
        if (run)
            newWindow();
        auto* menus = new MainMenus(window.get());
        ModuleHost host(window.get(), menus);
        shared.moduleParent = window.get();
        host.loadPlugins(QDir(ORVANE_TEST_PLUGIN_DIR), shared, false);
        auto* unnamed = window->findChild<QDockWidget*>("&ModulesTest Dock");
        QVERIFY(unnamed);
        if (run == 0) {
            QVERIFY(!layout->loadLayout(false));  // first start: the default
            unnamed->show();
            window->findChild<QDockWidget*>("Test data view")->hide();
            window->setGeometry(60, 50, 800, 500);
            QCoreApplication::processEvents();
            visible = visibleDocks(window.get());
            geometry = window->geometry();
            QVERIFY(layout->saveLayout());
        } else {
            QVERIFY(layout->loadLayout(false));
            QCOMPARE(visibleDocks(window.get()), visible);
            QCOMPARE(window->size(), geometry.size());
        }
    }
    QCOMPARE(visible, (QStringList{"&ModulesTest Dock", "Monitor displaytab 01"}));
}

void TestWindowLayout::failedSaveKeepsThePreviousFile_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("disk full while writing") << true << "Error: Error writing to %1\n"
                                             << QStringList{"orvane.layout"};
    QTest::newRow("folder cannot be created") << false << "Error: Unsuccessful to open %1\n"
                                              << QStringList{"blocked", "orvane.layout"};
}

void TestWindowLayout::failedSaveKeepsThePreviousFile()
{
    QFETCH(bool, fullDisk);
    QFETCH(QString, warning);
    QFETCH(QStringList, files);

    addDock("DisplayEvent");
    QVERIFY(layout->saveLayout());
    const QByteArray before = readAll(layout->filePath());
    QVERIFY(before.size() > 40);

    addDock("Another dock");  // the new state differs from the saved one
    QString path = layout->filePath();
    if (fullDisk) {
        FileSizeLimit limit(16);
        QVERIFY(!layout->saveLayout());
    } else {
        // A plain file where the folder should be: nothing can be opened inside.
        const QString blocked = dir->filePath("blocked");
        writeFile(blocked, "x");
        WindowLayout elsewhere(window.get(), blocked + "/config");
        elsewhere.setWarningHandler(
            [this](const QString& title, const QString& text) { warnings << title + ": " + text; });
        path = elsewhere.filePath();
        QVERIFY(!elsewhere.saveLayout());
    }
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().startsWith(warning.arg(path)), qPrintable(warnings.first()));
    QCOMPARE(readAll(layout->filePath()), before);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), files);
}

void TestWindowLayout::defaultArrangement_data()
{
    QTest::addColumn<QStringList>("docks");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("visible");

    QTest::newRow("first start")
        << QStringList{"DisplayEvent", "Zeta",  "Wavewand view",
                       "Test Data",    "Alpha", "Monitor DisplayTab 01"}
        << QStringList{"Monitor DisplayTab 01", "Test Data", "Wavewand view", "Zeta", "Alpha",
                       "DisplayEvent"}
        << QStringList{"DisplayEvent", "Monitor DisplayTab 01", "Test Data"};
    // Docks sharing a key all stay in the window, in the order found.
    QTest::newRow("two data docks")
        << QStringList{"B data", "A data", "Other"} << QStringList{"B data", "A data", "Other"}
        << QStringList{"A data", "B data"};
    QTest::newRow("event key equal to a counted one")
        << QStringList{"x", "y", "z", "DisplayEvent"} << QStringList{"x", "DisplayEvent", "y", "z"}
        << QStringList{"DisplayEvent"};
}

void TestWindowLayout::defaultArrangement()
{
    QFETCH(QStringList, docks);
    QFETCH(QStringList, order);
    QFETCH(QStringList, visible);

    for (const QString& name : docks)
        addDock(name);
    window->show();
    const QPoint topLeft = window->geometry().topLeft();
    layout->setDefaultLayout();
    QCOMPARE(window->geometry(), QRect(topLeft, QSize(1000, 600)));
    QCOMPARE(visibleDocks(window.get()), visible);
    QCOMPARE(dockOrder(), order);
}

void TestWindowLayout::contextMenuOrdersDocksByNumber()
{
    addDock("events", 300);
    addDock("late module", 1500);
    addDock("early module", 20);
    addDock("unnumbered");
    addDock("later module", 1200);
    auto* tools = window->addToolBar("Start / Stop");
    tools->setObjectName("MainToolBar");
    // A dock inside another widget is not the window's own.
    auto* inner = new QDockWidget("inner", window->centralWidget());
    inner->setObjectName("inner");

    std::unique_ptr<QMenu> menu(layout->createPopupMenu(window.get()));
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(texts, (QStringList{"unnumbered", "early module", "events", "-", "later module",
                                 "late module", "-", "Start / Stop"}));
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
