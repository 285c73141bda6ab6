#include "ExternalModule.h"

#include <QAction>
#include <QWidget>

#include "BackendVersions.h"
#include "SearchHardwareDlg.h"

QList<_GuiElement*> ExternalModule::get_gui_elements()
{
    m_element.menu_entry = new QAction("External entry", this);
    m_element.menu_entry_order_number = 120;
    m_element.menu_name = "&External";
    m_element.menu_order_number = 600;
    return {&m_element};
}

void ExternalModule::set_param(QString name, QVariant value)
{
    if (name == "CommandManager") {
        m_channel = value.value<IOManager*>();
        m_calls << QString("register_request %1").arg(m_channel->register_request("fr", this));
        m_calls << QString("register_request_mea %1").arg(m_channel->register_request_mea(this));
        m_calls << QString("register_message_receiver %1")
                       .arg(m_channel->register_message_receiver("ExternalModule", this));
    } else if (name == "BackendVersions") {
        const BackendVersions* versions = value.value<BackendVersions*>();
        // The comparison lives in the program, which exports it to its modules.
        const bool reconnect = versions->protocol() >= VersionInfo(1, 12, 0);
        m_calls << "protocol " + QString::number(versions->protocol().getMajor()) + "." +
                       QString::number(versions->protocol().getMinor()) + " " +
                       versions->zecModel() + (reconnect ? " reconnect" : "");
    } else if (name == "ModuleParent") {
        m_calls << QString("parent ") + value.value<QWidget*>()->objectName();
    } else {
        m_calls << name + " " + value.toString();
    }
}

int ExternalModule::set_ascii_data(const char* identifier, const char* line)
{
    m_calls << QString("set_ascii_data %1 | %2").arg(identifier, line);
    return 0;
}

int ExternalModule::transmit_message(int type, const char* source, const char* msg)
{
    m_calls << QString("transmit_message %1 %2 %3").arg(QString::number(type), source, msg);
    // Answers on the bus, through the channel's own table of operations.
    m_channel->transmit_message("ExternalModuleEcho", "ExternalModule", 1, msg);
    return 0;
}

void ExternalModule::exit_module()
{
    m_calls << "exit_module";
    m_channel->unregister_request("fr", this);
    m_channel->unregister_request_mea(this);
    m_channel->unregister_message_receiver("ExternalModule", this);
}

int ExternalModule::searchTimeout()
{
    SearchHardwareDlg dialog(nullptr, m_channel, "cameraupdate");
    return dialog.timeout();
}
