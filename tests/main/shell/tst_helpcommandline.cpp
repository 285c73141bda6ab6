// The command-line help dialog as the user sees it.

#include "HelpCommandLine.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTextDocument>
#include <QtTest>

class TestHelpCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void formHasDesignedWidgets();
    void textListsOptionsAndExamples();
    void exitButtonClosesDialog();
    void windowCloseClosesDialog();
};

void TestHelpCommandLine::formHasDesignedWidgets()
{
    HelpCommandLine dialog;
    QCOMPARE(dialog.windowTitle(), QString("ORVANE3 Command Line Help"));
    QCOMPARE(dialog.size(), QSize(808, 498));

    for (const char* name :
         {"verticalLayout", "scrollArea", "scrollAreaWidgetContents", "verticalLayout_2", "label",
          "label_2", "line", "horizontalLayout", "pushButton_exit"}) {
        QVERIFY2(dialog.findChild<QObject*>(name), name);
    }

    auto* label = dialog.findChild<QLabel*>("label");
    QCOMPARE(label->maximumSize(), QSize(1000, 2000));
    QVERIFY(label->hasScaledContents());
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(label->textFormat(), Qt::RichText);
    QVERIFY(label->parentWidget() == dialog.findChild<QWidget*>("scrollAreaWidgetContents"));
    QVERIFY(dialog.findChild<QLabel*>("label_2")->text().isEmpty());

    auto* exit = dialog.findChild<QPushButton*>("pushButton_exit");
    QCOMPARE(exit->text(), QString("E&xit"));
    QCOMPARE(exit->maximumHeight(), 22);
    QVERIFY(!exit->autoDefault());
}

void TestHelpCommandLine::textListsOptionsAndExamples()
{
    HelpCommandLine dialog;
    const QString html = dialog.findChild<QLabel*>("label")->text();
    QVERIFY(html.contains("font-size:8pt"));
    QVERIFY(html.contains("-host &lt;name or IP&gt;"));
    QVERIFY(html.contains("-wakeup &lt;MAC&gt;"));

    QTextDocument doc;
    doc.setHtml(html);
    const QStringList lines = doc.toPlainText().split('\n');
    QCOMPARE(lines.first(), QString("ORVANE3 command line parameter:"));
    QVERIFY(lines.contains("Examples:"));
    for (const char* option :
         {"-directstart", "-host <name or IP>", "-measure", "-wakeup", "-wakeup <MAC>"}) {
        QVERIFY2(lines.contains(option), option);
    }
    QVERIFY(lines.contains("\tConnect with the last used Controller "));
    QVERIFY(lines.contains("\t(can be combined with -host and -measure)"));
    QVERIFY(lines.contains("\tMAC address and host name must be from the same Controller!"));
    QVERIFY(lines.contains("\tMAC address and IP number must be from the same Controller!"));

    static const QRegularExpression exampleLine("\\A(ORVANE3|Orvane3) -");
    const QStringList examples = lines.filter(exampleLine);
    QCOMPARE(examples.size(), 12);
    QCOMPARE(examples.first(), QString("ORVANE3 -directstart"));
    QCOMPARE(examples.last(),
             QString("Orvane3 -host 10.10.5.55 -wakeup 11:22:33:44:55:66 -measure"));
    // Every example is followed by its indented explanation.
    for (const QString& example : examples) {
        const int at = lines.indexOf(example);
        QVERIFY2(at + 1 < lines.size() && lines[at + 1].startsWith('\t'), qPrintable(example));
    }
}

void TestHelpCommandLine::exitButtonClosesDialog()
{
    HelpCommandLine dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::mouseClick(dialog.findChild<QPushButton*>("pushButton_exit"), Qt::LeftButton);
    });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
}

void TestHelpCommandLine::windowCloseClosesDialog()
{
    HelpCommandLine dialog;
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestHelpCommandLine)
#include "tst_helpcommandline.moc"
