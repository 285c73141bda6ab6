#include "TrackboxSelection.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QRegExpValidator>
#include <QTableWidgetItem>
#include <QTimer>

#include <cstring>

#include "AccessControl.h"
#include "ControllerProbe.h"
#include "FrontendInfo.h"
#include "MessageBoxes.h"
#include "PasswordGate.h"
#include "TrackboxScanner.h"
#include "VersionInfo.h"
#include "ap_udptcp.h"
#include "ui_TrackboxSelection.h"

trackbox_connection_type TrackboxSelection::tb_connection;

namespace {

constexpr unsigned short kCommandPort = FrontendInfo::kControllerPort;
constexpr int kRowHeight = 20;
constexpr int kValueSize = 300;

QString allSubnetsText()
{
    return QStringLiteral("(all subnets)");
}

// Four decimal parts 0..255, blanks around and doubled inside forgiven.
bool isValidIpv4(const QString& text, int* lastPart = nullptr)
{
    const QStringList parts = text.simplified().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    int value = 0;
    for (const QString& part : parts) {
        if (part.isEmpty())
            return false;
        for (QChar c : part) {
            if (!c.isDigit() || c.unicode() > 127)
                return false;
        }
        bool ok = false;
        value = part.toInt(&ok, 10);
        if (!ok || value > 255)
            return false;
    }
    if (lastPart)
        *lastPart = value;
    return true;
}

bool onlyDigitsAndDots(const QString& text)
{
    for (QChar c : text) {
        if (c != QLatin1Char('.') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    }
    return true;
}

template <size_t N>
void copyField(char (&field)[N], const QByteArray& text)
{
    qstrncpy(field, text.constData(), N);
}

QByteArray firstWord(const char* text)
{
    return QByteArray(text, int(std::strcspn(text, " ")));
}

}  // namespace

TrackboxSelection::TrackboxSelection(QWidget* parent)
    : QDialog(parent), ui(new Ui::TrackboxSelection)
{
    ui->setupUi(this);
    headers = QStringList{tr("Name"),    tr("Serial"),          tr("Access"),
                          tr("Version"), tr("IP numerical"),    tr("IP"),
                          tr("Port"),    tr("Cascaded System"), tr("MAC")};

    ui->txt_fixHostnameOrIp->setValidator(new QRegExpValidator(
        QRegExp(QStringLiteral("([A-Z]|[a-z]|-|[.]|[0-9])*")), ui->txt_fixHostnameOrIp));

    QTableWidget* table = ui->tableWidget;
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionsClickable(true);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->setColumnHidden(ColIpNumerical, true);
    table->setColumnHidden(ColPort, true);
    table->setColumnHidden(ColCascade, true);
    table->setColumnHidden(ColMac, true);

    connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TrackboxSelection::onHeaderClicked);
    connect(ui->cb_fixSubnet->lineEdit(), &QLineEdit::returnPressed, this,
            &TrackboxSelection::updateTableContent);
    table->viewport()->installEventFilter(this);
}

TrackboxSelection::~TrackboxSelection()
{
    delete ui;
}

int TrackboxSelection::update_and_exec()
{
    ui->txt_fixHostnameOrIp->clear();
    ui->txt_fixHostnameOrIp->setModified(false);
    ui->label_hostnameIpStatus->clear();
    ui->tableWidget->clearContents();
    ui->tableWidget->setRowCount(0);
    ui->pushButton_update->setFocus();
    if (ui->cb_fixSubnet->count() == 0)
        fill_cb_fixSubnet();
    QTimer::singleShot(100, this, &TrackboxSelection::updateTableContent);
    on_tableWidget_itemSelectionChanged();
    return exec();
}

void TrackboxSelection::setTrackboxSelection(int selection)
{
    if (selection == 1)
        ui->rb_specificZec->setChecked(true);
    else
        ui->rb_scan->setChecked(true);
}

int TrackboxSelection::getTrackboxSelection() const
{
    return ui->rb_specificZec->isChecked() ? 1 : 0;
}

void TrackboxSelection::setFixSubnet(QString subnet)
{
    if (ui->cb_fixSubnet->count() == 0)
        fill_cb_fixSubnet();
    findAddSelectSubnet(subnet);
}

void TrackboxSelection::setFixHostname(const QString& hostnameOrIp)
{
    ui->txt_fixHostnameOrIp->setText(hostnameOrIp);
}

QString TrackboxSelection::fixHostname() const
{
    return ui->txt_fixHostnameOrIp->text();
}

