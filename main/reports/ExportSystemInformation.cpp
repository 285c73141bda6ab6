#include "ExportSystemInformation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStandardPaths>

#include <algorithm>

#include "ExportConfiguration.h"
#include "FrontendInfo.h"
#include "IOManager.h"
#include "MessageBoxes.h"
#include "PlainText.h"
#include "ui_ExportSystemInformation.h"

namespace {

constexpr int RowHeight = 20;
constexpr int SliderStart = 3;
constexpr int SliderMinimumMaximum = 10;
// How long the report may hold the dialog without painting it.
constexpr int PaintIntervalMs = 40;

QTableWidgetItem* makeItem(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(int(alignment | Qt::AlignVCenter));
    return item;
}

}  // namespace

ExportSystemInformation::ExportSystemInformation(QWidget* parent, IOManager* iom_,
                                                 BackendVersions* versions)
    : QDialog(parent),
      ui(new Ui::ExportSystemInformation),
      iom(iom_),
      m_sEventLogDir(FrontendInfo::userFolder()),
      exportConfigLog(new ExportConfiguration(iom_, parent, versions)),
      beVers(versions)
{
    ui->setupUi(this);
    exportConfigLog->setParent(this);
    ui->tableWidget->setColumnCount(ColumnCount);
    ui->tableWidget->setHorizontalHeaderLabels(
        {tr("File"), tr("Version"), tr("Size"), QStringLiteral("FilePathName"),
         QStringLiteral("SizeInByte"), QStringLiteral("DateFromName")});
    for (int c = ColFilePath; c < ColumnCount; ++c)
        ui->tableWidget->setColumnHidden(c, true);
    ui->tableWidget->verticalHeader()->setDefaultSectionSize(RowHeight);
    ui->tableWidget->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    ui->tableWidget->verticalHeader()->hide();
    connect(exportConfigLog, &ExportConfiguration::sectionStarted, this,
            &ExportSystemInformation::onReportSection);
    connect(exportConfigLog, &ExportConfiguration::queried, this,
            &ExportSystemInformation::keepPainting);
}

ExportSystemInformation::~ExportSystemInformation()
{
    delete ui;
}

int ExportSystemInformation::update_and_exec()
{
    updateContent();
    return exec();
}

void ExportSystemInformation::updateContent()
{
    m_bUser = false;
    ui->progressBar->setValue(0);
    ui->label_status->clear();
    updateTableWidget();
    updateSliderControls();
    updateTableSelection();
    update_label_sumByte();
    ui->pushButton_selectAll->setEnabled(true);
    ui->pushButton_clear->setEnabled(true);
    m_bUser = true;
}

// --- event logs on disk ---------------------------------------------------

QString ExportSystemInformation::getDateStringFromName(const QString& fileName)
{
    return SystemInformationExport::dateStringFromName(fileName);
}

void ExportSystemInformation::updateTableWidget()
{
    QString hostName;
    if (iom) {
        char value[IOManager::MaxTextLength + 1] = {};
        iom->configure_next_cmd(false, -1, true);
        if (iom->get_par(value, "system hostname") == 0)
            hostName = QString::fromUtf8(value);
    }
    const QList<EventLogNameAndFeVersion> logs =
        SystemInformationExport::eventLogs(m_sEventLogDir, hostName);

    QTableWidget* table = ui->tableWidget;
    table->clearContents();
    table->setRowCount(logs.size());
    for (int row = 0; row < logs.size(); ++row) {
        const QFileInfo info(logs.at(row).eventLogFile);
        table->setItem(row, ColFile, makeItem(info.fileName(), Qt::AlignLeft));
        table->setItem(row, ColVersion, makeItem(logs.at(row).feVersion, Qt::AlignHCenter));
        table->setItem(row, ColSize, makeItem(tr("%1 Byte").arg(info.size()), Qt::AlignRight));
        table->setItem(row, ColFilePath, makeItem(info.filePath(), Qt::AlignLeft));
        table->setItem(row, ColSizeInByte, makeItem(QString::number(info.size()), Qt::AlignLeft));
        table->setItem(row, ColDateFromName,
                       makeItem(getDateStringFromName(info.fileName()), Qt::AlignLeft));
    }
}

QDate ExportSystemInformation::rowDate(int row) const
{
    const QTableWidgetItem* item = ui->tableWidget->item(row, ColDateFromName);
    return item ? QDate::fromString(item->text(), QStringLiteral("yyyy-MM-dd")) : QDate();
}

int ExportSystemInformation::getAgeOfFile(int row) const
{
    const QDate date = rowDate(row);
    return date.isValid() ? int(date.daysTo(QDate::currentDate())) : 0;
}

// --- slider, spin box and selection ----------------------------------------

void ExportSystemInformation::updateSliderControls()
{
    int span = 0;
    for (int row = 0; row < ui->tableWidget->rowCount(); ++row)
        span = std::max(span, getAgeOfFile(row));
    const int maximum = span <= SliderMinimumMaximum ? SliderMinimumMaximum : span;
    ui->horizontalSlider->setRange(0, maximum);
    ui->spinBox->setRange(0, maximum);
    ui->horizontalSlider->setValue(SliderStart);
    ui->spinBox->setValue(SliderStart);
}

