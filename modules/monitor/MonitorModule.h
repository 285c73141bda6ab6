#pragma once

#include <QObject>

#include "ModuleInterface.h"

class MonitorRecorder;

// The Live Monitor: health trends of the installation and a top view of the
// tracked objects. The recording belongs to the module and continues across
// the windows that a restart builds; each window gets its own dock.
class MonitorModule : public QObject, public ModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ORVANE_MODULE_INTERFACE_IID)
    Q_INTERFACES(ModuleInterface)

public:
    static constexpr int kViewMenuOrder = 400;
    static constexpr int kEntryOrder = 1100;

    MonitorModule();
    ~MonitorModule() override;

    void about_to_exit_module() override {}
    void exit_module() override;
    QString get_module_name() override { return QStringLiteral("Live Monitor"); }
    QString get_module_version() override { return QStringLiteral("1.0"); }
    QList<_GuiElement*> get_gui_elements() override;
    void set_param(QString name, QVariant value) override;

private:
    MonitorRecorder* m_recorder;
    _GuiElement m_dockElement;
    _GuiElement m_toolBarElement;
};
