#include "TestModule.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QToolBar>

#include "IOManager.h"

TestModule::TestModule()
{
#if TEST_MODULE_KIND == 3
    // A foreign library must never get this far in the front-end.
    qputenv("ORVANE_TEST_FOREIGN_CONSTRUCTED", "1");
#endif
}

QString TestModule::get_module_name()
{
    switch (TEST_MODULE_KIND) {
        case 1:
            return "GUI Test Docks";
        case 2:
            return "GUI Test Shared";
        case 3:
            return "GUI Test Foreign";
        case 4:
            return "Q GUI Service Test";
        case 5:
            return "GUI Test Empty";
        default:
            return "GUI Test Bus";
    }
}

_GuiElement* TestModule::element(QAction* entry, int entryOrder, const QString& menu, int menuOrder,
                                 QWidget* content, int activeDuringMeasurement)
{
    auto* e = new _GuiElement;
    e->menu_entry = entry;
    e->menu_entry_order_number = entryOrder;
    e->menu_name = menu;
    e->menu_order_number = menuOrder;
    e->content = content;
    e->action_active_during_measurement = activeDuringMeasurement;
    m_elements.append(e);
    return e;
}

QAction* TestModule::action(const QString& text)
{
    m_actions.append(new QAction(text, this));
    return m_actions.last();
}

QAction* TestModule::dockEntry(const QString& title, const QString& objectName, QWidget** dock)
{
    auto* d = new QDockWidget(title);
    d->setObjectName(objectName);
    d->setWidget(new QLabel(title, d));
    *dock = d;
    return d->toggleViewAction();
}

QList<_GuiElement*> TestModule::get_gui_elements()
{
    // Each window that loads the module gets new widgets: the previous window
    // owned and deleted the earlier ones.
    qDeleteAll(m_elements);
    m_elements.clear();
    qDeleteAll(m_actions);
    m_actions.clear();
    QWidget* dock = nullptr;
    switch (TEST_MODULE_KIND) {
        case 1: {
            const struct
            {
                const char* title;
                const char* name;
                int order;
            } docks[] = {{"Monitor", "Monitor displaytab 01", 20},
                         {"Data view", "Test data view", 120},
                         {"Test Dock", "", 250}};
            for (const auto& d : docks) {
                QAction* entry = dockEntry(d.title, d.name, &dock);
                element(entry, d.order, "&Modules", 500, dock);
            }
            element(action("Test &Action"), 30, "&Modules", 500, nullptr, 0);
            auto* tools = new QToolBar("Test Tools");
            tools->setObjectName("TestToolBar");
            tools->addAction("Tool");
            element(nullptr, 0, QString(), 0, tools);
            break;
        }
        case 2:
            element(action("Shared 150"), 150, "&Modules", 500);
            element(action("Shared negative"), -5, "&Modules", 500);
            element(action("Extra entry"), 10, "&Extras", 450, new QLabel("plain", m_parent));
            break;
        case 3:
        case 4:
            element(action("Service entry"), 10, "&Modules", 500);
            break;
        case 5:
            break;
        default: {
            auto* inertial = new QToolBar("QOR InertialSensor Status");
            inertial->setObjectName("InertialToolBar");
            inertial->addAction("Sensors");
            element(nullptr, 0, QString(), 0, inertial);
            break;
        }
    }
    return m_elements;
}

void TestModule::set_param(QString name, QVariant value)
{
    if (name == "CommandManager")
        m_channel = value.value<IOManager*>();
    else if (name == "ModuleParent")
        m_parent = value.value<QWidget*>();
}

int TestModule::sendBus(const QString& destination, const QString& sender, int type,
                        const QString& text)
{
    if (!m_channel)
        return -1;
    return m_channel->transmit_message(destination.toUtf8().constData(),
                                       sender.toUtf8().constData(), type,
                                       text.toUtf8().constData());
}
