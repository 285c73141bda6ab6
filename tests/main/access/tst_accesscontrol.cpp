#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "AccessControl.h"
#include "AccessControlDialog.h"
#include "IOManagerUdp.h"
#include "IOManagerUdpTcp.h"
#include "PasswordInputDialog.h"
#include "SimProcess.h"
#include "ap_udptcp.h"

namespace {

// Answers the modal windows a dialog under test opens, one scripted step after the other.
// A message box that no step expects is recorded and closed, so a wrong path fails the test
// instead of hanging it.
class ModalScript : public QObject
{
public:
    using Match = std::function<bool(QWidget*)>;
    using Action = std::function<void(QWidget*)>;

    // The newest script answers; an older one in the same test falls silent.
    ModalScript()
    {
        s_current = this;
        m_clock.start();
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start();
    }

    ~ModalScript() override
    {
        if (s_current == this)
            s_current = nullptr;
    }

    void on(const QString& what, Match match, Action act)
    {
        m_steps.append({what, std::move(match), std::move(act)});
    }
    // A message box with this title and text; clicked is the button to press.
    void box(const QString& title, const QString& text,
             QMessageBox::StandardButton clicked = QMessageBox::Ok)
    {
        on(
            QStringLiteral("box '%1'").arg(text),
            [=](QWidget* w) {
                auto* b = qobject_cast<QMessageBox*>(w);
                return b && b->windowTitle() == title && b->text() == text;
            },
            [=](QWidget* w) {
                auto* b = static_cast<QMessageBox*>(w);
                QTest::mouseClick(b->button(clicked), Qt::LeftButton);
            });
    }
    template <class T>
    void dialog(const QString& what, std::function<void(T*)> act)
    {
        on(
            what, [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
            [act](QWidget* w) { act(static_cast<T*>(w)); });
    }

    // Steps never reached and boxes nobody expected; empty when all went to plan.
    QString problems() const
    {
        QStringList out = m_unexpected;
        for (const Step& step : m_steps)
            out << "not reached: " + step.what;
        return out.join(", ");
    }

private:
    struct Step
    {
        QString what;
        Match match;
        Action act;
    };

    void poll()
    {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        if (!w || s_current != this)
            return;
        // A failed check or a path nobody scripted would leave the test waiting in exec().
        if (QTest::currentTestFailed() || m_clock.elapsed() > 20000) {
            if (auto* d = qobject_cast<QDialog*>(w.data()))
                d->reject();
            return;
        }
        if (w == m_acting)
            return;
        if (!m_steps.isEmpty() && m_steps.first().match(w)) {
            const Step step = m_steps.takeFirst();
            m_acting = w;
            // Acted on from a timer of its own: the action may open a nested modal loop,
            // and this poll timer must keep running meanwhile.
            QTimer::singleShot(0, this, [this, w, step] {
                if (w)
                    step.act(w);
                if (m_acting == w)
                    m_acting = nullptr;
            });
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(w.data())) {
            m_unexpected << box->windowTitle() + ": " + box->text();
            box->reject();
        }
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    QList<Step> m_steps;
    QStringList m_unexpected;
    QPointer<QWidget> m_acting;
    static inline ModalScript* s_current = nullptr;
};

const QString kConfirm = QStringLiteral(
    "Changing the Controller's password will not only affect your profile but global "
    "Controller settings.\n\nContinue?");

// Whether the simulator logged text as a command received over its TCP connection (it logs
// each command before answering it, and the answer to the control line comes after).
bool sentOverTcp(SimProcess& sim, const QString& text)
{
    sim.control(QStringLiteral("stats"));
    for (const QString& line : sim.takeOutputLines()) {
        if (line.startsWith(QLatin1String("cmd tcp ")) &&
            line.section(QLatin1Char(' '), 3, -1).remove(QChar(0)).trimmed() == text)
            return true;
    }
    return false;
}

template <class T>
T* child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

}  // namespace

class AccessControlTest : public QObject
{
    Q_OBJECT

private slots:
    void passwordCharacterRule_data();
    void passwordCharacterRule();
    void protocolVersionDecidesSupport_data();
    void protocolVersionDecidesSupport();
    void protocolVersionIsReadOncePerController();
    void requirementAndVerification();
    void invalidPasswordIsNeverSent();
    void resettingNeedsTheCurrentPassword();
    void silentControllerIsACommunicationFailure();

