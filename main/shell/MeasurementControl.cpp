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

bool MeasurementControl::isIdleState(const QString& state)
{
    return state == "none" || state == "err";
}

bool MeasurementControl::readStateOf(IOManager* iom, QString* state)
{
    char value[IOManager::MaxTextLength + 1] = {};
    if (iom->get_par(value, "status active") != 0)
        return false;
    *state = QString::fromUtf8(value);
    return true;
}

MeasurementControl::StartOutcome MeasurementControl::startOn(IOManager* iom,
                                                             const BackendVersions& bv,
                                                             QString* stateAfter)
{
    if (bv.protocol().supports(ProtocolFeature::TrackingAvailable)) {
        char available[IOManager::MaxTextLength + 1] = {};
        if (iom->get_par(available, "tracking available") != 0 ||
            std::strcmp(available, "yes") != 0)
            return StartOutcome::NotAvailable;
    }
    char answer[IOManager::MaxTextLength + 1] = {};
    if (iom->execute_cmd(answer, "orvane2 tracking start") != 0)
        return StartOutcome::CommandFailed;
    QString state;
    if (!readStateOf(iom, &state))
        return StartOutcome::StateUnknown;
    if (stateAfter)
        *stateAfter = state;
    return isIdleState(state) ? StartOutcome::StillIdle : StartOutcome::Started;
}

bool MeasurementControl::stopOn(IOManager* iom)
{
    char answer[IOManager::MaxTextLength + 1] = {};
    iom->execute_cmd(answer, "orvane2 tracking stop");
    return std::strcmp(answer, "orvane2 ok") == 0;
}

MeasurementControl::MeasurementControl(IOManager* iom, const BackendVersions* bv,
                                       QMainWindow* window, MainMenus* menus)
    : m_iom(iom), m_bv(bv), m_window(window), m_menus(menus)
{
}

bool MeasurementControl::readState(QString* state)
{
    return readStateOf(m_iom, state);
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
    if (isIdleState(state))
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
    switch (startOn(m_iom, *m_bv)) {
        case StartOutcome::NotAvailable:
            reportStartFailure(true);
            return false;
        case StartOutcome::CommandFailed:
        case StartOutcome::StillIdle:
            reportStartFailure(false);
            return false;
        case StartOutcome::StateUnknown:
            return false;
        case StartOutcome::Started:
            break;
    }
    m_action->setText(tr("Stop"));
    showStatus(tr("measurement started"), 2000);
    ShellMessages::sendStandard(m_iom, tr("measurement started"));
    m_menus->setMeaInactiveEnabled(false);
    return true;
}

bool MeasurementControl::stop()
{
    if (!stopOn(m_iom)) {
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
    return isIdleState(state) && toggleMeasurement();
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
    if (actionIsStop() && isIdleState(state)) {
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