QString TrackboxSelection::fixSubnet() const
{
    return ui->cb_fixSubnet->currentData().toString();
}

void TrackboxSelection::fill_cb_fixSubnet()
{
    QComboBox* cb = ui->cb_fixSubnet;
    const QSignalBlocker blocker(cb);
    const QString remembered = cb->currentText();
    cb->clear();
    cb->addItem(allSubnetsText(), allSubnetsText());
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (iface.flags() & QNetworkInterface::IsLoopBack)
            continue;
        const auto entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QString broadcast = entry.broadcast().toString();
            if (!broadcast.isEmpty() &&
                cb->findText(broadcast, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                cb->addItem(broadcast, broadcast);
        }
    }
    const int index =
        cb->findData(remembered, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cb->setCurrentIndex(index >= 0 ? index : 0);
}

void TrackboxSelection::findAddSelectSubnet(const QString& text)
{
    QComboBox* cb = ui->cb_fixSubnet;
    const QSignalBlocker blocker(cb);
    const Qt::MatchFlags exact = Qt::MatchExactly | Qt::MatchCaseSensitive;
    int index = cb->findData(text, Qt::UserRole, exact);
    if (index < 1 && isValidIpv4(text)) {
        cb->addItem(text, text);
        index = cb->findData(text, Qt::UserRole, exact);
    }
    cb->setCurrentIndex(index >= 0 ? index : 0);
}

unsigned int TrackboxSelection::getIpSubnet(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    int n[4];
    for (int i = 0; i < 4; ++i)
        n[i] = parts.value(i).toInt();
    return ap_ip_num2ip(n[0], n[1], n[2], n[3]);
}

void TrackboxSelection::showStatus(const QString& message)
{
    if (ui->txt_fixHostnameOrIp->isModified())
        ui->label_hostnameIpStatus->setText(QStringLiteral("<b><font color=red>") +
                                            message.toHtmlEscaped() +
                                            QStringLiteral("</font></b>"));
}

bool TrackboxSelection::getFixControllerIp(unsigned int* ip)
{
    const QString text = ui->txt_fixHostnameOrIp->text();
    if (text.isEmpty()) {
        showStatus(tr("Invalid empty hostname."));
        return false;
    }
    int last = 0;
    const bool validIp = isValidIpv4(text, &last);
    if (validIp && (last < 1 || last > 254)) {
        showStatus(tr("Invalid last octet (1..254)."));
        return false;
    }
    if (!validIp && onlyDigitsAndDots(text)) {
        showStatus(tr("Invalid numbers-only hostname."));
        return false;
    }
    const uint32_t resolved = ControllerAddress::resolve(text.simplified());
    if (resolved == 0) {
        showStatus(tr("Unable to resolve hostname."));
        return false;
    }
    *ip = resolved;
    return true;
}

QList<trackbox_info_type> TrackboxSelection::getFixTrackboxInfo()
{
    unsigned int resolved = 0;
    if (!getFixControllerIp(&resolved)) {
        errorMsgs << tr("cannot resolve hostname / IP address");
        ui->txt_fixHostnameOrIp->setFocus();
        return {};
    }
    trackbox_info_type info;
    std::memset(&info, 0, sizeof info);
    const QString ipStr = ControllerAddress::dotted(resolved);
    copyField(info.ip_str, ipStr.toLatin1());
    info.ip = getIpSubnet(ipStr);

    ControllerProbe probe;
    if (!probe.isOpen()) {
        errorMsgs << tr("cannot start udp socket");
        return {};
    }
    probe.setController(info.ip, kCommandPort);
    char value[kValueSize];
    if (probe.readParameter("system version", value) != 0) {
        errorMsgs << tr("no connection to Controller");
        return {};
    }
    copyField(info.version, firstWord(value));
    if (probe.readParameter("system hostname", value) != 0) {
        errorMsgs << tr("no connection to Controller");
        return {};
    }
    copyField(info.hostname, value);
    copyField(info.serial, probe.readParameter("system controller_serial", value) == 0
                               ? QByteArray(value)
                               : QByteArray("unknown"));
    QByteArray protocol("v0.0");
    if (probe.readParameter("system protocol_version", value) == 0)
        protocol = firstWord(value);
    copyField(info.access, probe.readParameter("system access", value) == 0
                               ? QByteArray(value)
                               : QByteArray("unknown"));
    const QString protocolText = QString::fromLatin1(protocol);
    if (std::strcmp(info.access, "none") == 0 &&
        VersionInfo::fromString(protocolText).supports(ProtocolFeature::Cascade) &&
        probe.readParameter("system slave", value) == 0 && std::strcmp(value, "yes") == 0)
        info.isSlave = true;
    copyField(info.mac_str, QByteArray("unknown"));
    if (VersionInfo::fromString(protocolText).supports(ProtocolFeature::DiscoveryMac) &&
        probe.readParameter("system ethernet_mac", value) == 0)
        copyField(info.mac_str, value);
    return {info};
}

void TrackboxSelection::updateTableContent()
{
    // Timers still run while a scan waits; one update at a time, and none for a dialog that
    // has closed before its scheduled update came.
    if (m_updating || !isVisible())
        return;
    m_updating = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    errorMsgs.clear();
    const bool scanning = ui->rb_scan->isChecked();
    QList<trackbox_info_type> list;
    {
        TrackboxScanner scanner(kCommandPort);
        if (!scanning) {
            list = getFixTrackboxInfo();
        } else {
            const QString text = ui->cb_fixSubnet->currentText();
            list = scanner.get_all_trackboxes(text.isEmpty() ? 0 : int(getIpSubnet(text)));
        }
    }
    if (list.isEmpty() && errorMsgs.isEmpty()) {
        errorMsgs << tr("no Controller found") << tr("possibly blocked by the firewall");
        if (scanning)
            errorMsgs << tr("or no Controller in subnet");
    }

    QTableWidget* table = ui->tableWidget;
    table->clearContents();
    table->setRowCount(0);
    if (!errorMsgs.isEmpty())
        showMessageRows(scanning);
    else
        fillControllerRows(list);
    // A typed subnet address stays in the list, also when nobody answered there.
    if (scanning)
        findAddSelectSubnet(ui->cb_fixSubnet->currentText());
    QApplication::restoreOverrideCursor();
    m_updating = false;
}

void TrackboxSelection::showMessageRows(bool scanning)
{
    QTableWidget* table = ui->tableWidget;
    m_showingMessages = true;
    table->setRowCount(errorMsgs.size());
    for (int row = 0; row < errorMsgs.size(); ++row) {
        for (int col = 0; col < ColumnCount; ++col)
            table->setItem(row, col,
                           new QTableWidgetItem(col == ColName ? errorMsgs.at(row) : QString()));
    }
    table->setColumnHidden(ColCascade, true);
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setCurrentItem(nullptr);
    table->clearSelection();
    on_tableWidget_itemSelectionChanged();
    if (scanning)
        ui->pushButton_update->setFocus();
}

QList<QTableWidgetItem*> TrackboxSelection::rowItems(const trackbox_info_type& info) const
{
    const QStringList texts{
        QString::fromLatin1(info.hostname), QString::fromLatin1(info.serial),
        QString::fromLatin1(info.access),   QString::fromLatin1(info.version),
        QString::number(info.ip),           QString::fromLatin1(info.ip_str),
        QString::number(kCommandPort),      info.isSlave ? tr("slave") : QString(),
        QString::fromLatin1(info.mac_str)};
    const bool greyed = QString::fromLatin1(info.access).trimmed() == QLatin1String("none");
    QList<QTableWidgetItem*> items;
    for (const QString& text : texts) {
        auto* item = new QTableWidgetItem(text);
        if (greyed)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        items << item;
    }
    return items;
}

void TrackboxSelection::fillControllerRows(const QList<trackbox_info_type>& list)
{
    QTableWidget* table = ui->tableWidget;
    m_showingMessages = false;
    table->setRowCount(list.size());
    bool anySlave = false;
    for (int row = 0; row < list.size(); ++row) {
        const QList<QTableWidgetItem*> items = rowItems(list.at(row));
        for (int col = 0; col < items.size(); ++col)
            table->setItem(row, col, items.at(col));
        anySlave = anySlave || list.at(row).isSlave;
    }
    table->setColumnHidden(ColCascade, !anySlave);
    table->horizontalHeader()->setStretchLastSection(true);
    // Contents and titles both count, so no column cuts its widest text.
    table->resizeColumnsToContents();
    table->setColumnWidth(ColName, table->columnWidth(ColName) + 10);

    table->sortItems(iLastClickedColumn, iSort == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    table->horizontalHeader()->setSortIndicator(
        iLastClickedColumn, iSort == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);

    table->clearSelection();
    table->setCurrentItem(nullptr);
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int col = 0; col < ColumnCount; ++col) {
            if (QTableWidgetItem* item = table->item(row, col))
                item->setBackground(base);
        }
    }
    ui->pushButton_connect->setEnabled(false);
    ui->pushButton_update->setFocus();
}

