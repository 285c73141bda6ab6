#ifndef EXPORTSYSTEMINFORMATION_H
#define EXPORTSYSTEMINFORMATION_H

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include "SystemInformationExport.h"

class BackendVersions;
class ExportConfiguration;
class IOManager;

namespace Ui {
class ExportSystemInformation;
}

// Gathers the configuration report and a chosen set of event logs into one
// text file for the maker's support.
class ExportSystemInformation : public QDialog
{
    Q_OBJECT

public:
    // Table columns; 3 to 5 are hidden data columns.
    enum Column
    {
        ColFile = 0,
        ColVersion = 1,
        ColSize = 2,
        ColFilePath = 3,
        ColSizeInByte = 4,
        ColDateFromName = 5,
        ColumnCount = 6
    };
    // The report's share of the estimate, and the size that asks first.
    static constexpr qint64 ConfigurationEstimateBytes = 51200;
    static constexpr qint64 WarningSizeBytes = 10485760;

    ExportSystemInformation(QWidget* parent, IOManager* iom, BackendVersions* versions);
    ~ExportSystemInformation() override;

    void setLastFeUpdatDate(const QDateTime& date) { m_lastFeUpdateDate = date; }
    void setVersionFeAndModules(const QString& text) { m_sVersionFeAndModules = text; }

    // Fills the dialog from the event logs on disk and runs it modally.
    int update_and_exec();
    // The part of update_and_exec before the dialog runs.
    void updateContent();

    // Helpers of the export, kept static where they need no dialog state.
    static QString getFormatedByteText(qint64 bytes);
    static QString justifyToLength(const QString& text, int length);
    static QString getDateStringFromName(const QString& fileName);
    qint64 getSumByte() const;
    QString resultFileName() const { return m_sResultFilename; }
    // True while an export writes its file.
    bool isWriting() const { return m_bWriting; }

public slots:
    // Refused while an export writes: the file would be left half written.
    void reject() override;

    void on_spinBox_valueChanged(int value);
    void on_horizontalSlider_valueChanged(int value);
    void on_tableWidget_itemSelectionChanged();
    void on_pushButton_selectAll_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_save_clicked();
    void on_pushButton_exit_clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Seams for the questions the save asks; the defaults show Qt's dialogs.
    virtual bool confirmLargeFile();
    virtual QString askSaveFileName(const QString& defaultPath);

private:
    void updateTableWidget();
    void updateSliderControls();
    void updateTableSelection();
    void adjustSliderControlsToTableSelection();
    void update_label_sumByte();
    int getAgeOfFile(int row) const;
    QDate rowDate(int row) const;

    void writeResult(const QString& shownName);
    void setControlsEnabled(bool enabled);
    void onReportSection(int index, const QString& heading);
    void keepPainting();
    void setStatus(const QString& text);
    void setProgress(int value);

    Ui::ExportSystemInformation* ui = nullptr;
    IOManager* iom = nullptr;
    QString m_sResultFilename;
    QString m_sEventLogDir;
    QByteArray m_byteArray;
    ExportConfiguration* exportConfigLog = nullptr;
    bool m_bUser = false;
    BackendVersions* beVers = nullptr;
    QDateTime m_lastFeUpdateDate;
    QString m_sVersionFeAndModules;
    bool m_bWriting = false;
    bool m_selectAllEnabled = true;
    bool m_clearEnabled = true;
    QString m_sShownName;
    QElapsedTimer m_paintClock;
};

#endif
