#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace orvane::sim {

struct SimOptions
{
    QString listenAddress = QStringLiteral("127.0.0.1");
    quint16 port = 50105;
    QString profile = QStringLiteral("demo");  // built-in name or JSON file path
    bool verbose = false;                      // one line per command and answer on stderr
    QStringList controlLines;                  // applied right after start, e.g. "delay 100"
    QVector<quint16> wakePorts = {7, 9};
};

}  // namespace orvane::sim