void TrackboxSelection::onHeaderClicked(int column)
{
    if (column != iLastClickedColumn) {
        iLastClickedColumn = column;
        iSort = 0;
    } else {
        iSort = iSort == 0 ? 1 : 0;
    }
    const Qt::SortOrder order = iSort == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    if (!m_showingMessages)
        ui->tableWidget->sortItems(column, order);
    ui->tableWidget->horizontalHeader()->setSortIndicator(column, order);
}

void TrackboxSelection::on_tableWidget_itemSelectionChanged()
{
    const int row = ui->tableWidget->currentRow();
    const QTableWidgetItem* access = row >= 0 ? ui->tableWidget->item(row, ColAccess) : nullptr;
    const QString text = access ? access->text() : QString();
    ui->pushButton_connect->setEnabled(row >= 0 && !text.isEmpty() &&
                                       text != QLatin1String("none"));
}

void TrackboxSelection::takeConnection(int nameRow, int dataRow)
{
    QTableWidget* table = ui->tableWidget;
    auto text = [table](int row, int col) {
        const QTableWidgetItem* item = table->item(row, col);
        return item ? item->text() : QString();
    };
    tb_connection.hostname = text(nameRow, ColName);
    tb_connection.ip = text(nameRow, ColIpNumerical).toUInt();
    tb_connection.ip_str = text(nameRow, ColIp);
    tb_connection.port = text(dataRow, ColPort).toUShort();
    tb_connection.mac = text(dataRow, ColMac);
}

