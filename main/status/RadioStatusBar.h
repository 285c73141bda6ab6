#ifndef ORVANE_RADIOSTATUSBAR_H
#define ORVANE_RADIOSTATUSBAR_H

#include <QTimer>
#include <QToolBar>

class BackendVersions;
class IOManager;
class QLabel;

// Whether the maker's radio link is available, and its channel.
class RadioStatusBar : public QToolBar
{
    Q_OBJECT

public:
    RadioStatusBar(IOManager* iom, QWidget* parent, const BackendVersions& versions);

    void about_to_exit();
    bool radioAvailable() const { return m_bRadioAvailable; }
    int channel() const { return m_iChannel; }
    QString channelText() const;
    bool iconEnabled() const;
    QString iconPath() const { return m_iconPath; }

public slots:
    void update_status();

private:
    void showIcon(bool enabled);

    IOManager* iom;
    QTimer* radioStatus = nullptr;
    QLabel* lbl_radio;
    QLabel* lbl_channel;
    bool m_bRadioAvailable = false;
    int m_iChannel = 0;
    QString m_iconPath;
};

#endif
