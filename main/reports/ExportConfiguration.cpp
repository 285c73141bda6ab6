#include "ExportConfiguration.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "BackendVersions.h"
#include "IOManager.h"
#include "MessageBoxProvider.h"
#include "MessageBoxes.h"

ExportConfiguration::ExportConfiguration(IOManager* iom_, QWidget* parent,
                                         BackendVersions* versions)
    : QObject(nullptr),
      iom(iom_),
      beVers(versions),
      m_parent(parent),
      m_filePath(QDir::homePath()),
      m_sFilename(QDir::homePath() + QStringLiteral("/configuration.txt")),
      m_out(iom_, versions)
{
    m_out.setFileName(m_sFilename);
    m_out.setAfterQuery([this] { emit queried(); });
}

QString ExportConfiguration::getLastUpdateDate() const
{
    if (!m_lastFeUpdateDate.isValid())
        return QStringLiteral("unknown");
    return m_lastFeUpdateDate.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss"));
}

void ExportConfiguration::showBox(int kind, const QString& title, const QString& text)
{
    if (m_boxes) {
        m_boxes->openMessageBox(kind, title, text);
        return;
    }
    if (kind == MessageBoxProvider::Warning)
        MessageBoxes::warning(m_parent, title, text);
    else
        MessageBoxes::information(m_parent, title, text);
}

int ExportConfiguration::exportConfigurations(const QString& fileName, bool showMessage,
                                              bool deleteFirst)
{
    if (fileName.isEmpty())
        return ResultNoFileName;
    m_sFilename = fileName;
    m_out.setFileName(fileName);
    m_out.resetCounters();

    QFile probe(fileName);
    bool writable = probe.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
    probe.close();
    // A file that should start afresh but cannot be removed would silently
    // carry its old content into the new report.
    if (writable && deleteFirst && QFile::exists(fileName))
        writable = QFile::remove(fileName);
    if (!writable) {
        showBox(MessageBoxProvider::Warning, tr("Log Settings"),
                tr("You don't have the rights to write to this location.\n Please choose another "
                   "location."));
        return ResultNotWritable;
    }

    // One open for the whole report instead of one per line; should it fail,
    // the lines try on their own and count their failures.
    m_out.openFile();
    emit sectionStarted(0, QLatin1String(OverviewHeading));
    writeHeader();
    for (int i = 0; i < sections().size(); ++i) {
        emit sectionStarted(i + 1, QLatin1String(sections().at(i).heading));
        writeSection(sections().at(i));
    }
    writeUnansweredQueries();
    m_out.closeFile();
    return reportResult(showMessage);
}

// Whoever reads the file later, without the box, learns from its end that lines failed.
void ExportConfiguration::writeUnansweredQueries()
{
    if (m_out.unansweredQueries() > 0)
        m_out.line(ReportWriter::unansweredQueriesText(m_out.unansweredQueries()));
}

int ExportConfiguration::reportResult(bool showMessage)
{
    const QString fileName = m_out.fileName();
    if (m_out.failedLines() > 0) {
        // Saying "successfully written" over a report with holes would hide
        // the loss from whoever reads it later.
        if (showMessage)
            showBox(MessageBoxProvider::Warning, tr("Log Settings"),
                    tr("%1 lines could not be written to the file\n%2")
                        .arg(QString::number(m_out.failedLines()), fileName));
        return ResultLinesLost;
    }
    // Queries left unanswered are holes too, even though every line was written.
    if (m_out.incompleteItems() > 0 || m_out.unansweredQueries() > 0) {
        if (showMessage)
            showBox(MessageBoxProvider::Warning, tr("Log Settings"),
                    tr("The report in the file\n%1\nis incomplete: the controller reported "
                       "more entries than can be listed, or values that cannot be queried.")
                        .arg(fileName));
        return ResultIncomplete;
    }
    if (showMessage)
        showBox(0, tr("Log Settings"),
                tr("Informations successfully written to the file\n%1").arg(fileName));
    return ResultOk;
}