    void promptAcceptsOnlyTheControllersPassword();

    void protectionDialogSetsFirstPassword();
    void protectionDialogClearsPasswordAfterAuthorisation();
    void protectionDialogOnOldControllerFailsToUpdate();
    void protectionDialogNeedsAReachableController();
    void escapeCancelsProtectionDialog();

private:
    // A simulator of its own for each test, on the next loopback address.
    SimProcess& startSim(const QStringList& args = {});
    unsigned int simIp() const { return ap_ip_name2ip(qPrintable(m_address)); }
    int udpCommands();
    void setPasswordOnController(const QString& password);
    std::unique_ptr<IOManagerUdpTcp> mainChannel();

    std::unique_ptr<SimProcess> m_sim;
    QString m_address;
    int m_next = 0;
};

SimProcess& AccessControlTest::startSim(const QStringList& args)
{
    m_address = QStringLiteral("127.0.6.%1").arg(++m_next);
    m_sim = std::make_unique<SimProcess>();
    if (!m_sim->start(m_address, args))
        qFatal("simulator did not start on %s", qPrintable(m_address));
    return *m_sim;
}

int AccessControlTest::udpCommands()
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("udp=(\\d+)")).match(m_sim->control("stats"));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void AccessControlTest::setPasswordOnController(const QString& password)
{
    IOManagerUdp io(nullptr);
    io.set_destination(simIp(), 50105);
    QCOMPARE(io.set_par("config new_frontend_password '%s'", qPrintable(password)), 0);
}

std::unique_ptr<IOManagerUdpTcp> AccessControlTest::mainChannel()
{
    auto io = std::make_unique<IOManagerUdpTcp>(nullptr);
    unsigned short dataPort = 0;
    if (io->init(qPrintable(m_address), 50105, &dataPort) != 0)
        return nullptr;
    return io;
}

void AccessControlTest::passwordCharacterRule_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("valid");
    QTest::newRow("letters and digits") << "Secret42" << true;
    QTest::newRow("every allowed sign") << "a_b-c+d.e/f" << true;
    QTest::newRow("single character") << "x" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << "two words" << false;
    QTest::newRow("single quote") << "it's" << false;
    QTest::newRow("double quote") << "say\"hi" << false;
    QTest::newRow("percent") << "100%" << false;
    QTest::newRow("umlaut") << QString::fromUtf8("m\xc3\xbc") << false;
}

void AccessControlTest::passwordCharacterRule()
{
    QFETCH(QString, password);
    QFETCH(bool, valid);
    QCOMPARE(AccessControl::isValidPassword(password), valid);
}

void AccessControlTest::protocolVersionDecidesSupport_data()
{
    QTest::addColumn<QString>("reported");
    QTest::addColumn<bool>("supported");
    QTest::addColumn<int>("err");
    QTest::newRow("v1.23") << "v1.23" << false << 0;
    QTest::newRow("v1.24") << "v1.24" << true << 0;
    QTest::newRow("v1.24-beta") << "v1.24-beta" << true << 0;
    QTest::newRow("V1.24.2 build") << "V1.24.2 build 9" << true << 0;
    QTest::newRow("v1.100 numeric") << "v1.100" << true << 0;
    QTest::newRow("v2 without minor") << "v2" << true << 0;
    QTest::newRow("v1.9") << "v1.9" << false << 0;
    QTest::newRow("unreadable") << "beta" << false << -12;
}

void AccessControlTest::protocolVersionDecidesSupport()
{
    QFETCH(QString, reported);
    QFETCH(bool, supported);
    QFETCH(int, err);
    startSim();
    QVERIFY(m_sim->control("set system protocol_version = " + reported).startsWith("ok"));

    AccessControl ac(simIp(), 0);
    QCOMPARE(ac.port(), 50105);
    int code = 99;
    QCOMPARE(ac.supportsPassword(&code), supported);
    QCOMPARE(code, err);
    // A controller too old for passwords never requires one, and that is no error.
    code = 99;
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, err);
}

void AccessControlTest::protocolVersionIsReadOncePerController()
{
    startSim();
    AccessControl ac(simIp(), 50105);
    QVERIFY(ac.supportsPassword());
    const int afterFirst = udpCommands();
    QVERIFY(ac.supportsPassword());
    QCOMPARE(udpCommands(), afterFirst);
    QVERIFY(ac.protocolVersion() >= ORVANE_PROTOCOL_REQUIRED);

    // Another controller has a version of its own.
    const std::unique_ptr<SimProcess> first = std::move(m_sim);
    startSim();
    QVERIFY(m_sim->control("set system protocol_version = v1.23").startsWith("ok"));
    ac.setControllerIp(simIp());
    int code = 99;
    QCOMPARE(ac.supportsPassword(&code), false);
    QCOMPARE(code, 0);
}

