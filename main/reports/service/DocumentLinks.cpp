#include "DocumentLinks.h"

#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace DocumentLinks {
namespace {

bool openWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

UrlOpener s_opener = openWithDesktop;
QString s_programDirectory;

void showOpenFailure(QWidget* parent, const QString& link)
{
    MessageBoxes::warning(
        parent, QCoreApplication::translate("DocumentLinks", "Error"),
        QCoreApplication::translate("DocumentLinks",
                                    "Failed to open %1 Do you have a PDF reader installed?")
            .arg(link));
}

}  // namespace

QString programDirectory()
{
    return s_programDirectory.isEmpty() ? QCoreApplication::applicationDirPath()
                                        : s_programDirectory;
}

void setProgramDirectory(const QString& directory)
{
    s_programDirectory = directory;
}

QString fillFileLink(const QString& pattern, const QString& relativePath)
{
    QString directory = QDir::fromNativeSeparators(programDirectory());
    // "file:///" already holds the root's slash.
    while (directory.startsWith('/'))
        directory.remove(0, 1);
    const QString encoded = QString::fromUtf8(QUrl::toPercentEncoding(directory, "/:"));
    return pattern.arg(encoded, relativePath);
}

bool open(QWidget* parent, const QString& link)
{
    QUrl url(link);
    if (url.isLocalFile()) {
        const QString path = QDir::cleanPath(url.toLocalFile());
        if (!QFileInfo(path).isFile()) {
            showOpenFailure(parent, link);
            return false;
        }
        url = QUrl::fromLocalFile(path);
    }
    if (!url.isValid() || !s_opener(url)) {
        showOpenFailure(parent, link);
        return false;
    }
    return true;
}

UrlOpener setUrlOpener(UrlOpener opener)
{
    UrlOpener previous = s_opener;
    s_opener = opener ? opener : openWithDesktop;
    return previous;
}

}  // namespace DocumentLinks
