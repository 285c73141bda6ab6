#include "TrackingStatusBar.h"

#include "IOManager.h"
#include "ShortStatusWidget.h"
#include "StatusCommon.h"

#include <cstring>

TrackingStatusBar::TrackingStatusBar(IOManager* iom, QWidget* parent)
    : QToolBar(tr("Tracking Status"), parent), iom(iom)
{
    ssw = new ShortStatusWidget(iom, this);
    addWidget(ssw);
    iom->register_request_mea(this);
    m_registered = true;
    ssw->update_status("none");
}

void TrackingStatusBar::update_status(const char* status)
{
    if ((std::strcmp(status, "cal") == 0 || std::strcmp(status, "mea") == 0) && isVisible())
        ssw->update_status(status);
}

void TrackingStatusBar::set_mea_stopped()
{
    StatusCommon::onOwnThread(this, [this] { ssw->update_status("none"); });
}

TrackingStatusBar::~TrackingStatusBar()
{
    about_to_exit();
}

void TrackingStatusBar::about_to_exit()
{
    if (m_registered)
        iom->unregister_request_mea(this);
    m_registered = false;
}
