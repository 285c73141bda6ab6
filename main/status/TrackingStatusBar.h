#ifndef ORVANE_TRACKINGSTATUSBAR_H
#define ORVANE_TRACKINGSTATUSBAR_H

#include <QToolBar>

#include "Requester.h"

class IOManager;
class ShortStatusWidget;

// The number of tracked bodies and markers.
class TrackingStatusBar : public QToolBar, public Requester
{
    Q_OBJECT

public:
    TrackingStatusBar(IOManager* iom, QWidget* parent);
    // Unregisters from the channel unless about_to_exit() did.
    ~TrackingStatusBar() override;

    void about_to_exit();
    ShortStatusWidget* shortStatus() const { return ssw; }

    int set_ascii_data(const char*, const char*) override { return 0; }
    void set_mea_started() override {}
    void set_mea_stopped() override;

public slots:
    void update_status(const char* status);

private:
    IOManager* iom;
    QAction* mea_act = nullptr;
    ShortStatusWidget* ssw;
    bool m_registered = false;
};

#endif