void AccessControlTest::requirementAndVerification()
{
    startSim();
    AccessControl ac(simIp(), 0);
    int code = 99;
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, 0);

    setPasswordOnController("s3cret/+");
    QCOMPARE(ac.requiresPassword(&code), true);
    QCOMPARE(code, 0);
    QCOMPARE(ac.verifyPassword("s3cret/+", &code), true);
    QCOMPARE(code, 0);
    QCOMPARE(ac.verifyPassword("s3cret", &code), false);
    QCOMPARE(code, -21);

    // Neither "yes" nor "no" is no answer the front-end can act on.
    QVERIFY(m_sim->control("raw config is_frontend_password none | maybe").startsWith("ok"));
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, -12);
}

void AccessControlTest::invalidPasswordIsNeverSent()
{
    startSim();
    setPasswordOnController("abc");
    AccessControl ac(simIp(), 0);
    QVERIFY(ac.supportsPassword());
    const int before = udpCommands();
    int code = 0;
    for (const QString& bad :
         {QStringLiteral("a bc"), QStringLiteral("abc' or 'x"), QStringLiteral("")}) {
        code = 0;
        QCOMPARE(ac.verifyPassword(bad, &code), false);
        QCOMPARE(code, -22);
    }
    QCOMPARE(udpCommands(), before);
}

void AccessControlTest::resettingNeedsTheCurrentPassword()
{
    startSim();
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    AccessControl ac(simIp(), 0);
    int code = 99;

    QCOMPARE(ac.resetPassword("first", QString(), io.get(), &code), true);
    QCOMPARE(code, 0);
    QVERIFY(ac.requiresPassword());

    QCOMPARE(ac.resetPassword("second", "wrong", io.get(), &code), false);
    QCOMPARE(code, -21);
    QCOMPARE(ac.resetPassword("bad pass", "first", io.get(), &code), false);
    QCOMPARE(code, -22);
    QCOMPARE(ac.resetPassword("second", "first", nullptr, &code), false);
    QCOMPARE(code, -12);
    QVERIFY(ac.verifyPassword("first"));

    QCOMPARE(ac.resetPassword("second", "first", io.get(), &code), true);
    QVERIFY(ac.verifyPassword("second"));

    // An empty new password clears the protection.
    QCOMPARE(ac.resetPassword(QString(), "second", io.get(), &code), true);
    QCOMPARE(code, 0);
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, 0);
}

void AccessControlTest::silentControllerIsACommunicationFailure()
{
    startSim();
    QVERIFY(m_sim->control("silent on").startsWith("ok"));
    AccessControl ac(simIp(), 0);
    int code = 0;
    QCOMPARE(ac.supportsPassword(&code), false);
    QCOMPARE(code, -12);
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, -12);
    QCOMPARE(ac.verifyPassword("abc", &code), false);
    QCOMPARE(code, -12);
}

