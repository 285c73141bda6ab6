#ifndef ORVANE_TESTS_SHELLTESTHOME_H
#define ORVANE_TESTS_SHELLTESTHOME_H

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "FrontendInfo.h"

// A temporary home directory for one test function. It is kept on disk when
// the test failed, so the files it left behind can be inspected.
class ShellTestHome
{
public:
    // A '%' in the home path catches messages that substitute into a path.
    ShellTestHome()
        : m_dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/orvane-home-%2-XXXXXX"))
    {
        qputenv("HOME", m_dir->path().toLocal8Bit());
    }
    ~ShellTestHome()
    {
        m_dir->setAutoRemove(!QTest::currentTestFailed());
        if (QTest::currentTestFailed())
            qWarning("test home kept in %s", qPrintable(m_dir->path()));
    }

    QString path() const { return m_dir->path(); }
    QString configDir() const
    {
        return path() + FrontendInfo::kUserFolder + "/v" + FrontendInfo::versionNumber() +
               "/config";
    }
    QString preferencesFile() const { return configDir() + "/current-preferences.xml"; }

    void writePreferences(const QByteArray& content) const
    {
        QDir().mkpath(configDir());
        QFile file(preferencesFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), qint64(content.size()));
    }

    QByteArray readPreferences() const
    {
        QFile file(preferencesFile());
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

#endif