void TrackboxSelection::on_pushButton_connect_clicked()
{
    const int row = ui->tableWidget->currentRow();
    if (row < 0)
        return;
    takeConnection(row, row);
    accessControl();
}

void TrackboxSelection::on_tableWidget_doubleClicked(const QModelIndex& index)
{
    if (!index.isValid() || m_showingMessages)
        return;
    const QTableWidgetItem* access = ui->tableWidget->item(index.row(), ColAccess);
    if (!access || access->text() == QLatin1String("none"))
        return;
    const int current = ui->tableWidget->currentRow();
    takeConnection(index.row(), current >= 0 ? current : index.row());
    accessControl();
}

void TrackboxSelection::accessControl()
{
    AccessControl control(tb_connection.ip, 0);
    const PasswordGate::Result gate =
        PasswordGate::pass(control, QString(), this, tr("Authorize with valid password"));
    if (gate == PasswordGate::Cancelled)
        return;
    if (gate == PasswordGate::Unanswered) {
        MessageBoxes::critical(this, tr("Error"),
                               tr("Failed to obtain authentication requirements.\n"
                                  "No connection to Controller?"));
        return;
    }
    emit trackbox_changed(tb_connection.hostname);
    emit trackbox_changed_port(tb_connection.port);
    emit trackbox_changed_ip(tb_connection.ip);
    emit trackbox_changed_mac(tb_connection.mac);
    done(1);
}

void TrackboxSelection::on_pushButton_exit_clicked()
{
    reject();
}

void TrackboxSelection::on_pushButton_update_clicked()
{
    if (ui->rb_specificZec->isChecked())
        ui->txt_fixHostnameOrIp->setModified(true);
    updateTableContent();
}

void TrackboxSelection::on_rb_specificZec_toggled(bool)
{
    ui->label_hostnameIpStatus->clear();
    // Set-up before the dialog opens must not query the network.
    if (!isVisible())
        return;
    ui->txt_fixHostnameOrIp->setModified(false);
    updateTableContent();
    ui->txt_fixHostnameOrIp->setModified(true);
}

void TrackboxSelection::on_txt_fixHostnameOrIp_textChanged(const QString&)
{
    ui->label_hostnameIpStatus->clear();
}

void TrackboxSelection::on_txt_fixHostnameOrIp_returnPressed()
{
    if (ui->rb_specificZec->isChecked())
        updateTableContent();
}

void TrackboxSelection::on_cb_fixSubnet_currentIndexChanged(int)
{
    if (ui->rb_scan->isChecked() && isVisible())
        updateTableContent();
}

bool TrackboxSelection::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->tableWidget->viewport() && event->type() == QEvent::MouseButtonRelease &&
        ui->tableWidget->currentRow() < 0 && isVisible())
        QTimer::singleShot(0, this, &TrackboxSelection::updateTableContent);
    return QDialog::eventFilter(watched, event);
}
