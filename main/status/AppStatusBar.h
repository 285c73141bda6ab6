#ifndef ORVANE_APPSTATUSBAR_H
#define ORVANE_APPSTATUSBAR_H

#include <QStatusBar>

class IOManager;
class QLabel;

// The window's status bar: the latest status message and the active
// configuration of the connected controller.
class AppStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit AppStatusBar(IOManager* iom, QWidget* parent = nullptr);

    QString messageText() const;
    QString trackboxText() const;

public slots:
    void update_status();
    void newMessage(const QString& message);

private:
    IOManager* iom;
    QLabel* trackbox;
    QLabel* msg;
};

#endif
