#include "MeasurementControl.h"

#include "BackendVersions.h"
#include "IOManager.h"
#include "MainMenus.h"
#include "MessageBoxes.h"
#include "ShellMessages.h"

#include <QAction>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include <cstring>

namespace {

bool isIdle(const QString& state)
{
    return state == "none" || state == "err";
}

}  // namespace

MeasurementControl::MeasurementControl(IOManager* iom, const BackendVersions* bv,
                                       QMainWindow* window, MainMenus* menus)
    : m_iom(iom), m_bv(bv), m_window(window), m_menus(menus)
{
}

bool MeasurementControl::readState(QString* state)
{
    char value[IOManager::MaxTextLength + 1] = {};
    if (m_iom->get_par(value, "status active") != 0)
        return false;
    *state = QString::fromUtf8(value);
    return true;
}

void MeasurementControl::showStatus(const QString& text, int ms)
{
    m_window->statusBar()->showMessage(text, ms);
}

bool MeasurementControl::actionIsStop() const
{
    return m_action && m_action->text() == tr("Stop");
}

bool MeasurementControl::actionIsStart() const
{
    return m_action && (m_action->text() == tr("Start") || m_action->text() == tr("&Start"));
}

bool MeasurementControl::toggleMeasurement()
{
    QString state;
    if (!readState(&state)) {
        MessageBoxes::critical(m_window, tr("Command Error"), tr("No contact to Controller"));
        return false;
    }
    if (isIdle(state))
        return start();
    if (state == "mea" || state == "wait")
        return stop();
    return true;
}

void MeasurementControl::reportStartFailure(bool toEvents)
{
    const QString text = tr("measurement start unsuccessful!");
    showStatus(text, 4000);
    if (toEvents)
        ShellMessages::sendStandard(m_iom, text);
}

bool MeasurementControl::start()
{
    if (m_bv->protocol().supports(ProtocolFeature::TrackingAvailable)) {
        char available[IOManager::MaxTextLength + 1] = {};
        if (m_iom->get_par(available, "tracking available") != 0 ||
            std::strcmp(available, "yes") != 0) {
            reportStartFailure(true);
            return false;
        }
    }
    char answer[IOManager::MaxTextLength + 1] = {};
    if (m_iom->execute_cmd(answer, "orvane2 tracking start") != 0) {
        reportStartFailure(false);
        return false;
    }
    QString state;
    if (!readState(&state))
        return false;
    if (isIdle(state)) {
        reportStartFailure(false);
        return false;
    }
    m_action->setText(tr("Stop"));
    showStatus(tr("measurement started"), 2000);
    ShellMessages::sendStandard(m_iom, tr("measurement started"));
    m_menus->setMeaInactiveEnabled(false);
    return true;
}

bool MeasurementControl::stop()
{
    char answer[IOManager::MaxTextLength + 1] = {};
    m_iom->execute_cmd(answer, "orvane2 tracking stop");
    if (std::strcmp(answer, "orvane2 ok") != 0) {
        showStatus(tr("measurement stop unsuccessful"), 2000);
        return false;
    }
    m_action->setText(tr("Start"));
    showStatus(tr("measurement stopped"), 2000);
    ShellMessages::sendStandard(m_iom, tr("measurement stopped"));
    m_menus->setMeaInactiveEnabled(true);
    return true;
}

bool MeasurementControl::startMeasurement()
{
    QString state;
    if (!readState(&state)) {
        MessageBoxes::critical(m_window, tr("Command Error"), tr("No contact to Controller"));
        return false;
    }
    return isIdle(state) && toggleMeasurement();
}

void MeasurementControl::followState(const QString& state)
{
    if (state == "wait") {
        const QString text =
            tr("measurement interrupted. Waiting for external synchronisation signal...");
        showStatus(text, 4000);
        m_action->setText(tr("Stop"));
        if (!m_bWaitAnnounced)
            ShellMessages::sendStandard(m_iom, text);
        m_bWaitAnnounced = true;
    } else {
        m_bWaitAnnounced = false;
    }
    if (actionIsStop() && isIdle(state)) {
        m_menus->setMeaInactiveEnabled(true);
        m_action->setText(tr("Start"));
    }
    if (actionIsStart() && state == "mea")
        m_action->setText(tr("Stop"));
    // Also after "wait" (which renamed the action already): the controller
    // measures, so the entries that must not run then stay disabled.
    if (state == "mea" || state == "wait")
        m_menus->setMeaInactiveEnabled(false);
}
