#ifndef IOTESTHELPERS_H
#define IOTESTHELPERS_H

// Recording stand-ins for the objects the command channel talks to: the
// message-box provider (from the shared test support), message receivers and
// data requesters.  All of them may be called from any thread.

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>

#include "MessageReceiver.h"
#include "RecordingBoxes.h"
#include "Requester.h"

class RecordingReceiver : public MessageReceiver
{
public:
    int transmit_message(int type, const char* source, const char* msg) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        messages << QString::number(type) + QLatin1Char('|') + QString::fromUtf8(source) +
                        QLatin1Char('|') + QString::fromUtf8(msg);
        return 0;
    }
    QStringList all()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return messages;
    }

private:
    std::mutex mutex;
    QStringList messages;
};

class RecordingRequester : public Requester
{
public:
    int set_ascii_data(const char* identifier, const char* line) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            lines << QString::fromLatin1(identifier) + QLatin1Char('|') + QString::fromLatin1(line);
        }
        ++lineCount;
        if (onLine)
            onLine(identifier, line);
        return 0;
    }
    void set_mea_started() override
    {
        ++started;
        if (onStarted)
            onStarted();
    }
    void set_mea_stopped() override { ++stopped; }

    QStringList takeLines()
    {
        std::lock_guard<std::mutex> lock(mutex);
        QStringList out;
        out.swap(lines);
        return out;
    }

    std::atomic<int> started{0};
    std::atomic<int> stopped{0};
    std::atomic<int> lineCount{0};
    std::function<void(const char*, const char*)> onLine;
    std::function<void()> onStarted;

private:
    std::mutex mutex;
    QStringList lines;
};

#endif
