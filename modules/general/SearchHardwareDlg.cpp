#include "SearchHardwareDlg.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QPixmap>
#include <QTimer>

#include <cstring>

#include "ui_SearchHardwareDlg.h"

static void initGeneralResources()
{
    Q_INIT_RESOURCE(orvane_general);
}

SearchHardwareDlg::SearchHardwareDlg(QWidget* parent, IOManager* iom, QString type)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      ui(new Ui::SearchHardwareDlg),
      iom(iom),
      m_type(type)
{
    initGeneralResources();
    ui->setupUi(this);
    const bool bright = QApplication::palette().color(QPalette::Window).lightnessF() >= 0.5;
    ui->label_picture->setPixmap(QPixmap(bright ? ":/images/qmessagebox-info-brightmode.png"
                                                : ":/images/qmessagebox-info.png"));
    calcTimeoutSeconds();
}

SearchHardwareDlg::~SearchHardwareDlg()
{
    delete ui;
}

void SearchHardwareDlg::calcTimeoutSeconds()
{
    timeoutSeconds = BaseTimeoutSeconds;
    int slaves = 0;
    if (iom && iom->get_par_i(&slaves, "cascade number_of_connected_slaves") == 0 && slaves > 0)
        timeoutSeconds += SlavesTimeoutSeconds;
    char wol[IOManager::MaxTextLength + 1] = {};
    if (iom && iom->get_par(wol, "cascade wol_slaves") == 0 && std::strcmp(wol, "yes") == 0)
        timeoutSeconds += WolSlavesTimeoutSeconds;
    ui->label_4->setText(tr("This may take up to %1 seconds!").arg(timeoutSeconds));
}

int SearchHardwareDlg::update_and_exec()
{
    ui->label_searching->clear();
    ui->progressBar->setMaximum(1);
    ui->progressBar->setEnabled(false);
    ui->pushButton_ok->setEnabled(true);
    ui->pushButton_cancel->setEnabled(true);
    if (m_type == QLatin1String(AutomaticType)) {
        ui->pushButton_ok->hide();
        ui->pushButton_cancel->hide();
        QTimer::singleShot(StartDelayMs, this, &SearchHardwareDlg::on_pushButton_ok_clicked);
    }
    return exec();
}

void SearchHardwareDlg::on_pushButton_ok_clicked()
{
    if (m_searching)
        return;
    m_searching = true;
    setCursor(Qt::WaitCursor);
    ui->label_searching->setText(tr("Searching..."));
    ui->progressBar->setMaximum(0);
    ui->progressBar->setEnabled(true);
    ui->pushButton_ok->setEnabled(false);
    ui->pushButton_cancel->setEnabled(false);
    m_res[0] = '\0';
    if (iom) {
        iom->configure_next_cmd(true, timeoutSeconds * 1000, false);
        iom->execute_cmd(m_res, "orvane2 reinit");
    }
    QTimer::singleShot(CompletionDelayMs, this, &SearchHardwareDlg::onTimer);
}

void SearchHardwareDlg::on_pushButton_cancel_clicked()
{
    reject();
}

void SearchHardwareDlg::onTimer()
{
    if (iom)
        iom->wait_async_execute_cmd(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
    const bool done = std::strcmp(m_res, "orvane2 ok") == 0;
    const QString text =
        done ? tr("Search for new hardware...done") : tr("Error: Unable search for new hardware");
    if (iom)
        iom->transmit_message("standard", "ORVANE3", 1, text.toUtf8().constData());
    unsetCursor();
    m_searching = false;
    accept();
}

void SearchHardwareDlg::reject()
{
    if (!m_searching)
        QDialog::reject();
}
