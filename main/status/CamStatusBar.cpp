#include "CamStatusBar.h"

#include "CamStatusWidget.h"
#include "IOManager.h"
#include "StatusCommon.h"
#include "StatusReadings.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstring>

unsigned CamStatusBar::s_updateCalls = 0;

CamStatusBar::CamStatusBar(IOManager* iom, QWidget* parent)
    : QToolBar(tr("Camera Status"), parent), iom(iom), parent(parent)
{
    iom->register_request_mea(this);
    iom->register_message_receiver("CamStatusBar", this);
    m_registered = true;
    int n = 0;
    if (readCameraCount(&n))
        update_widgets(n);
}

bool CamStatusBar::readCameraCount(int* n)
{
    return StatusReadings::readCameraCount(iom, n) == 0;
}

void CamStatusBar::update_widgets(int n)
{
    // Camera names have two digits; a larger count would fill the bar (and
    // memory) with widgets for cameras that cannot exist.
    n = qBound(0, n, MaxCameraWidgets);
    if (n == num_cams)
        return;
    // The tool bar's widget action owns its widget; deleting it removes both.
    for (QAction* action : m_camActions)
        delete action;
    m_camActions.clear();
    cams.clear();
    for (int i = 0; i < n; ++i) {
        auto* w = new CamStatusWidget(iom, i, this);
        QAction* action = addWidget(w);
        action->setVisible(true);
        m_camActions.push_back(action);
        cams.push_back(w);
    }
    num_cams = n;
}

void CamStatusBar::update_status(const char* status)
{
    ++s_updateCalls;
    int n = 0;
    if (std::strcmp(status, "cal") == 0 || std::strcmp(status, "mea") == 0) {
        if (!isVisible() || !readCameraCount(&n))
            return;
        update_widgets(n);
        updateCameras();
    } else if (s_updateCalls % 10 == 0 && !iom->isCmdPending() && readCameraCount(&n)) {
        update_widgets(n);
    }
}

// In camera order; once the reads took longer than the budget, the remaining
// cameras are read first by the next update, so each is still refreshed in
// turn however slow the controller answers.
void CamStatusBar::updateCameras()
{
    const size_t count = cams.size();
    if (m_nextCam >= count)
        m_nextCam = 0;
    QElapsedTimer spent;
    spent.start();
    for (size_t done = 0; done < count; ++done) {
        cams[(m_nextCam + done) % count]->update_status();
        if (done + 1 < count && spent.elapsed() >= StatusCommon::kUpdateBudgetMs) {
            m_nextCam = (m_nextCam + done + 1) % count;
            return;
        }
    }
    m_nextCam = 0;
}

void CamStatusBar::set_mea_stopped()
{
    StatusCommon::onOwnThread(this, [this] {
        for (CamStatusWidget* w : cams)
            w->mea_stopped();
    });
}

int CamStatusBar::transmit_message(int type, const char* src, const char* msg)
{
    if (!src || std::strcmp(src, "Monitor2dModule") != 0)
        return 1;
    if (type != 1)
        return 0;
    const QStringList parts = QString::fromUtf8(msg ? msg : "").split(';');
    StatusCommon::onOwnThread(this, [this, parts] {
        for (int i = 0; i < parts.size() && i < int(cams.size()); ++i)
            cams[size_t(i)]->storeNewInfo(parts[i]);
    });
    return 0;
}

CamStatusBar::~CamStatusBar()
{
    about_to_exit();
}

void CamStatusBar::about_to_exit()
{
    if (m_registered) {
        iom->unregister_message_receiver("CamStatusBar", this);
        iom->unregister_request_mea(this);
        m_registered = false;
    }
    update_widgets(0);
}
