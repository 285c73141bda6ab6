#ifndef ORVANE_CAMSTATUSWIDGET_H
#define ORVANE_CAMSTATUSWIDGET_H

#include <QString>
#include <QWidget>

class IOManager;
class QLineEdit;

// One camera's marker counts, "detected/used", or a text a module sent for it.
class CamStatusWidget : public QWidget
{
    Q_OBJECT

public:
    CamStatusWidget(IOManager* iom, int camera_id, QWidget* parent = nullptr);

    void update_status();
    void mea_stopped();
    void storeNewInfo(const QString& text);
    static QString buildInfoString(int a, int b);
    QString text() const;

private:
    IOManager* iom;
    int camera_id;
    QLineEdit* le;
    bool hasNewInfo = false;
    QString newInfo;
};

#endif
