#ifndef TRACKBOXSELECTION_H
#define TRACKBOXSELECTION_H

#include <QDialog>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>

#include "trackbox_info_type.h"

class QTableWidgetItem;

namespace Ui {
class TrackboxSelection;
}

// The controller chosen last, shared by every selection dialog.
struct trackbox_connection_type
{
    QString hostname;
    unsigned int ip = 0;
    QString ip_str;
    unsigned short port = 0;
    QString mac;
};

// Modal dialog in which the user picks a controller: from a scan of the local subnets (or
// of one subnet address) or by naming one controller.  A chosen controller is checked for
// the front-end password and reported through the four trackbox_changed signals, in the
// order hostname, port, ip, mac.
class TrackboxSelection : public QDialog
{
    Q_OBJECT

public:
    enum Column
    {
        ColName = 0,
        ColSerial,
        ColAccess,
        ColVersion,
        ColIpNumerical,
        ColIp,
        ColPort,
        ColCascade,
        ColMac,
        ColumnCount
    };

    explicit TrackboxSelection(QWidget* parent = nullptr);
    ~TrackboxSelection() override;

    int update_and_exec();

    // 1 specific controller, anything else scan.
    void setTrackboxSelection(int selection);
    int getTrackboxSelection() const;
    void setFixSubnet(QString subnet);
    void setFixHostname(const QString& hostnameOrIp);
    QString fixHostname() const;
    // Item data of the current subnet entry ("(all subnets)" or an address).
    QString fixSubnet() const;

    static trackbox_connection_type tb_connection;

signals:
    void trackbox_changed(QString hostname);
    void trackbox_changed_port(unsigned int port);
    void trackbox_changed_ip(unsigned int ip);
    void trackbox_changed_mac(QString mac);

public slots:
    void updateTableContent();
    void onHeaderClicked(int column);

private slots:
    void on_pushButton_exit_clicked();
    void on_pushButton_connect_clicked();
    void on_pushButton_update_clicked();
    void on_tableWidget_doubleClicked(const QModelIndex& index);
    void on_tableWidget_itemSelectionChanged();
    void on_rb_specificZec_toggled(bool checked);
    void on_txt_fixHostnameOrIp_textChanged(const QString& text);
    void on_txt_fixHostnameOrIp_returnPressed();
    void on_cb_fixSubnet_currentIndexChanged(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill_cb_fixSubnet();
    void findAddSelectSubnet(const QString& text);
    static unsigned int getIpSubnet(const QString& text);
    bool getFixControllerIp(unsigned int* ip);
    QList<trackbox_info_type> getFixTrackboxInfo();
    void showStatus(const QString& message);
    void showMessageRows(bool scanning);
    void fillControllerRows(const QList<trackbox_info_type>& list);
    QList<QTableWidgetItem*> rowItems(const trackbox_info_type& info) const;
    void takeConnection(int nameRow, int dataRow);
    void accessControl();

    Ui::TrackboxSelection* ui;
    int iSort = 0;
    int iLastClickedColumn = 0;
    QStringList headers;
    QStringList errorMsgs;
    bool m_updating = false;
    bool m_showingMessages = false;
};

#endif
