#ifndef ORVANE_SHORTSTATUSWIDGET_H
#define ORVANE_SHORTSTATUSWIDGET_H

#include <QWidget>

class IOManager;
class QLabel;

// Tracked 6DOF bodies and 3DOF markers while measuring or calibrating.
class ShortStatusWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ShortStatusWidget(IOManager* iom, QWidget* parent = nullptr);

    QString bodiesText() const;
    QString markersText() const;

public slots:
    void update_status(const char* status);

private:
    IOManager* iom;
    QLabel* num6d;
    QLabel* num3d;
};

#endif
