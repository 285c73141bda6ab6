// Answer matching, value parsing, error-box texts and the version check: the
// parts of the command channel that work on texts alone.

#include <QtTest>

#include <cstring>
#include <utility>

#include "AnswerParsing_p.h"
#include "IOManagerUdpTcp.h"

using namespace iomanager_detail;

class TestAnswerParsing : public QObject
{
    Q_OBJECT

private slots:
    void tokenize_data();
    void tokenize();
    void checkPrefix_data();
    void checkPrefix();
    void parseInt_data();
    void parseInt();
    void parseDoubleAndYn();
    void errorBox_data();
    void errorBox();
    void checkVersion_data();
    void checkVersion();
    void writeNeedsExactlyOk();
    void transportSeesConfiguration_data();
    void transportSeesConfiguration();
    void configurationStepsAsideForNestedCommand();
};

static QStringList tokensOf(const char* text)
{
    Token tokens[MaxTokens];
    const int n = iomanager_detail::tokenize(text, tokens, MaxTokens);
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::fromLatin1(text + tokens[i].start, tokens[i].length);
    return out;
}

void TestAnswerParsing::tokenize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");

    QTest::newRow("words") << "orvane2 set a b" << QStringList{"orvane2", "set", "a", "b"};
    QTest::newRow("double blank gives empty token") << "a  b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing blank gives nothing") << "a b " << QStringList{"a", "b"};
    QTest::newRow("single quotes keep blanks")
        << "name 'my body' 3" << QStringList{"name", "'my body'", "", "3"};
    QTest::newRow("double quotes keep blanks")
        << "full_name \"a b c\"" << QStringList{"full_name", "\"a b c\""};
    QTest::newRow("quoted then trailing blank") << "x 'y' " << QStringList{"x", "'y'"};
    QTest::newRow("unterminated quote runs to end") << "x 'y z" << QStringList{"x", "'y z"};
}

void TestAnswerParsing::tokenize()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(tokensOf(text.toLatin1().constData()), tokens);
}

void TestAnswerParsing::checkPrefix_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("rest");  // null: no match

    const QString none;
    QTest::newRow("value") << "orvane2 set status active mea"
                           << "orvane2 set status active "
                           << "mea";
    QTest::newRow("leading zeros") << "orvane2 set status number_of_rays c1 12"
                                   << "orvane2 set status number_of_rays c01 "
                                   << "12";
    QTest::newRow("all zeros") << "orvane2 set x c00 5"
                               << "orvane2 set x c0 "
                               << "5";
    QTest::newRow("nothing after prefix is empty value") << "orvane2 set status active"
                                                         << "orvane2 set status active "
                                                         << "";
    QTest::newRow("error answer") << "orvane2 err 3 unknown parameter"
                                  << "orvane2 set status active " << none;
    QTest::newRow("trailing letter") << "orvane2 set x c1x 5"
                                     << "orvane2 set x c1 " << none;
    QTest::newRow("number missing") << "orvane2 set x c 5"
                                    << "orvane2 set x c1 " << none;
    QTest::newRow("decimals are not numbered names") << "orvane2 set x 1.50 5"
                                                     << "orvane2 set x 1.5 " << none;
    QTest::newRow("other letters") << "orvane2 set x b01 5"
                                   << "orvane2 set x c01 " << none;
    // The blank after a closing mark is an empty token of its own, so the
    // value starts there.
    QTest::newRow("quoted answer token") << "orvane2 set body 'Wand' 3"
                                         << "orvane2 set body Wand "
                                         << " 3";
    QTest::newRow("quoted inner is start of other") << "orvane2 set body 'Wa' 3"
                                                    << "orvane2 set body Wand "
                                                    << " 3";
    QTest::newRow("quoted inner longer than other") << "orvane2 set body 'Wandering' 3"
                                                    << "orvane2 set body Wand " << none;
    QTest::newRow("empty token against word") << "orvane2 set  x 1"
                                              << "orvane2 set x " << none;
    QTest::newRow("empty tokens on both sides") << "orvane2 set a  b 7"
                                                << "orvane2 set a  b "
                                                << "7";
    QTest::newRow("empty prefix") << "anything at all"
                                  << ""
                                  << "anything at all";
}

void TestAnswerParsing::checkPrefix()
{
    QFETCH(QString, answer);
    QFETCH(QString, prefix);
    QFETCH(QString, rest);
    const QByteArray a = answer.toLatin1();
    const int offset = check_prefix(a.constData(), prefix.toLatin1().constData());
    if (rest.isNull()) {
        QCOMPARE(offset, -1);
    } else {
        QVERIFY(offset >= 0 && offset <= a.size());
        QCOMPARE(QString::fromLatin1(a.constData() + offset), rest);
    }
}

