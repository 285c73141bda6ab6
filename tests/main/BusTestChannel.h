#pragma once

// A command channel without a controller, for the tests of the module host,
// the message bus and the layout: the bus routing is the channel's own, the
// controller's answers come from a table, and data requesters are kept so a
// test can deliver lines to them as the data thread would.

#include <QByteArray>
#include <QDir>
#include <QDockWidget>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QPair>
#include <QPluginLoader>
#include <QStringList>

#include "IOManager.h"
#include "MessageReceiver.h"
#include "ModuleInterface.h"
#include "Requester.h"

class BusTestChannel : public IOManager
{
public:
    QMap<QByteArray, QByteArray> answers;  // command -> answer; others fail with -2
    QList<QPair<QByteArray, Requester*>> dataRequesters;

    int register_request(const char* identifier, Requester* requester) override
    {
        dataRequesters.append({identifier, requester});
        return 0;
    }
    int unregister_request(const char* identifier, Requester* requester) override
    {
        return dataRequesters.removeAll({identifier, requester}) ? 0 : -1;
    }

protected:
    int execute_command(char* result, const char* cmd) override
    {
        const auto it = answers.constFind(cmd);
        if (it == answers.constEnd())
            return -2;
        qstrncpy(result, it->constData(), MaxTextLength + 1);
        return 0;
    }
};

// Records "class|type|sender|text" for every message of the classes it joined.
class ClassRecorder
{
public:
    ClassRecorder(IOManager* channel, const QStringList& classes) : m_channel(channel)
    {
        for (const QString& name : classes) {
            auto* r = new Member{this, name.toUtf8()};
            m_members.append(r);
            channel->register_message_receiver(r->name.constData(), r);
        }
    }
    ~ClassRecorder()
    {
        for (Member* r : qAsConst(m_members)) {
            m_channel->unregister_message_receiver(r->name.constData(), r);
            delete r;
        }
    }
    QStringList take()
    {
        QMutexLocker lock(&m_mutex);
        QStringList out;
        out.swap(m_messages);
        return out;
    }

private:
    struct Member : MessageReceiver
    {
        Member(ClassRecorder* o, const QByteArray& n) : owner(o), name(n) {}
        virtual ~Member() = default;
        int transmit_message(int type, const char* sender, const char* text) override
        {
            QMutexLocker lock(&owner->m_mutex);
            owner->m_messages << QString::fromUtf8(name) + "|" + QString::number(type) + "|" +
                                     QString::fromUtf8(sender) + "|" + QString::fromUtf8(text);
            return 0;
        }
        ClassRecorder* owner;
        QByteArray name;
    };

    IOManager* m_channel;
    QList<Member*> m_members;
    QMutex m_mutex;
    QStringList m_messages;
};

// The module object of a plug-in the host loaded, found by its file's base name.
inline QObject* testModuleObject(const QString& baseName)
{
    QPluginLoader loader(QDir(ORVANE_TEST_PLUGIN_DIR).absoluteFilePath("lib" + baseName + ".so"));
    return loader.isLoaded() ? loader.instance() : nullptr;
}

// Object names of the window's docks that are not hidden, sorted.
inline QStringList visibleDocks(const QMainWindow* window)
{
    QStringList names;
    for (QDockWidget* dock : window->findChildren<QDockWidget*>()) {
        if (!dock->isHidden())
            names << dock->objectName();
    }
    names.sort();
    return names;
}
