#include "AboutDlg2g.h"
#include "ui_AboutDlg2g.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

#include "BackendVersions.h"
#include "ControllerQueries.h"
#include "DocumentLinks.h"
#include "ModuleInterface.h"
#include "PlainText.h"

namespace {

constexpr int ModuleColumnWidth = 220;
constexpr int SlaveColumnWidth = 170;
// Slaves are numbered with two digits.
constexpr int MaxSlaves = 99;

QTableWidget* newTable(QWidget* parent, const QStringList& headers)
{
    auto* table = new QTableWidget(0, headers.size(), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void appendRow(QTableWidget* table, const QStringList& cells)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size(); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
}

}  // namespace

// The logos live in this static library, whose resources the linker would
// otherwise leave out of the program.
static void initServiceResources()
{
    Q_INIT_RESOURCE(orvane_service);
}

AboutDlg2g::AboutDlg2g(IOManager* iom_, QWidget* parent, BackendVersions* beVers_, bool darkTheme)
    : QDialog(parent), ui(new Ui::AboutDlg2g), iom(iom_), beVers(beVers_)
{
    initServiceResources();
    ui->setupUi(this);
    ui->label_logo->setPixmap(
        QPixmap(darkTheme ? QStringLiteral(":/images/logos/qor_transparent02.png")
                          : QStringLiteral(":/images/logos/qor_transparent02-brightmode.png")));
    ui->label_openSource->setText(DocumentLinks::fillFileLink(
        tr("This product uses third-party <a href=\"file:///%1/%2\">Open-Source software</a>"),
        DocumentLinks::OpenSourceNotice));
    ui->label_openSource->setTextFormat(Qt::RichText);
    ui->label_openSource->setOpenExternalLinks(false);
    ui->label_openSource->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                                  Qt::LinksAccessibleByKeyboard);
    connect(ui->label_openSource, &QLabel::linkActivated, this, &AboutDlg2g::processLink);

    QTableWidget* table = ui->tableWidget_modules;
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({tr("Module"), tr("Version")});
    table->setColumnWidth(0, ModuleColumnWidth);
    setDetailsVisible(false);
}

AboutDlg2g::~AboutDlg2g()
{
    delete ui;
}

void AboutDlg2g::setModules(const QList<ModuleInterface*>& list)
{
    modules.clear();
    for (ModuleInterface* m : list) {
        if (m)
            modules.append({m->get_module_name(), m->get_module_version()});
    }
}

void AboutDlg2g::setModuleVersions(const QList<ModuleVersion>& list)
{
    modules = list;
}

int AboutDlg2g::update_and_exec()
{
    updateContents();
    adjustSize();
    return exec();
}

void AboutDlg2g::updateContents()
{
    updateFrontendLabel();
    updateControllerLabel();
    updateModuleTable();
    addTabCascade();
}

void AboutDlg2g::updateFrontendLabel()
{
    ui->label_frontend->setText(tr("ORVANE3 frontend (on this PC):\n") + m_frontendVersion.text() +
                                "\n" + tr("Published by QOR Systems"));
}

void AboutDlg2g::updateControllerLabel()
{
    ControllerQueries query(iom);
    const QString unknown = tr("unknown");
    QString version, hostname, serial, model, copyright;
    if (!query.text(QStringLiteral("system version"), &version))
        version = unknown;
    if (!query.text(QStringLiteral("system hostname"), &hostname))
        hostname = unknown;
    if (!query.text(QStringLiteral("system controller_serial"), &serial))
        serial = unknown;
    else if (query.text(QStringLiteral("system model"), &model) && model == QLatin1String("2"))
        serial = 'S' + serial.rightJustified(8, '0');
    if (!query.text(QStringLiteral("system version_copyright"), &copyright))
        copyright.clear();
    PlainText::setLabel(ui->label_controller, tr("Firmware release (Controller):\n") + version +
                                                  "\n" +
                                                  tr("%1 serial %2\n").arg(hostname, serial) +
                                                  ControllerQueries::unquoted(copyright));
}

void AboutDlg2g::updateModuleTable()
{
    QTableWidget* table = ui->tableWidget_modules;
    table->setRowCount(0);
    for (const ModuleVersion& m : modules)
        appendRow(table, {m.name, m.version});
}

void AboutDlg2g::removeTabCascade()
{
    if (!m_cascadeTab)
        return;
    ui->tabWidget->removeTab(ui->tabWidget->indexOf(m_cascadeTab));
    delete m_cascadeTab;
    m_cascadeTab = nullptr;
}

void AboutDlg2g::addTabCascade()
{
    // A second update shows the cascade as it is now, not twice.
    removeTabCascade();
    if (beVers && !beVers->protocol().supports(ProtocolFeature::Cascade))
        return;
    ControllerQueries query(iom);
    int count = 0;
    if (!query.integer(QStringLiteral("cascade number_of_connected_slaves"), &count) || count <= 0)
        return;

    m_cascadeTab = new QWidget;
    m_cascadeTab->setObjectName(QStringLiteral("tab_cascade"));
    auto* layout = new QVBoxLayout(m_cascadeTab);
    QTableWidget* table =
        newTable(m_cascadeTab, {tr("Cascaded System slave"), tr("Serial"), tr("Version")});
    table->setObjectName(QStringLiteral("tableWidget_cascade"));
    table->setColumnWidth(0, SlaveColumnWidth);
    layout->addWidget(table);

    const QString unknown = tr("unknown");
    for (int d = 1; d <= qMin(count, MaxSlaves); ++d) {
        QString address;
        if (!query.text(QStringLiteral("cascade connected_slave d%1").arg(d, 2, 10, QChar('0')),
                        &address)) {
            appendRow(table, {unknown, unknown, unknown});
            continue;
        }
        QString controller, hostname, available, version;
        if (!query.text(QStringLiteral("cascade connected_slave_controller ") + address,
                        &controller))
            controller.clear();
        if (!query.text(QStringLiteral("system hostname_slave ") + address, &hostname))
            hostname = controller.section(' ', 0, 0, QString::SectionSkipEmpty);
        QString serial = controller.section(' ', 1, 1, QString::SectionSkipEmpty);
        if (serial.isEmpty())
            serial = unknown;
        const bool isAvailable =
            query.text(QStringLiteral("cascade connected_slave_available ") + address,
                       &available) &&
            available == QLatin1String("yes");
        if (!isAvailable)
            version = tr("not available");
        else if (!query.text(QStringLiteral("system version_slave ") + address, &version))
            version = unknown;
        const QString slave = hostname.isEmpty() ? address : hostname + " (" + address + ")";
        appendRow(table, {slave, serial, version});
    }
    ui->tabWidget->addTab(m_cascadeTab, tr("&Cascade"));
}

void AboutDlg2g::setDetailsVisible(bool visible)
{
    ui->widget_details->setVisible(visible);
    ui->pushButton_details->setText(visible ? tr("Hide &details") : tr("Show &details"));
    adjustSize();
}

void AboutDlg2g::on_pushButton_details_clicked()
{
    setDetailsVisible(ui->widget_details->isHidden());
}

void AboutDlg2g::on_pushButton_ok_clicked()
{
    accept();
}

void AboutDlg2g::keyPressEvent(QKeyEvent* event)
{
    // Return closes the dialog even while the details button has the focus,
    // instead of folding the details away again.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void AboutDlg2g::processLink(const QString& link)
{
    DocumentLinks::open(this, link);
}
