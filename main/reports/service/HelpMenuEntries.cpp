#include "HelpMenuEntries.h"

#include <QAction>
#include <QKeySequence>

#include "ModuleMenus.h"

HelpMenuEntries::HelpMenuEntries(ModuleMenus* menus, QMenu* helpMenu, QWidget* window)
    : QObject(window)
{
    m_service = new QAction(tr("&Service and Guides"), window);
    const QString serviceTip = tr("Get service from Q.O.R. or view ORVANE3 guides");
    m_service->setStatusTip(serviceTip);
    m_service->setWhatsThis(serviceTip);
    menus->insertEntry(helpMenu, m_service, ServiceOrder);
    menus->addMeaInactiveAction(m_service);
    connect(m_service, &QAction::triggered, this, &HelpMenuEntries::serviceRequested);

    m_about = new QAction(tr("&ORVANE3"), window);
    m_about->setShortcut(QKeySequence(Qt::Key_F1));
    m_about->setToolTip(tr("Show the detailed information of ORVANE3"));
    menus->insertEntry(helpMenu, m_about, AboutOrder);
    connect(m_about, &QAction::triggered, this, &HelpMenuEntries::aboutRequested);
}
