#ifndef ORVANE_CAMSTATUSBAR_H
#define ORVANE_CAMSTATUSBAR_H

#include <QToolBar>
#include <vector>

#include "MessageReceiver.h"
#include "Requester.h"
#include "StatusReadings.h"

class CamStatusWidget;
class IOManager;

// Per-camera marker counts, one widget per camera, rebuilt when the
// controller reports another number of cameras.
class CamStatusBar : public QToolBar, public Requester, public MessageReceiver
{
    Q_OBJECT

public:
    CamStatusBar(IOManager* iom, QWidget* parent);
    // Unregisters from the channel unless about_to_exit() did.
    ~CamStatusBar() override;

    void update_widgets(int n);
    void about_to_exit();
    int cameraCount() const { return num_cams; }
    static constexpr int MaxCameraWidgets = StatusReadings::kMaxCameras;
    // update_status() calls of every bar so far; every 10th reads the count when idle.
    static unsigned updateCalls() { return s_updateCalls; }
    const std::vector<CamStatusWidget*>& cameraWidgets() const { return cams; }

    int set_ascii_data(const char*, const char*) override { return 0; }
    void set_mea_started() override {}
    void set_mea_stopped() override;
    // Any thread; only "Monitor2dModule" with type 1: "a;b;c" texts per camera.
    int transmit_message(int type, const char* src, const char* msg) override;

public slots:
    void update_status(const char* status);

private:
    bool readCameraCount(int* n);
    void updateCameras();

    IOManager* iom;
    QWidget* parent;
    std::vector<CamStatusWidget*> cams;
    int num_cams = -1;
    QAction* mea_act = nullptr;
    std::vector<QAction*> m_camActions;
    bool m_registered = false;
    size_t m_nextCam = 0;  // where an update cut short by the time budget goes on
    static unsigned s_updateCalls;
};

#endif