void TestAnswerParsing::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("one") << "42" << 1 << 0 << QList<int>{42};
    QTest::newRow("too few values") << "1 2" << 3 << -33 << QList<int>{1, 2, 99};
    QTest::newRow("too many values") << "1 2 3" << 2 << -33 << QList<int>{1, 2, 99};
    QTest::newRow("bad middle value") << "1 x 3" << 3 << -34 << QList<int>{1, 0, 99};
    QTest::newRow("fraction is no integer") << "1.5" << 1 << -34 << QList<int>{0, 99, 99};
    QTest::newRow("trailing garbage") << "12abc" << 1 << -34 << QList<int>{0, 99, 99};
    QTest::newRow("empty text") << "" << 1 << -33 << QList<int>{99, 99, 99};
    QTest::newRow("count below one") << "1" << 0 << -31 << QList<int>{99, 99, 99};
}

void TestAnswerParsing::parseInt()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(int, result);
    QFETCH(QList<int>, values);
    int out[4] = {99, 99, 99, 99};
    QCOMPARE(parse_int_values(text.toLatin1().constData(), out, length), result);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(out[i], values.at(i));
    // Never written past the requested count.
    QCOMPARE(out[3], 99);
}

void TestAnswerParsing::parseDoubleAndYn()
{
    double d[3] = {-1, -1, -1};
    QCOMPARE(parse_double_values("1.5 -2e3 .25", d, 3), 0);
    QCOMPARE(d[2], 0.25);
    // The decimal point is '.', whatever the locale says.
    QCOMPARE(parse_double_values("1,5", d, 1), -34);
    QCOMPARE(d[0], 0.0);
    QCOMPARE(parse_double_values("0x10", d, 1), -34);

    bool b[2] = {false, true};
    QCOMPARE(parse_yn_values("yes no", b, 2), 0);
    QVERIFY(b[0] && !b[1]);
    QCOMPARE(parse_yn_values("Yes", b, 1), -34);
    QCOMPARE(parse_yn_values("no", b, 2), -33);
    QCOMPARE(parse_yn_values(nullptr, b, 1), -31);
    QCOMPARE(parse_double_values("1", nullptr, 1), -31);
}

void TestAnswerParsing::errorBox_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QString cmd = "orvane2 tracking start";
    const QString generic = "Command Error";
    const QString failed = "Command Failed";
    QTest::newRow("generic") << "orvane2 err 3 unknown parameter" << generic
                             << cmd + "\norvane2 err 3 unknown parameter";
    QTest::newRow("too few parts") << "orvane2 err -99 1" << generic << cmd + "\norvane2 err -99 1";
    QTest::newRow("reference target") << "orvane2 err -99 1 0" << failed
                                      << "Measurement start failed:\nReference target cannot be "
                                         "tracked\n(see 'Event Display' for details)";
    QTest::newRow("two bodies")
        << "orvane2 err -99 1 1 similar" << failed
        << "Measurement start failed:\nThere are 2 bodies that are equal "
           "or too similar to be tracked\n(see 'Event Display' for details)";
    QTest::newRow("quoted count") << "orvane2 err -99 \"1\" '4'" << failed
                                  << "Measurement start failed:\nThere are 4 bodies that are equal "
                                     "or too similar to be tracked\n (see 'Event Display' for "
                                     "details)";
    QTest::newRow("placeholder text stays text")
        << "orvane2 err -99 1 %2%1" << failed
        << "Measurement start failed:\nThere are %2%1 bodies that are equal or too similar to be "
           "tracked\n (see 'Event Display' for details)";
    QTest::newRow("fourth part not 1")
        << "orvane2 err -99 2 3" << generic << cmd + "\norvane2 err -99 2 3";
}

void TestAnswerParsing::errorBox()
{
    QFETCH(QString, answer);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const ErrorBox box =
        error_box_for_answer("orvane2 tracking start", answer.toLatin1().constData());
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text);
}

void TestAnswerParsing::checkVersion_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<bool>("ok");

    QTest::newRow("numeric patch") << "v0.2.10"
                                   << "v0.2.8" << true;
    QTest::newRow("newer minor") << "v0.3.0"
                                 << "v0.2.8" << true;
    QTest::newRow("older patch") << "v0.2.7"
                                 << "v0.2.8" << false;
    QTest::newRow("missing patch counts 0") << "v1.0"
                                            << "v0.2.8" << true;
    QTest::newRow("same") << "v0.2.8"
                          << "v0.2.8" << true;
    QTest::newRow("suffix ignored") << "v0.2.8b3"
                                    << "v0.2.8" << true;
    QTest::newRow("suffix does not raise") << "v0.2.7rc9"
                                           << "v0.2.8" << false;
    QTest::newRow("upper case") << "V0.2.8"
                                << "v0.2.8" << true;
    QTest::newRow("words after blank") << "v0.2.9 (build 17)"
                                       << "v0.2.8" << true;
    QTest::newRow("older major") << "v0.9.9"
                                 << "v1.0.0" << false;
    QTest::newRow("empty minimum is 0.2.2") << "v0.2.2"
                                            << "" << true;
    QTest::newRow("below empty minimum") << "v0.2.1"
                                         << "" << false;
    QTest::newRow("read failure default") << "v0.0.0"
                                          << "v0.2.8" << false;
    QTest::newRow("garbage is 0.0.0") << "unknown"
                                      << "v0.0.1" << false;
    QTest::newRow("controller default") << "v2.9.4"
                                        << "v0.2.8" << true;
}

