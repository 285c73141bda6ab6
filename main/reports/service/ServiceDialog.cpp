#include "ServiceDialog.h"
#include "ui_ServiceDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>

#include "ControllerQueries.h"
#include "DocumentLinks.h"
#include "ExportSystemInformation.h"
#include "FrontendVersion.h"

namespace {

// Controllers number their sync cards with two digits.
constexpr int MaxSyncCards = 99;

void setDocumentLink(QLabel* label, const QString& link)
{
    label->setText(link);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(false);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

void runSystemInformationExport(QWidget* parent, IOManager* iom, BackendVersions* beVers,
                                const QDateTime& lastUpdate, const QString& versionFeAndModules)
{
    ExportSystemInformation dialog(parent, iom, beVers);
    dialog.setLastFeUpdatDate(lastUpdate);
    dialog.setVersionFeAndModules(versionFeAndModules);
    dialog.update_and_exec();
}

}  // namespace

ServiceDialog::ServiceDialog(IOManager* iom_, QWidget* parent, BackendVersions* beVers_)
    : QDialog(parent), ui(new Ui::ServiceDialog), iom(iom_), beVers(beVers_)
{
    ui->setupUi(this);
    setDocumentLink(ui->label_hardwareGuide,
                    DocumentLinks::fillFileLink(
                        tr("<a href=\"file:///%1/%2\">QOR Hardware Installation Guide</a>"),
                        DocumentLinks::HardwareInstallationGuide));
    setDocumentLink(
        ui->label_usersGuide,
        DocumentLinks::fillFileLink(tr("<a href=\"file:///%1/%2\">ORVANE3 User's Guide</a>"),
                                    DocumentLinks::UsersGuide));
    setDocumentLink(
        ui->label_programmersGuide,
        DocumentLinks::fillFileLink(tr("<a href=\"file:///%1/%2\">ORVANE3 Programmer's Guide</a>"),
                                    DocumentLinks::ProgrammersGuide));
    for (QLabel* label :
         {ui->label_hardwareGuide, ui->label_usersGuide, ui->label_programmersGuide})
        connect(label, &QLabel::linkActivated, this, &ServiceDialog::processLink);
    ui->lineEdit_serviceId->setText(m_sSerial);
    ui->lineEdit_frontendVersion->setText(FrontendVersion::current().text());
    m_exportRunner = runSystemInformationExport;
}

ServiceDialog::~ServiceDialog()
{
    delete ui;
}

QString ServiceDialog::serviceIdFor(int model, const QString& serial, bool hasSynccard3)
{
    switch (model) {
        case 20:
            return QStringLiteral("KBX2-") + serial;
        case 21:
            return QStringLiteral("KBX3-") + serial;
        case 2:
            return QStringLiteral("ZECM-S") + serial.rightJustified(8, '0');
        default:
            return hasSynccard3 ? serial : QStringLiteral("ZEC-") + serial;
    }
}

int ServiceDialog::update_and_exec()
{
    udpateServiceIdInfo();
    updateVersionInfo();
    updateWebLinkTechnicalSupport();
    ui->pushButton_export->setEnabled(bool(m_exportRunner));
    adjustSize();
    return exec();
}

void ServiceDialog::setLastFeUpdateDate(QDateTime date)
{
    m_lastFeUpdateDate = date;
}

void ServiceDialog::setVersionFeAndModules(QString text)
{
    m_sVersionFeAndModules = text;
}

bool ServiceDialog::hasSynccard3()
{
    ControllerQueries query(iom);
    int count = 0;
    if (!query.integer(QStringLiteral("synccard number_of_synccards"), &count))
        count = 0;
    for (int d = 1; d <= qMin(count, MaxSyncCards); ++d) {
        QString card;
        if (!query.text(QStringLiteral("synccard synccard d%1").arg(d, 2, 10, QChar('0')), &card))
            continue;
        if (card.section(' ', 0, 0, QString::SectionSkipEmpty) == QLatin1String(SyncCard3Type))
            return true;
    }
    return false;
}

void ServiceDialog::udpateServiceIdInfo()
{
    ControllerQueries query(iom);
    QString serial;
    if (!query.text(QStringLiteral("system controller_serial"), &serial))
        serial = QStringLiteral("00000");
    int model = -1;
    if (!query.integer(QStringLiteral("system model"), &model))
        model = -1;
    m_sSerial = serviceIdFor(model, serial, hasSynccard3());
    ui->lineEdit_serviceId->setText(m_sSerial);
}

void ServiceDialog::updateVersionInfo()
{
    QString version;
    if (!ControllerQueries(iom).text(QStringLiteral("system version"), &version))
        version.clear();
    ui->lineEdit_version->setText(version);
}

void ServiceDialog::updateWebLinkTechnicalSupport()
{
    // The id comes from the controller: encoded for the address, escaped for
    // the rich text, so an odd serial cannot change the link or the label.
    const QString url = QLatin1String(TechnicalSupportUrl) +
                        QString::fromLatin1(QUrl::toPercentEncoding(m_sSerial, "-"));
    const QString html = QStringLiteral(
        "<html><head/><body><p><a href=\"%1\"><span style=\" text-decoration: "
        "underline;\">%1</span></a></p></body></html>");
    ui->label_webLink->setText(html.arg(url.toHtmlEscaped()));
    ui->label_webLink->setTextFormat(Qt::RichText);
    ui->label_webLink->setTextInteractionFlags(
        Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    ui->label_webLink->setOpenExternalLinks(true);
}

QString ServiceDialog::identificationText() const
{
    const QList<QPair<QLabel*, QLineEdit*>> fields = {
        {ui->label_serviceId, ui->lineEdit_serviceId},
        {ui->label_version, ui->lineEdit_version},
        {ui->label_frontendVersion, ui->lineEdit_frontendVersion},
    };
    QString text;
    for (int i = 0; i < fields.size(); ++i) {
        const QString label = fields[i].first->text().remove('&');
        const QString pattern =
            i + 1 < fields.size() ? QStringLiteral("%1: %2\n") : QStringLiteral("%1: %2");
        text += pattern.arg(label, fields[i].second->text());
    }
    return text;
}

void ServiceDialog::on_pushButton_ok_clicked()
{
    accept();
}

void ServiceDialog::on_pushButton_copy_clicked()
{
    QApplication::clipboard()->setText(identificationText());
}

void ServiceDialog::on_pushButton_export_clicked()
{
    if (m_exportRunner)
        m_exportRunner(this, iom, beVers, m_lastFeUpdateDate, m_sVersionFeAndModules);
}

void ServiceDialog::processLink(const QString& link)
{
    DocumentLinks::open(this, link);
}
