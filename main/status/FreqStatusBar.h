#ifndef ORVANE_FREQSTATUSBAR_H
#define ORVANE_FREQSTATUSBAR_H

#include <QTimer>
#include <QToolBar>

#include "Requester.h"

class BackendVersions;
class IOManager;
class QLineEdit;

// The synchronisation frequency while measuring, coloured by lost frames.
class FreqStatusBar : public QToolBar, public Requester
{
    Q_OBJECT

public:
    FreqStatusBar(IOManager* iom, QWidget* parent, const BackendVersions& versions);
    // Unregisters from the channel unless about_to_exit() did.
    ~FreqStatusBar() override;

    void about_to_exit();
    QString text() const;
    QString frameLossStyle() const;

    int set_ascii_data(const char*, const char*) override { return 0; }
    void set_mea_started() override;
    void set_mea_stopped() override;

    // The style sheet for a frame-loss read (result 0 with lost frames, else failed).
    static QString backgroundFor(int readResult, int framesLost);

public slots:
    void update_status(const char* status);
    void showFrequency();

private:
    void updateBackGround();

    IOManager* iom;
    QLineEdit* le;
    bool bIsWaiting = false;
    bool bVersion_0_17_ok = false;
    bool bVersion_1_8_ok = false;
    QTimer showFrequencyTimer;
    bool m_registered = false;
};

#endif