void AccessControlTest::promptAcceptsOnlyTheControllersPassword()
{
    startSim();
    setPasswordOnController("open/sesame");
    AccessControl ac(simIp(), 0);
    PasswordInputDialog dlg(&ac);
    auto* field = child<QLineEdit>(&dlg, "lineEdit_Password");
    auto* ok = child<QPushButton>(&dlg, "pushButton_Ok");
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Access Control"));
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->maxLength(), 128);

    ModalScript script;
    auto attempt = [&](const QString& text, const QString& message) {
        script.dialog<PasswordInputDialog>("prompt: " + text, [=](PasswordInputDialog* d) {
            QCOMPARE(child<QLabel>(d, "label_Mission")->text(),
                     QStringLiteral("Authorize with valid password"));
            field->clear();
            QTest::keyClicks(field, text);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        if (!message.isEmpty())
            script.box("Warning", message);
    };
    attempt(QString(), "Please enter the password for this controller.");
    attempt("open sesame", "The password is incorrect.");
    attempt("open/sesam", "The password is incorrect.");
    attempt("open/sesame", QString());

    const int result = dlg.update_and_exec(QStringLiteral("Authorize with valid password"));
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(dlg.accepted());
    QCOMPARE(dlg.input(), QStringLiteral("open/sesame"));
    QVERIFY(field->text().isEmpty());

    // A controller that stops answering cannot verify anything.
    QVERIFY(m_sim->control("silent on").startsWith("ok"));
    ModalScript again;
    again.dialog<PasswordInputDialog>("prompt", [=](PasswordInputDialog*) {
        QTest::keyClicks(field, "open/sesame");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    again.box("Warning", "Failed to verify password.");
    again.dialog<PasswordInputDialog>("cancel", [&](PasswordInputDialog* d) {
        QVERIFY(field->text().isEmpty());
        QTest::mouseClick(child<QPushButton>(d, "pushButton_Cancel"), Qt::LeftButton);
    });
    QCOMPARE(dlg.update_and_exec("Authorize with valid password"), int(QDialog::Rejected));
    QVERIFY2(again.problems().isEmpty(), qPrintable(again.problems()));
    QVERIFY(!dlg.accepted());
}

void AccessControlTest::protectionDialogSetsFirstPassword()
{
    startSim();
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    AccessControlDialog dlg(io.get());
    auto* check = child<QCheckBox>(&dlg, "checkBox_EnableAccessControl");
    auto* pw = child<QLineEdit>(&dlg, "lineEdit_NewPassword");
    auto* repeat = child<QLineEdit>(&dlg, "lineEdit_NewPasswordRepeat");
    auto* status = child<QLabel>(&dlg, "label_NewPasswordStatus");
    auto* ok = child<QPushButton>(&dlg, "pushButton_Ok");

    ModalScript script;
    script.dialog<AccessControlDialog>("disabled state", [&](AccessControlDialog*) {
        QVERIFY(!check->isChecked());
        QVERIFY(check->isEnabled());
        QVERIFY(!pw->isEnabled());
        QVERIFY(!repeat->isEnabled());
        QVERIFY(!ok->isEnabled());
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(check->isChecked());
        QVERIFY(pw->isEnabled());
        QVERIFY(!repeat->isEnabled());
        QVERIFY(!ok->isEnabled());

        QTest::keyClicks(pw, "no way");
        QCOMPARE(status->text(), QStringLiteral("Invalid password!"));
        QCOMPARE(status->styleSheet(), QStringLiteral("color: red;"));
        QCOMPARE(pw->styleSheet(), QStringLiteral("background-color: red;"));
        QVERIFY(!repeat->isEnabled());

        pw->clear();
        QTest::keyClicks(pw, "new.pass");
        QCOMPARE(status->text(), QString());
        QCOMPARE(pw->styleSheet(), QString());
        QVERIFY(repeat->isEnabled());
        QTest::keyClicks(repeat, "new.pas");
        QCOMPARE(status->text(), QStringLiteral("Not matching."));
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(repeat, "s");
        QCOMPARE(status->text(), QStringLiteral("Matching."));
        QCOMPARE(status->styleSheet(), QStringLiteral("color: green;"));
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    script.box("Password Settings", kConfirm, QMessageBox::Cancel);
    script.dialog<AccessControlDialog>("still open", [&](AccessControlDialog*) {
        QVERIFY(check->isEnabled());
        QCOMPARE(repeat->text(), QStringLiteral("new.pass"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    script.box("Password Settings", kConfirm, QMessageBox::Ok);

    QCOMPARE(dlg.update_and_exec(), 1);
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));
    AccessControl ac(simIp(), 0);
    QVERIFY(ac.requiresPassword());
    QVERIFY(ac.verifyPassword("new.pass"));
}

void AccessControlTest::protectionDialogClearsPasswordAfterAuthorisation()
{
    startSim();
    setPasswordOnController("current1");
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    QVERIFY(m_sim->control("log on").startsWith("ok"));
    AccessControlDialog dlg(io.get());
    auto* check = child<QCheckBox>(&dlg, "checkBox_EnableAccessControl");
    auto* ok = child<QPushButton>(&dlg, "pushButton_Ok");

    ModalScript script;
    script.dialog<AccessControlDialog>("enabled state", [&](AccessControlDialog*) {
        QVERIFY(check->isChecked());
        QVERIFY(child<QLineEdit>(&dlg, "lineEdit_NewPassword")->isEnabled());
        QVERIFY(!ok->isEnabled());
        QTest::mouseClick(check, Qt::LeftButton);
        // Switching off a set password needs nothing more than OK, which has the focus.
        QVERIFY(ok->isEnabled());
        QVERIFY(!child<QLineEdit>(&dlg, "lineEdit_NewPassword")->isEnabled());
        QCOMPARE(dlg.focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Return);
    });
    script.box("Password Settings", kConfirm);
    script.dialog<PasswordInputDialog>("wrong current", [](PasswordInputDialog* d) {
        QCOMPARE(child<QLabel>(d, "label_Mission")->text(),
                 QStringLiteral("Authorize with current password"));
        QTest::keyClicks(child<QLineEdit>(d, "lineEdit_Password"), "current2");
        QTest::mouseClick(child<QPushButton>(d, "pushButton_Ok"), Qt::LeftButton);
    });
    script.box("Warning", "The password is incorrect.");
    script.dialog<PasswordInputDialog>("right current", [](PasswordInputDialog* d) {
        QTest::keyClicks(child<QLineEdit>(d, "lineEdit_Password"), "current1");
        QTest::mouseClick(child<QPushButton>(d, "pushButton_Ok"), Qt::LeftButton);
    });

    QCOMPARE(dlg.update_and_exec(), 1);
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));
    AccessControl ac(simIp(), 0);
    int code = 99;
    QCOMPARE(ac.requiresPassword(&code), false);
    QCOMPARE(code, 0);
    // The write went over the main channel, not the connection-less one.
    QVERIFY(sentOverTcp(*m_sim, "orvane2 set config new_frontend_password none"));
}

void AccessControlTest::protectionDialogOnOldControllerFailsToUpdate()
{
    startSim();
    QVERIFY(m_sim->control("set system protocol_version = v1.23").startsWith("ok"));
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    AccessControlDialog dlg(io.get());
    auto* check = child<QCheckBox>(&dlg, "checkBox_EnableAccessControl");
    auto* ok = child<QPushButton>(&dlg, "pushButton_Ok");
    ModalScript script;
    script.dialog<AccessControlDialog>("disabled state", [&](AccessControlDialog*) {
        QVERIFY(!check->isChecked());
        QVERIFY(!ok->isEnabled());
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::keyClicks(child<QLineEdit>(&dlg, "lineEdit_NewPassword"), "abc");
        QTest::keyClicks(child<QLineEdit>(&dlg, "lineEdit_NewPasswordRepeat"), "abc");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    script.box("Password Settings", kConfirm);
    script.box("Error", "Failed to update password settings on controller.");
    script.dialog<AccessControlDialog>("cancel", [&](AccessControlDialog*) {
        QVERIFY(check->isEnabled());
        QTest::mouseClick(child<QPushButton>(&dlg, "pushButton_Cancel"), Qt::LeftButton);
    });
    QCOMPARE(dlg.update_and_exec(), 0);
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));
}

void AccessControlTest::protectionDialogNeedsAReachableController()
{
    startSim();
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    QVERIFY(m_sim->control("error system ethernet_ip").startsWith("ok"));
    AccessControlDialog dlg(io.get());
    ModalScript script;
    script.box("Error", "Controller unreachable.");
    QCOMPARE(dlg.update_and_exec(), 0);
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));

    // Reachable over the main channel, but the password question goes unanswered.
    QVERIFY(m_sim->control("clear system ethernet_ip").startsWith("ok"));
    QVERIFY(m_sim->control("raw system protocol_version | orvane2 err 5 not now").startsWith("ok"));
    ModalScript second;
    second.box("Error",
               "Failed to obtain authentication requirements.\nNo connection to Controller?");
    QCOMPARE(dlg.update_and_exec(), 0);
    QVERIFY2(second.problems().isEmpty(), qPrintable(second.problems()));
}

void AccessControlTest::escapeCancelsProtectionDialog()
{
    startSim();
    std::unique_ptr<IOManagerUdpTcp> io = mainChannel();
    QVERIFY(io);
    AccessControlDialog dlg(io.get());
    ModalScript script;
    script.dialog<AccessControlDialog>(
        "escape", [](AccessControlDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(dlg.update_and_exec(), 0);
    QVERIFY2(script.problems().isEmpty(), qPrintable(script.problems()));
    QVERIFY(!AccessControl(simIp(), 0).requiresPassword());
}

QTEST_MAIN(AccessControlTest)
#include "tst_accesscontrol.moc"
