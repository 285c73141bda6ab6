// The main window's start-up against a simulated controller, as a user starts
// the program, and the message boxes it opens on behalf of other threads.

#include "ConnectedShell.h"

#include <QTextEdit>
#include <QtTest>

#include <thread>

namespace {
const QString kAddress = "127.0.10.1";
}

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<ConnectedShell>(); }
    void cleanup() { m_shell.reset(); }

    void startsWithEmptyCentralArea();
    void opensMessageBoxesFromOtherThreads_data();
    void opensMessageBoxesFromOtherThreads();

private:
    std::unique_ptr<ConnectedShell> m_shell;
};

void TestMainWindow::startsWithEmptyCentralArea()
{
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "old"}));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QCOMPARE(watcher.boxes().size(), 0);
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(w->objectName(), QString("MainWindow"));
    QCOMPARE(w->windowTitle(), QString("ORVANE3 basic"));
    QVERIFY(!w->windowIcon().isNull());
    auto* center = qobject_cast<QTextEdit*>(w->centralWidget());
    QVERIFY(center);
    QCOMPARE(center->size(), QSize(1, 1));
    QVERIFY(center->isHidden());
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
    QVERIFY(m_shell->startSim(kAddress));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    ModalWatcher watcher;
    std::thread worker([&w, kind] { w->openMessageBox(kind, "Channel", "Answer lost"); });
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
