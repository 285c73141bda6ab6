#pragma once

#include <QObject>
#include <QStringList>

#include "IOManager.h"
#include "MessageReceiver.h"
#include "ModuleInterface.h"
#include "Requester.h"

// Joins the channel as a data requester, a measurement requester and a
// member of the message class "ExternalModule", and records every call.
class ExternalModule : public QObject,
                       public ModuleInterface,
                       public Requester,
                       public MessageReceiver
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ORVANE_MODULE_INTERFACE_IID)
    Q_INTERFACES(ModuleInterface)

public:
    void about_to_exit_module() override { m_calls << "about_to_exit_module"; }
    void exit_module() override;
    QString get_module_name() override { return "External Test Module"; }
    QString get_module_version() override { return "0.9"; }
    QList<_GuiElement*> get_gui_elements() override;
    void set_param(QString name, QVariant value) override;

    int set_ascii_data(const char* identifier, const char* line) override;
    void set_mea_started() override { m_calls << "set_mea_started"; }
    void set_mea_stopped() override { m_calls << "set_mea_stopped"; }

    int transmit_message(int type, const char* source, const char* msg) override;

    Q_INVOKABLE QStringList calls() const { return m_calls; }
    // The program's hardware search dialog, built for this module's channel.
    Q_INVOKABLE int searchTimeout();

private:
    IOManager* m_channel = nullptr;
    QStringList m_calls;
    _GuiElement m_element;
};
