// The check of a saved main window state before Qt reads it: every
// arrangement a user can make passes, damaged counts and area numbers are
// refused, and whatever passes, however damaged, Qt reads to its end at once.

#include <QApplication>
#include <QDataStream>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

#include "SavedWindowState.h"

namespace {

constexpr int kVersion = 0;
const QSize kLargest(1920, 1200);

bool wellFormed(const QByteArray& state, int version = kVersion)
{
    return SavedWindowState::isWellFormed(state, version, kLargest);
}

using Arrange =
    std::function<void(QMainWindow*, const QList<QDockWidget*>&, const QList<QToolBar*>&)>;

std::unique_ptr<QMainWindow> newWindow(QList<QDockWidget*>* docks, QList<QToolBar*>* bars)
{
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QLabel("center"));
    for (const char* name : {"DisplayEvent", "DisplayTab 01", "DisplayData", "WaveWand"}) {
        auto* dock = new QDockWidget(name, window.get());
        dock->setObjectName(name);
        dock->setWidget(new QLabel(name));
        window->addDockWidget(Qt::RightDockWidgetArea, dock);
        *docks << dock;
    }
    for (const char* name : {"MainToolBar", "QuickStatusToolBar", "FrequencyStatusToolBar"}) {
        QToolBar* bar = window->addToolBar(name);
        bar->setObjectName(name);
        *bars << bar;
    }
    return window;
}

QByteArray arrangedState(const Arrange& arrange)
{
    QList<QDockWidget*> docks;
    QList<QToolBar*> bars;
    auto window = newWindow(&docks, &bars);
    window->resize(900, 600);
    window->show();
    arrange(window.get(), docks, bars);
    QCoreApplication::processEvents();
    return window->saveState(kVersion);
}

// States written field by field, for damage no window would save.
QByteArray fields(std::initializer_list<qint32> ints, quint8 lead = 0, bool withLead = false)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    if (withLead)
        out << lead;
    for (qint32 v : ints)
        out << v;
    return bytes;
}
QByteArray marked(quint8 marker, std::initializer_list<qint32> ints = {})
{
    return fields(ints, marker, true);
}
const QByteArray header = fields({0xff, kVersion});

QByteArray dockSection(int area, const QByteArray& info)
{
    return header + marked(0xfd, {1, area, 300, 500}) + info + fields({800, 500, 1, 1, 8, 8});
}
QByteArray sequence(int count, const QByteArray& items = {})
{
    return marked(0xfc) + marked(Qt::Vertical, {count}) + items;
}
QByteArray text(const QString& name)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << name;
    return bytes;
}
QByteArray dock(const QString& name, quint8 flags, std::initializer_list<qint32> place)
{
    return marked(0xfb) + text(name) + marked(flags, place);
}
QByteArray nestedSequences(int depth)
{
    QByteArray info = sequence(0);
    for (int i = 0; i < depth; ++i)
        info = sequence(1, marked(0xfc, {0, 100, 0, 0}) + info);
    return dockSection(2, info);
}
// Qt packs a floating tool bar's geometry into two numbers.
QByteArray floatingToolBar(int width, int height)
{
    const quint32 geom0 = ((quint32(10 + 0x7fff) & 0xffff) | quint32(width) << 16) << 1 | 1;
    const quint32 geom1 = (quint32(10 + 0x7fff) & 0xffff) | quint32(height) << 16;
    return header + marked(0xfc, {1, 2, 1}) + text("MainToolBar") +
           marked(1, {0, -1, qint32(geom0), qint32(geom1)});
}

}  // namespace

class TestSavedWindowState : public QObject
{
    Q_OBJECT

private slots:
    void userArrangementsPass_data();
    void userArrangementsPass();
    void damagedStatesAreRefused_data();
    void damagedStatesAreRefused();
    void whateverPassesQtReadsAtOnce();
};

void TestSavedWindowState::userArrangementsPass_data()
{
    QTest::addColumn<QByteArray>("state");

    const auto none = [](QMainWindow*, const QList<QDockWidget*>&, const QList<QToolBar*>&) {};
    QTest::newRow("docks in one column") << arrangedState(none);
    QTest::newRow("nothing in the window") << [] {
        QMainWindow window;
        return window.saveState(kVersion);
    }();
    QTest::newRow("tabbed and hidden") << arrangedState(
        [](QMainWindow* w, const QList<QDockWidget*>& d, const QList<QToolBar*>& b) {
            w->tabifyDockWidget(d[0], d[1]);
            w->tabifyDockWidget(d[0], d[2]);
            d[1]->raise();
            d[3]->hide();
            b[2]->hide();
        });
    QTest::newRow("split and nested in all areas")
        << arrangedState([](QMainWindow* w, const QList<QDockWidget*>& d, const QList<QToolBar*>&) {
               w->addDockWidget(Qt::LeftDockWidgetArea, d[0]);
               w->splitDockWidget(d[0], d[1], Qt::Horizontal);
               w->splitDockWidget(d[1], d[2], Qt::Vertical);
               w->addDockWidget(Qt::BottomDockWidgetArea, d[3]);
           });
    QTest::newRow("floating dock")
        << arrangedState([](QMainWindow*, const QList<QDockWidget*>& d, const QList<QToolBar*>&) {
               d[2]->setFloating(true);
               d[2]->setGeometry(50, 60, 300, 200);
           });
    QTest::newRow("tool bars on several lines and areas")
        << arrangedState([](QMainWindow* w, const QList<QDockWidget*>&, const QList<QToolBar*>& b) {
               w->addToolBarBreak();
               w->addToolBar(Qt::TopToolBarArea, b[1]);
               w->addToolBar(Qt::LeftToolBarArea, b[2]);
               w->addToolBar(Qt::BottomToolBarArea, b[0]);
           });
}

