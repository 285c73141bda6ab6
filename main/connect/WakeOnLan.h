#ifndef WAKEONLAN_H
#define WAKEONLAN_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// The standard magic packet and where it goes, for the waiting dialog and for
// scripts that wake a controller without a window.
namespace WakeOnLan {

// 6 x 0xFF and the MAC 16 times; empty when mac is not six hexadecimal parts.
QByteArray magicPacket(const QString& mac);

// The broadcast address of the first local subnet that holds ip (host order),
// else 255.255.255.255.
uint32_t broadcastAddressFor(uint32_t ip);

// The broadcast addresses of every local IPv4 subnet, each once.
QList<uint32_t> localBroadcastAddresses();

// Sends the packet for mac to destination on both wake-up ports. 0 when at
// least one packet was handed to the network, 1 otherwise.
int send(const QString& mac, uint32_t destination);

}  // namespace WakeOnLan

#endif
