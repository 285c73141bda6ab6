#ifndef SEARCHHARDWAREDLG_H
#define SEARCHHARDWAREDLG_H

#include <QDialog>
#include <QString>

#include "IOManager.h"

namespace Ui {
class SearchHardwareDlg;
}

// Makes the connected controller search again for attached hardware
// ("orvane2 reinit") and reports the outcome on the message class "standard".
// The type "cameraupdate" starts the search at once without buttons; any
// other type waits for OK.
class SearchHardwareDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int BaseTimeoutSeconds = 15;
    static constexpr int SlavesTimeoutSeconds = 30;     // with connected slaves
    static constexpr int WolSlavesTimeoutSeconds = 45;  // slaves woken over the network
    static constexpr int StartDelayMs = 100;
    static constexpr int CompletionDelayMs = 1000;
    static constexpr const char* AutomaticType = "cameraupdate";

    SearchHardwareDlg(QWidget* parent, IOManager* iom, QString type);
    ~SearchHardwareDlg() override;

    // 1 once the search ran (whatever its outcome), 0 when cancelled before.
    int update_and_exec();
    int timeout() const { return timeoutSeconds; }

public slots:
    void on_pushButton_ok_clicked();
    void on_pushButton_cancel_clicked();
    void onTimer();
    void calcTimeoutSeconds();
    // Closing is refused while the search runs: its answer must still be
    // collected, or the channel would stay reserved for it.
    void reject() override;

private:
    Ui::SearchHardwareDlg* ui;
    IOManager* iom;
    int timeoutSeconds = BaseTimeoutSeconds;
    char m_res[IOManager::MaxTextLength + 1] = {};
    QString m_type;
    bool m_searching = false;
};

#endif