void TestAnswerParsing::checkVersion()
{
    QFETCH(QString, actual);
    QFETCH(QString, minimum);
    QFETCH(bool, ok);
    QCOMPARE(IOManagerUdpTcp::checkVersion(actual, minimum), ok);
}

// A transport that answers every command with one fixed text.
class ScriptedChannel : public IOManager
{
public:
    QByteArray answer;

protected:
    int execute_command(char* result, const char*) override
    {
        qstrncpy(result, answer.constData(), MaxTextLength + 1);
        return 0;
    }
};

void TestAnswerParsing::writeNeedsExactlyOk()
{
    ScriptedChannel io;
    io.answer = "orvane2 ok";
    QCOMPARE(io.set_par("system hostname x"), 0);
    for (const char* other : {"orvane2 ok ", "orvane2 okay", "orvane2 set system hostname x", ""}) {
        io.answer = other;
        QCOMPARE(io.set_par("system hostname x"), -34);
    }
    QVERIFY(!io.isCmdPending());
}

// What a transport reads of the running command, once per command; with
// nestedCommand set it steps aside as the measurement notices do and runs
// that command from inside its own exchange.
class ConfigurationProbe : public IOManager
{
public:
    struct View
    {
        QByteArray command;
        bool async;
        int timeoutMs;
    };
    QList<View> views;
    QByteArray nestedCommand;

protected:
    int execute_command(char* result, const char*) override
    {
        views.append({currentCommand(), sendsAsynchronously(), configuredTimeoutMs()});
        if (!nestedCommand.isEmpty()) {
            const QByteArray nested = std::exchange(nestedCommand, QByteArray());
            const SuspendedConfiguration saved = suspend_configuration();
            sem_release(5);
            char answer[MaxTextLength + 1] = {};
            execute_cmd(answer, "%s", nested.constData());
            sem_acquire(5);
            resume_configuration(saved);
            views.append({currentCommand(), sendsAsynchronously(), configuredTimeoutMs()});
        }
        qstrncpy(result, "orvane2 ok", MaxTextLength + 1);
        return 0;
    }
};

void TestAnswerParsing::transportSeesConfiguration_data()
{
    QTest::addColumn<bool>("configure");
    QTest::addColumn<bool>("async");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<int>("externalUs");
    QTest::addColumn<int>("seenTimeoutMs");

    QTest::newRow("plain") << false << false << 0 << 2000000 << -1;
    QTest::newRow("raised to the external time-out") << true << false << 700 << 2000000 << 2000;
    QTest::newRow("longer than the external time-out") << true << false << 3000 << 2000000 << 3000;
    QTest::newRow("longer external time-out") << true << false << 100 << 5000000 << 5000;
    QTest::newRow("asynchronous") << true << true << 3000 << 2000000 << 3000;
}

void TestAnswerParsing::transportSeesConfiguration()
{
    QFETCH(bool, configure);
    QFETCH(bool, async);
    QFETCH(int, timeoutMs);
    QFETCH(int, externalUs);
    QFETCH(int, seenTimeoutMs);

    ConfigurationProbe io;
    io.set_external_cmd_timeout(externalUs);
    if (configure)
        QCOMPARE(io.configure_next_cmd(async, timeoutMs, true), 0);
    char answer[IOManager::MaxTextLength + 1] = {};
    QCOMPARE(io.execute_cmd(answer, "orvane2 get status active"), 0);
    io.execute_cmd(answer, "orvane2 get system version");

    QCOMPARE(io.views.size(), 2);
    QCOMPARE(io.views[0].command, QByteArray("orvane2 get status active"));
    QCOMPARE(io.views[0].async, async);
    QCOMPARE(io.views[0].timeoutMs, seenTimeoutMs);
    // The configuration applied to one command only.
    QCOMPARE(io.views[1].command, QByteArray("orvane2 get system version"));
    QVERIFY(!io.views[1].async);
    QCOMPARE(io.views[1].timeoutMs, -1);
    QVERIFY(!io.isCmdPending());
}

void TestAnswerParsing::configurationStepsAsideForNestedCommand()
{
    ConfigurationProbe io;
    io.nestedCommand = "orvane2 get status active";
    QCOMPARE(io.configure_next_cmd(false, 3000, true), 0);
    char answer[IOManager::MaxTextLength + 1] = {};
    QCOMPARE(io.execute_cmd(answer, "orvane2 tracking start"), 0);

    QCOMPARE(io.views.size(), 3);
    // "tracking start" takes over the configuration with its own 5 s.
    QCOMPARE(io.views[0].timeoutMs, 5000);
    QCOMPARE(io.views[1].command, QByteArray("orvane2 get status active"));
    QCOMPARE(io.views[1].timeoutMs, -1);
    QVERIFY(!io.views[1].async);
    QCOMPARE(io.views[2].timeoutMs, 5000);
    QVERIFY(!io.isCmdPending());
}

QTEST_GUILESS_MAIN(TestAnswerParsing)
#include "tst_answerparsing.moc"
