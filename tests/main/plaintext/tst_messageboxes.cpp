// Every box goes through one provider: a test's recorder when one is
// installed, real plain-text boxes otherwise.

#include "MessageBoxes.h"
#include "RecordingBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <functional>

using Ask = std::function<QMessageBox::StandardButton(
    const QString&, const QString&, QMessageBox::StandardButtons, QMessageBox::StandardButton)>;
Q_DECLARE_METATYPE(Ask)

template <auto box>
Ask asker()
{
    return [](const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
              QMessageBox::StandardButton defaultButton) {
        return box(nullptr, title, text, buttons, defaultButton);
    };
}

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(m_boxes.unsettled().isEmpty(), qPrintable(m_boxes.unsettled()));
        m_boxes.reset();
    }

    void asksInstalledProviderWithButtons_data();
    void asksInstalledProviderWithButtons();
    void boxesNobodyWaitsForShowOtherKindsAsInformation_data();
    void boxesNobodyWaitsForShowOtherKindsAsInformation();
    void installedProvidersNest();
    void windowLeavesTestsProviderInPlace();
    void recorderReportsBoxesNobodyExpected();
    void realBoxesShowTextLiterally();

private:
    RecordingBoxes m_boxes;
};

void TestMessageBoxes::asksInstalledProviderWithButtons_data()
{
    using B = QMessageBox;
    QTest::addColumn<Ask>("ask");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("answer");
    QTest::newRow("warning") << asker<MessageBoxes::warning>() << int(MessageBoxProvider::Warning)
                             << int(B::Ok | B::Cancel) << int(B::Cancel) << int(B::Ok);
    QTest::newRow("critical") << asker<MessageBoxes::critical>()
                              << int(MessageBoxProvider::Critical) << int(B::Ok) << int(B::NoButton)
                              << int(B::Ok);
    QTest::newRow("information") << asker<MessageBoxes::information>()
                                 << int(MessageBoxProvider::Information) << int(B::Ok)
                                 << int(B::NoButton) << int(B::Ok);
    QTest::newRow("question") << asker<MessageBoxes::question>()
                              << int(MessageBoxProvider::Question) << int(B::Yes | B::No)
                              << int(B::No) << int(B::Yes);
}

void TestMessageBoxes::asksInstalledProviderWithButtons()
{
    QFETCH(Ask, ask);
    QFETCH(int, kind);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, answer);
    MessageBoxes::ScopedProvider installed(&m_boxes);
    m_boxes.expect(answer);
    QCOMPARE(int(ask("Title", "<b>Text</b>", QMessageBox::StandardButtons(buttons),
                     QMessageBox::StandardButton(defaultButton))),
             answer);
    const QList<RecordedBox> shown = m_boxes.boxes();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, kind);
    QCOMPARE(shown[0].title, QString("Title"));
    QCOMPARE(shown[0].text, QString("<b>Text</b>"));
    QCOMPARE(shown[0].buttons, buttons);
    QCOMPARE(shown[0].defaultButton, defaultButton);
}

void TestMessageBoxes::boxesNobodyWaitsForShowOtherKindsAsInformation_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shown");
    QTest::newRow("warning") << 1 << int(MessageBoxProvider::Warning);
    QTest::newRow("critical") << 2 << int(MessageBoxProvider::Critical);
    QTest::newRow("information") << 0 << int(MessageBoxProvider::Information);
    QTest::newRow("question") << 3 << int(MessageBoxProvider::Information);
    QTest::newRow("other kind") << 7 << int(MessageBoxProvider::Information);
}

void TestMessageBoxes::boxesNobodyWaitsForShowOtherKindsAsInformation()
{
    QFETCH(int, kind);
    QFETCH(int, shown);
    MessageBoxes::ScopedProvider installed(&m_boxes);
    m_boxes.expect();
    MessageBoxes::tell(nullptr, kind, "Channel", "Answer lost");
    QCOMPARE(m_boxes.boxes().value(0).kind, shown);
    QCOMPARE(m_boxes.boxes().value(0).buttons, int(QMessageBox::Ok));
}

void TestMessageBoxes::installedProvidersNest()
{
    MessageBoxProvider* real = MessageBoxes::provider();
    RecordingBoxes inner;
    {
        MessageBoxes::ScopedProvider outerScope(&m_boxes);
        QCOMPARE(MessageBoxes::provider(), &m_boxes);
        {
            MessageBoxes::ScopedProvider innerScope(&inner);
            QCOMPARE(MessageBoxes::provider(), &inner);
        }
        QCOMPARE(MessageBoxes::provider(), &m_boxes);
    }
    QCOMPARE(MessageBoxes::provider(), real);
}

void TestMessageBoxes::windowLeavesTestsProviderInPlace()
{
    MessageBoxProvider* real = MessageBoxes::provider();
    RecordingBoxes window;
    {
        MessageBoxes::ScopedProvider installed(&m_boxes);
        MessageBoxes::installUnlessInstalled(&window);
        QCOMPARE(MessageBoxes::provider(), &m_boxes);
        MessageBoxes::uninstall(&window);
        QCOMPARE(MessageBoxes::provider(), &m_boxes);
    }
    MessageBoxes::installUnlessInstalled(&window);
    QCOMPARE(MessageBoxes::provider(), &window);
    MessageBoxes::uninstall(&window);
    QCOMPARE(MessageBoxes::provider(), real);
}

void TestMessageBoxes::recorderReportsBoxesNobodyExpected()
{
    RecordingBoxes boxes;
    QVERIFY(boxes.unsettled().isEmpty());
    // Closed with its default button, as a user who did not read it would.
    QCOMPARE(boxes.askMessageBox(nullptr, MessageBoxProvider::Question, "Quit", "Really?",
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
             int(QMessageBox::No));
    QVERIFY(boxes.unsettled().contains("\"Quit\": Really?"));
    QVERIFY(!boxes.boxes().value(0).expected);
    // A test that takes the boxes has seen them.
    QCOMPARE(boxes.take().size(), 1);
    QVERIFY(boxes.unsettled().isEmpty());
    boxes.expect(QMessageBox::Yes);
    QVERIFY(boxes.unsettled().contains("never shown"));
    boxes.openMessageBox(MessageBoxProvider::Critical, "UDP Error", "Lost");
    QVERIFY(boxes.unsettled().isEmpty());
    QVERIFY(boxes.boxes().value(0).expected);
}

void TestMessageBoxes::realBoxesShowTextLiterally()
{
    QString text;
    int format = -1;
    int icon = -1;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        format = int(box->textFormat());
        icon = int(box->icon());
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(MessageBoxes::question(nullptr, "ORVANE3", "<a href='x'>Shut down?</a>",
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
             QMessageBox::No);
    QCOMPARE(text, QString("<a href='x'>Shut down?</a>"));
    QCOMPARE(format, int(Qt::PlainText));
    QCOMPARE(icon, int(QMessageBox::Question));
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