void ExportSystemInformation::updateTableSelection()
{
    const bool wasUser = m_bUser;
    m_bUser = false;
    QTableWidget* table = ui->tableWidget;
    const QDate start = QDate::currentDate().addDays(-(ui->horizontalSlider->value() - 1));
    QItemSelection selection;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (rowDate(row) >= start)
            selection.select(table->model()->index(row, 0),
                             table->model()->index(row, ColumnCount - 1));
    }
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_bUser = wasUser;
}

void ExportSystemInformation::adjustSliderControlsToTableSelection()
{
    int oldest = -1;
    for (const QModelIndex& index : ui->tableWidget->selectionModel()->selectedRows())
        oldest = std::max(oldest, getAgeOfFile(index.row()));
    if (oldest < 0)
        return;
    // Only the controls follow: re-selecting by days would undo the hand-made
    // selection the user is working on.
    const bool wasUser = m_bUser;
    m_bUser = false;
    ui->horizontalSlider->setValue(std::min(oldest, ui->horizontalSlider->maximum()));
    ui->pushButton_clear->setEnabled(true);
    m_bUser = wasUser;
}

void ExportSystemInformation::on_spinBox_valueChanged(int value)
{
    ui->horizontalSlider->setValue(value);
}

void ExportSystemInformation::on_horizontalSlider_valueChanged(int value)
{
    ui->spinBox->setValue(value);
    if (!m_bUser)
        return;
    if (value <= 0) {
        on_pushButton_clear_clicked();
        return;
    }
    ui->pushButton_clear->setEnabled(true);
    updateTableSelection();
    update_label_sumByte();
}

void ExportSystemInformation::on_tableWidget_itemSelectionChanged()
{
    if (!m_bUser)
        return;
    adjustSliderControlsToTableSelection();
    update_label_sumByte();
}

void ExportSystemInformation::on_pushButton_selectAll_clicked()
{
    ui->horizontalSlider->setValue(ui->horizontalSlider->maximum());
    // At the slider's maximum the oldest log can lie just outside the span;
    // "all" means every row.
    const bool wasUser = m_bUser;
    m_bUser = false;
    ui->tableWidget->selectAll();
    m_bUser = wasUser;
    update_label_sumByte();
    ui->pushButton_selectAll->setEnabled(false);
    ui->pushButton_clear->setEnabled(true);
}

void ExportSystemInformation::on_pushButton_clear_clicked()
{
    m_bUser = false;
    ui->horizontalSlider->setValue(0);
    ui->tableWidget->clearSelection();
    ui->tableWidget->setFocus();
    update_label_sumByte();
    ui->pushButton_selectAll->setEnabled(true);
    ui->pushButton_clear->setEnabled(false);
    m_bUser = true;
}

void ExportSystemInformation::on_pushButton_exit_clicked()
{
    reject();
}

void ExportSystemInformation::reject()
{
    if (!m_bWriting)
        QDialog::reject();
}

