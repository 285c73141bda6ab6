#pragma once

// One small module, built several times with a different TEST_MODULE_KIND
// into the test-only plug-in folder.  Each build contributes what its kind
// needs and counts the host's shutdown calls.

#include <QObject>
#include <QPointer>
#include <QStringList>

#include "ModuleInterface.h"

#ifndef TEST_MODULE_IID
#define TEST_MODULE_IID ORVANE_MODULE_INTERFACE_IID
#endif

class TestModule : public QObject, public ModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TEST_MODULE_IID)
    Q_INTERFACES(ModuleInterface)

public:
    TestModule();
    ~TestModule() override { qDeleteAll(m_elements); }

    void about_to_exit_module() override { ++m_aboutToExit; }
    void exit_module() override { ++m_exit; }
    QString get_module_name() override;
    QString get_module_version() override { return "1.2.3"; }
    QList<_GuiElement*> get_gui_elements() override;
    void set_param(QString name, QVariant value) override;

    Q_INVOKABLE int aboutToExitCalls() const { return m_aboutToExit; }
    Q_INVOKABLE int exitCalls() const { return m_exit; }
    // Sends a message on the bus as if another module sent it.
    Q_INVOKABLE int sendBus(const QString& destination, const QString& sender, int type,
                            const QString& text);

private:
    _GuiElement* element(QAction* entry, int entryOrder, const QString& menu, int menuOrder,
                         QWidget* content = nullptr, int activeDuringMeasurement = 1);
    QAction* action(const QString& text);
    QAction* dockEntry(const QString& title, const QString& objectName, QWidget** dock);

    IOManager* m_channel = nullptr;
    QWidget* m_parent = nullptr;  // owns the widgets that are not docks or tool bars
    int m_aboutToExit = 0;
    int m_exit = 0;
    QList<_GuiElement*> m_elements;
    QList<QPointer<QAction>> m_actions;
};