void TestSavedWindowState::userArrangementsPass()
{
    QFETCH(QByteArray, state);
    QVERIFY(wellFormed(state));
    QVERIFY(!wellFormed(state, kVersion + 1));

    QList<QDockWidget*> docks;
    QList<QToolBar*> bars;
    auto window = newWindow(&docks, &bars);
    QVERIFY(window->restoreState(state, kVersion));
}

void TestSavedWindowState::damagedStatesAreRefused_data()
{
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<bool>("wellFormed");

    const QByteArray good =
        arrangedState([](QMainWindow*, const QList<QDockWidget*>&, const QList<QToolBar*>&) {});
    const QByteArray docked = dock("DisplayEvent", 1, {0, 200, 0, 0});
    QTest::newRow("written by hand, sound")
        << dockSection(2, sequence(1, docked)) + marked(0xfc, {1, 2, 0}) << true;
    QTest::newRow("nested as deep as any window") << nestedSequences(16) << true;
    QTest::newRow("floating tool bar within the screens") << floatingToolBar(400, 30) << true;

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("cut by one byte") << good.chopped(1) << false;
    QTest::newRow("another program's version") << fields({0xff, 3}) << false;
    // The count the damaged layout file held: Qt read on for minutes.
    QTest::newRow("tool bar items beyond the data")
        << header + marked(0xfc, {1, 2, 0x51546162}) << false;
    QTest::newRow("tool bar area outside the four") << header + marked(0xfc, {1, 4, 0}) << false;
    // Qt indexes its array of four areas with this number unchecked, and crashed.
    QTest::newRow("dock area outside the four") << dockSection(9, sequence(1, docked)) << false;
    QTest::newRow("dock items beyond the data")
        << dockSection(2, sequence(100000000, docked)) << false;
    QTest::newRow("dock name longer than the data")
        << dockSection(2, sequence(1, marked(0xfb, {0x7ffffff0}))) << false;
    QTest::newRow("nested deeper than any window") << nestedSequences(17) << false;
    // Qt would make these windows of gigabytes.
    QTest::newRow("floating tool bar larger than the screens")
        << floatingToolBar(30000, 60000) << false;
    QTest::newRow("floating dock larger than the screens")
        << dockSection(2, sequence(1, dock("DisplayData", 3, {10, 10, 300, 5000}))) << false;
}

void TestSavedWindowState::damagedStatesAreRefused()
{
    QFETCH(QByteArray, state);
    QFETCH(bool, wellFormed);
    QCOMPARE(::wellFormed(state), wellFormed);
}

// Every prefix of a rich state, and every byte of it set to values that read
// as markers, small and large counts: the ones that pass go to Qt, which must
// come back from each (a missed case hangs or crashes here) with no window
// larger than the screens.
void TestSavedWindowState::whateverPassesQtReadsAtOnce()
{
    const QByteArray state =
        arrangedState([](QMainWindow* w, const QList<QDockWidget*>& d, const QList<QToolBar*>&) {
            w->tabifyDockWidget(d[0], d[1]);
            w->splitDockWidget(d[2], d[3], Qt::Horizontal);
            w->addToolBarBreak();
        });
    QList<QDockWidget*> docks;
    QList<QToolBar*> bars;
    auto window = newWindow(&docks, &bars);
    // Damaged flags float docks; the offscreen platform remarks on each.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (!text.startsWith("This plugin does not support"))
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    int passed = 0;
    int refused = 0;
    QStringList oversized;
    const auto describe = [](QWidget* w) {
        return QString("%1 %2x%3").arg(w->objectName()).arg(w->width()).arg(w->height());
    };
    const auto tryState = [&](const QByteArray& s) {
        if (!wellFormed(s)) {
            ++refused;
            return;
        }
        ++passed;
        window->restoreState(s, kVersion);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->isWindow() && (w->width() > kLargest.width() || w->height() > kLargest.height()))
                oversized << describe(w);
        }
    };
    for (int length = 0; length < state.size(); ++length)
        tryState(state.left(length));
    for (int i = 0; i < state.size(); ++i) {
        for (char value : {'\x00', '\x7f', '\xfc', '\xff'}) {
            QByteArray damaged = state;
            damaged[i] = value;
            tryState(damaged);
        }
    }
    qInstallMessageHandler(previous);
    qInfo("%d states passed, %d refused", passed, refused);
    // Both outcomes occur, so the loop tested something either way.
    QVERIFY2(passed > 0 && refused > 0, qPrintable(QString("%1/%2").arg(passed).arg(refused)));
    QVERIFY2(oversized.isEmpty(), qPrintable(oversized.join(", ")));
    QVERIFY(window->restoreState(state, kVersion));
}

QTEST_MAIN(TestSavedWindowState)
#include "tst_savedwindowstate.moc"
