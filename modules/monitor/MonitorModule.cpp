#include "MonitorModule.h"

#include <QAction>
#include <QCoreApplication>
#include <QToolBar>

#include "MonitorDock.h"
#include "MonitorRecorder.h"

MonitorModule::MonitorModule() : m_recorder(new MonitorRecorder(this)) {}

MonitorModule::~MonitorModule()
{
    m_recorder->detach();
}

void MonitorModule::set_param(QString name, QVariant value)
{
    // A restarted window brings a new channel; the old one is gone by then.
    if (name == QLatin1String("CommandManager"))
        m_recorder->attach(value.value<IOManager*>());
}

void MonitorModule::exit_module()
{
    m_recorder->detach();
}

QList<_GuiElement*> MonitorModule::get_gui_elements()
{
    // Every window builds its own widgets; those of an earlier window went with it.
    auto* dock = new MonitorDock(m_recorder);
    m_dockElement = _GuiElement();
    m_dockElement.content = dock;
    m_dockElement.menu_entry = dock->toggleViewAction();
    // The window's own View menu, found by its title in the window's language.
    m_dockElement.menu_name = QCoreApplication::translate("MainMenus", "&View");
    m_dockElement.menu_order_number = kViewMenuOrder;
    m_dockElement.menu_entry_order_number = kEntryOrder;

    auto* toolBar = new QToolBar(tr("Live Monitor"));
    toolBar->setObjectName(QStringLiteral("LiveMonitorToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->addAction(dock->toggleViewAction());
    m_toolBarElement = _GuiElement();
    m_toolBarElement.content = toolBar;
    return {&m_dockElement, &m_toolBarElement};
}
