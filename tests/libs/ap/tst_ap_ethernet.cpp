// Interface look-up, inside namespaced hosts whose interfaces the test chooses.

#include <QtTest>

#include <cstring>

#include "NetLab.h"
#include "ap_ethernet.h"

namespace {

QByteArray hwText(const unsigned char* hw)
{
    return QByteArray(reinterpret_cast<const char*>(hw), 6).toHex(':');
}

struct Entry
{
    uint32_t ip = 0, brip = 1, mask = 0;
    unsigned char hw[6] = {};
    int rc = 99;
};

Entry entry(int id)
{
    Entry e;
    e.rc = ap_eth_getsocket(&e.ip, &e.brip, &e.mask, e.hw, id);
    return e;
}

}  // namespace

class TestApEthernet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        if (!NetLab::available(&why))
            QSKIP(qPrintable(why));
    }

    void loopbackOnlyHostHasNoEntries()
    {
        NetLab lab(QStringLiteral("ethlo"));
        lab.addHost(QStringLiteral("bare"));
        QVERIFY(lab.enter(QStringLiteral("bare")));
        uint32_t ip = 7;
        unsigned char hw[6] = {1, 2, 3, 4, 5, 6};
        const int byId = ap_eth_getsocket(&ip, nullptr, nullptr, hw, 0);
        const int bySubnet = ap_eth_searchsocket(&ip, nullptr, hw, 0x7F000000u, 0xFF000000u);
        lab.leave();
        QCOMPARE(byId, 1);
        QCOMPARE(bySubnet, -1);
        QCOMPARE(ip, 7u);
        QCOMPARE(hw[0], 1);
    }

    void interfacesWithAndWithoutBroadcast()
    {
        NetLab lab(QStringLiteral("eth"));
        lab.addHost(QStringLiteral("pc"));
        QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24"),
                                  QStringLiteral("02:00:5e:10:00:01")),
                 QStringLiteral("eth0"));
        QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("198.51.100.7/25"),
                                  QStringLiteral("02:00:5e:10:00:02")),
                 QStringLiteral("eth1"));
        // Down: not counted.
        QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("203.0.113.9/24")),
                 QStringLiteral("eth2"));
        QVERIFY(lab.run(QStringLiteral("pc"),
                        {QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"),
                         QStringLiteral("eth2"), QStringLiteral("down")}));
        // Point-to-point: counted, without a broadcast address.
        QString out;
        const bool tun = lab.run(QStringLiteral("pc"),
                                 {QStringLiteral("sh"), QStringLiteral("-c"),
                                  QStringLiteral("ip tuntap add dev tun0 mode tun && "
                                                 "ip addr add 203.0.113.77/28 dev tun0 && "
                                                 "ip link set tun0 up")},
                                 &out);

        QVERIFY(lab.enter(QStringLiteral("pc")));
        const Entry e0 = entry(0), e1 = entry(1), e2 = entry(2), e3 = entry(3);
        uint32_t ip = 0, brip = 1;
        unsigned char hw[6] = {};
        const int found = ap_eth_searchsocket(&ip, &brip, hw, 0xC6336400u, 0xFFFFFF80u);
        const int wrongMask =
            ap_eth_searchsocket(nullptr, nullptr, nullptr, 0xC6336400u, 0xFFFFFF00u);
        const int downOne =
            ap_eth_searchsocket(nullptr, nullptr, nullptr, 0xCB007100u, 0xFFFFFF00u);
        const int noOutputs = ap_eth_getsocket(nullptr, nullptr, nullptr, nullptr, 1);
        lab.leave();

        QCOMPARE(e0.rc, 0);
        QCOMPARE(e0.ip, 0xC000020Au);
        QCOMPARE(e0.brip, 0xC00002FFu);
        QCOMPARE(e0.mask, 0xFFFFFF00u);
        QCOMPARE(hwText(e0.hw), QByteArray("02:00:5e:10:00:01"));
        QCOMPARE(e1.rc, 0);
        QCOMPARE(e1.ip, 0xC6336407u);
        QCOMPARE(e1.brip, 0xC633647Fu);
        QCOMPARE(e1.mask, 0xFFFFFF80u);
        QCOMPARE(hwText(e1.hw), QByteArray("02:00:5e:10:00:02"));
        if (tun) {
            QCOMPARE(e2.rc, 0);
            QCOMPARE(e2.ip, 0xCB00714Du);
            QCOMPARE(e2.brip, 0u);
            QCOMPARE(e2.mask, 0xFFFFFFF0u);
            QCOMPARE(e3.rc, 1);
        } else {
            qWarning("no tun device here (%s); point-to-point case not checked",
                     qPrintable(out.trimmed()));
            QCOMPARE(e2.rc, 1);
        }

        QCOMPARE(found, 0);
        QCOMPARE(ip, 0xC6336407u);
        QCOMPARE(brip, 0xC633647Fu);
        QCOMPARE(hwText(hw), QByteArray("02:00:5e:10:00:02"));
        QCOMPARE(wrongMask, -1);
        QCOMPARE(downOne, -1);
        QCOMPARE(noOutputs, 0);
        QCOMPARE(ap_eth_getsocket(nullptr, nullptr, nullptr, nullptr, -1), 1);
    }
};

QTEST_GUILESS_MAIN(TestApEthernet)
#include "tst_ap_ethernet.moc"
