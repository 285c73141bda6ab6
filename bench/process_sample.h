#pragma once

// CPU time and resident memory of a process, as the kernel counts them.

#include <QFile>
#include <QString>
#include <QStringList>

#include <unistd.h>

struct ProcessSample
{
    double cpuSeconds = 0;
    double rssMiB = 0;
};

inline ProcessSample sample(qint64 pid)
{
    ProcessSample s;
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QString line = QString::fromLatin1(stat.readAll());
        const QStringList fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        const double ticks = double(sysconf(_SC_CLK_TCK));
        s.cpuSeconds = (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
    }
    QFile status(QString("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& l : status.readAll().split('\n')) {
            if (l.startsWith("VmRSS:"))
                s.rssMiB = l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return s;
}
