// The main window's start-up steps that run before any connection, and the
// message boxes it opens on behalf of other threads.

#include "MainWindowProbe.h"
#include "ModalWatcher.h"
#include "ShellTestHome.h"

#include <QTextEdit>
#include <QtTest>

#include <thread>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<ShellTestHome>();
        m_home->writePreferences("<ORVANE/>");
    }
    void cleanup() { m_home.reset(); }

    void startsWithEmptyCentralArea();
    void opensMessageBoxesFromOtherThreads_data();
    void opensMessageBoxesFromOtherThreads();

private:
    std::unique_ptr<ShellTestHome> m_home;
};

void TestMainWindow::startsWithEmptyCentralArea()
{
    ModalWatcher watcher;
    MainWindowProbe w("");
    QCOMPARE(watcher.boxes().size(), 0);
    QCOMPARE(w.objectName(), QString("MainWindow"));
    QCOMPARE(w.windowTitle(), QString("ORVANE3 basic"));
    QVERIFY(!w.windowIcon().isNull());
    auto* center = qobject_cast<QTextEdit*>(w.centralWidget());
    QVERIFY(center);
    QCOMPARE(center->size(), QSize(1, 1));
    QVERIFY(center->isHidden());
    QVERIFY(!w.isEndingProcess());
}

void TestMainWindow::opensMessageBoxesFromOtherThreads_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << 1 << int(QMessageBox::Warning);
    QTest::newRow("critical") << 2 << int(QMessageBox::Critical);
    QTest::newRow("information") << 0 << int(QMessageBox::Information);
    QTest::newRow("other kind") << 7 << int(QMessageBox::Information);
}

void TestMainWindow::opensMessageBoxesFromOtherThreads()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    MainWindowProbe w("");
    ModalWatcher watcher;
    std::thread worker([&w, kind] { w.openMessageBox(kind, "Channel", "Answer lost"); });
    worker.join();
    // Nothing opens on the calling thread; the box comes with the event loop.
    QCOMPARE(watcher.boxes().size(), 0);
    QTRY_COMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QString("Channel"));
    QCOMPARE(watcher.boxes().first().text, QString("Answer lost"));
    QCOMPARE(int(watcher.boxes().first().icon), icon);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