void ExportSystemInformation::closeEvent(QCloseEvent* event)
{
    if (m_bWriting) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ExportSystemInformation::resizeEvent(QResizeEvent* event)
{
    ui->tableWidget->setColumnWidth(ColFile, width() / 2);
    ui->tableWidget->setColumnWidth(ColVersion, width() / 5);
    QDialog::resizeEvent(event);
}

void ExportSystemInformation::keyPressEvent(QKeyEvent* event)
{
    QSlider* slider = ui->horizontalSlider;
    if (event->key() == Qt::Key_PageUp) {
        if (slider->value() < slider->maximum())
            slider->setValue(slider->value() + 1);
        return;
    }
    if (event->key() == Qt::Key_PageDown) {
        if (slider->value() > 0)
            slider->setValue(slider->value() - 1);
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- size estimate ------------------------------------------------------------

qint64 ExportSystemInformation::getSumByte() const
{
    qint64 sum = ConfigurationEstimateBytes;
    for (const QModelIndex& index : ui->tableWidget->selectionModel()->selectedRows()) {
        const QTableWidgetItem* item = ui->tableWidget->item(index.row(), ColSizeInByte);
        if (item)
            sum += item->text().toLongLong();
    }
    return sum;
}

QString ExportSystemInformation::getFormatedByteText(qint64 bytes)
{
    if (bytes > 1048575)
        return QStringLiteral("%1 MB  ").arg(double(bytes) / 1048576.0, 0, 'f', 1);
    if (bytes <= 1023)
        return QStringLiteral("%1 Byte").arg(double(bytes), 0, 'f', 1);
    return QStringLiteral("%1 kB  ").arg(double(bytes) / 1024.0, 0, 'f', 1);
}

void ExportSystemInformation::update_label_sumByte()
{
    ui->label_sumByte->setText(tr("estimated size: %1").arg(getFormatedByteText(getSumByte())));
}

// --- writing the result -----------------------------------------------------

QString ExportSystemInformation::justifyToLength(const QString& text, int length)
{
    return SystemInformationExport::justifyToLength(text, length);
}

bool ExportSystemInformation::confirmLargeFile()
{
    return MessageBoxes::warning(
               this, tr("Warning"), tr("The resulting file is bigger than 10 MB!\nContinue?"),
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

QString ExportSystemInformation::askSaveFileName(const QString& defaultPath)
{
    return QFileDialog::getSaveFileName(this, windowTitle(), defaultPath, tr("Text files (*.txt)"));
}

// Painting at once keeps the progress visible even between the moments
// the export lets the event loop run.
void ExportSystemInformation::setStatus(const QString& text)
{
    PlainText::setLabel(ui->label_status, text);
    ui->label_status->repaint();
}

void ExportSystemInformation::setProgress(int value)
{
    ui->progressBar->setValue(value);
    ui->progressBar->repaint();
}

// The report asks the controller hundreds of times, each a network round
// trip; without events in between the dialog would look hung for seconds.
// The controls are disabled and closing is refused meanwhile, so nothing the
// user does can change or end the export under way.
void ExportSystemInformation::keepPainting()
{
    if (m_paintClock.isValid() && m_paintClock.elapsed() < PaintIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_paintClock.start();
}

void ExportSystemInformation::onReportSection(int index, const QString& heading)
{
    if (!m_bWriting)
        return;
    setStatus(tr("Writing file '%1' ... %2").arg(m_sShownName, heading));
    setProgress(index + 1);
    m_paintClock.invalidate();
    keepPainting();
}

void ExportSystemInformation::setControlsEnabled(bool enabled)
{
    for (QWidget* w :
         {static_cast<QWidget*>(ui->tableWidget), static_cast<QWidget*>(ui->horizontalSlider),
          static_cast<QWidget*>(ui->spinBox), static_cast<QWidget*>(ui->pushButton_save),
          static_cast<QWidget*>(ui->pushButton_exit)})
        w->setEnabled(enabled);
    // Select all and clear keep the state the selection gave them.
    if (enabled) {
        ui->pushButton_selectAll->setEnabled(m_selectAllEnabled);
        ui->pushButton_clear->setEnabled(m_clearEnabled);
    } else {
        m_selectAllEnabled = ui->pushButton_selectAll->isEnabled();
        m_clearEnabled = ui->pushButton_clear->isEnabled();
        ui->pushButton_selectAll->setEnabled(false);
        ui->pushButton_clear->setEnabled(false);
    }
}

void ExportSystemInformation::on_pushButton_save_clicked()
{
    if (m_bWriting)
        return;
    ui->progressBar->setValue(0);
    setStatus(QString());
    if (getSumByte() > WarningSizeBytes && !confirmLargeFile())
        return;
    const QString desktop = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation)
                                .value(0, QDir::homePath());
    const QString fileName = askSaveFileName(
        desktop + QStringLiteral("/ORVANE3_Systeminfo-") +
        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt"));
    if (fileName.isEmpty() || m_bWriting)
        return;

    m_sResultFilename = fileName;
    m_sShownName = QFileInfo(fileName).fileName();
    m_bWriting = true;
    setControlsEnabled(false);
    writeResult(m_sShownName);
    m_bWriting = false;
    setControlsEnabled(true);
}

void ExportSystemInformation::writeResult(const QString& shownName)
{
    QTableWidget* table = ui->tableWidget;
    const int reportSteps = ExportConfiguration::sectionCount();
    ui->progressBar->setMaximum(reportSteps + table->rowCount() + 1);
    setStatus(tr("Writing file '%1' ...").arg(shownName));
    // The controls are off while the file is written, so the selection holds still.
    QList<EventLogNameAndFeVersion> logs;
    QList<int> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!table->selectionModel()->isRowSelected(row, QModelIndex()))
            continue;
        logs.append({table->item(row, ColFilePath)->text(), table->item(row, ColVersion)->text()});
        rows.append(row);
    }
    SystemInformationExport::Progress progress;
    progress.reportDone = [&] {
        setProgress(reportSteps + 1);
        setStatus(tr("Writing file '%1' ...").arg(shownName));
    };
    progress.logDone = [&](int index) {
        setProgress(reportSteps + 1 + rows.at(index));
        keepPainting();
    };
    exportConfigLog->setLastFeUpdatDate(m_lastFeUpdateDate);
    const int result = SystemInformationExport(m_sResultFilename)
                           .write(*exportConfigLog, m_sVersionFeAndModules, logs, progress);
    if (result == ExportConfiguration::ResultOk) {
        setProgress(ui->progressBar->maximum());
        setStatus(tr("Writing file '%1' ... complete.").arg(shownName));
    } else if (result == ExportConfiguration::ResultIncomplete) {
        setProgress(ui->progressBar->maximum());
        setStatus(tr("Writing file '%1' ... done, but the configuration report is incomplete.")
                      .arg(shownName));
    } else {
        setStatus(tr("Writing file '%1' ... failed. The file is incomplete.").arg(shownName));
    }
}
