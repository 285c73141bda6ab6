#ifndef ORVANE_TESTS_CONNECTLAB_H
#define ORVANE_TESTS_CONNECTLAB_H

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

#include "EndlessProgressDlg.h"
#include "NetLab.h"
#include "PasswordInputDialog.h"
#include "SimProcess.h"

// Enters the lab's PC, or skips the whole test when namespaces cannot be made here.
#define CONNECTLAB_ENTER(lab, tag)                                            \
    do {                                                                      \
        QString why;                                                          \
        if (!NetLab::available(&why))                                         \
            QSKIP(qPrintable("these tests need network namespaces: " + why)); \
        (lab) = std::make_unique<ConnectLab>(QStringLiteral(tag));            \
        QVERIFY((lab)->ok);                                                   \
    } while (false)

// Answers the password prompt as a user: types the password and presses OK, or cancels
// when there is none.  False when w is no prompt.
inline bool answerPasswordPrompt(QWidget* w, const QString& typed)
{
    auto* prompt = qobject_cast<PasswordInputDialog*>(w);
    if (!prompt)
        return false;
    if (typed.isEmpty()) {
        prompt->findChild<QPushButton*>(QStringLiteral("pushButton_Cancel"))->click();
        return true;
    }
    QTest::keyClicks(prompt->findChild<QLineEdit*>(QStringLiteral("lineEdit_Password")), typed);
    prompt->findChild<QPushButton*>(QStringLiteral("pushButton_Ok"))->click();
    return true;
}

// A modal-window handler that counts the wake-on-LAN waits and cancels each at once, and
// rejects any other dialog.
inline std::function<void(QWidget*)> countAndCancelWakeWaits(int& waits)
{
    return [&waits](QWidget* w) {
        if (auto* waiting = qobject_cast<EndlessProgressDlg*>(w)) {
            ++waits;
            waiting->findChild<QPushButton*>(QStringLiteral("pushButton_cancel"))->click();
        } else if (auto* d = qobject_cast<QDialog*>(w)) {
            d->reject();
        }
    };
}

// The PC of the connection tests: a namespace "pc" at 192.0.2.10/24 that the test thread
// lives in, so every look-up, broadcast and magic packet stays inside the lab.  Controllers
// run either on loopback addresses of the PC itself or on hosts of their own in the subnet.
struct ConnectLab
{
    explicit ConnectLab(const QString& tag) : net(tag)
    {
        ok = !net.addHost(QStringLiteral("pc")).isEmpty() &&
             !net.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24")).isEmpty() &&
             net.enter(QStringLiteral("pc"));
    }
    ~ConnectLab()
    {
        sims.clear();
        net.leave();
    }

    // A simulator inside the PC's namespace, listening on a loopback address.
    SimProcess* localSim(const QString& address, const QStringList& controlLines = {})
    {
        return startSim(address, QStringLiteral("pc"), controlLines);
    }
    // A simulator on a host of its own in the subnet; it listens on every address of that
    // host, so it hears broadcasts too.
    SimProcess* subnetSim(const QString& address, const QStringList& controlLines = {},
                          const QString& mac = {})
    {
        const QString host = QStringLiteral("tb%1").arg(++m_hosts);
        if (net.addHost(host).isEmpty() ||
            net.addInterface(host, address + QStringLiteral("/24"), mac).isEmpty())
            return nullptr;
        return startSim(QStringLiteral("0.0.0.0"), host, controlLines);
    }
    void stopSims() { sims.clear(); }

    NetLab net;
    std::vector<std::unique_ptr<SimProcess>> sims;  // stopped before the namespaces go
    bool ok = false;

private:
    int m_hosts = 0;

    SimProcess* startSim(const QString& address, const QString& host, const QStringList& lines)
    {
        auto sim = std::make_unique<SimProcess>();
        if (!sim->start(address, {}, net.ns(host)))
            return nullptr;
        for (const QString& line : lines) {
            if (!sim->control(line).startsWith(QLatin1String("ok")))
                return nullptr;
        }
        sims.push_back(std::move(sim));
        return sims.back().get();
    }
};

#endif
