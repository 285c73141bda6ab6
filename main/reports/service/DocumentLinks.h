#ifndef ORVANE_DOCUMENTLINKS_H
#define ORVANE_DOCUMENTLINKS_H

#include <QString>
#include <QUrl>

class QWidget;

// The documents that ship beside the program (guides, open-source notice) and
// how the dialogs open them with the desktop's viewer.
namespace DocumentLinks {

// Installed documents, relative to the directory of the program file.
inline const char* const HardwareInstallationGuide = "../doc/QOR_Hardware_Installation-Guide.pdf";
inline const char* const UsersGuide = "../doc/ORVANE3_Users-Guide.pdf";
inline const char* const ProgrammersGuide = "../doc/ORVANE3_Programmers-Guide.pdf";
inline const char* const OpenSourceNotice = "../license/QOR_OSD.pdf";

// The directory of the program file; the tests point it elsewhere.
QString programDirectory();
void setProgramDirectory(const QString& directory);

// Fills a link pattern holding "file:///%1/%2" with the program directory and
// a relative path. The directory is percent-encoded, so blanks, quotes, '#' or
// '&' in an installation path neither break the link nor the rich text.
QString fillFileLink(const QString& pattern, const QString& relativePath);

// Hands a link to the desktop's default handler. A local file is resolved
// first ("bin/../doc" becomes "doc") and must exist; otherwise, or when the
// desktop cannot open it, the user gets the "Error" box. True when opened.
bool open(QWidget* parent, const QString& link);

// What actually opens a URL (QDesktopServices by default); replaceable so
// that tests see what would be opened without starting a viewer.
using UrlOpener = bool (*)(const QUrl& url);
UrlOpener setUrlOpener(UrlOpener opener);

}  // namespace DocumentLinks

#endif
