#ifndef ORVANE_PLAINTEXT_H
#define ORVANE_PLAINTEXT_H

#include <QMessageBox>
#include <QString>

class QLabel;
class QTextBrowser;
class QTextEdit;

// Text from a controller, a file, the command line or a module is data. Qt's
// default text format guesses whether a string is markup, and a controller
// name such as "<font size=6>" would then restyle the window or carry a live
// link; every widget that shows such text goes through these instead.
namespace PlainText {

// The label shows text exactly as given, whatever it looks like.
void setLabel(QLabel* label, const QString& text);

// A new paragraph at the end holding text literally; the cursor and the
// formats of the widget are left alone.
void appendLine(QTextEdit* edit, const QString& text);

// A browser a controller can write into must not follow what looks like a link.
void disableLinks(QTextBrowser* browser);

// A message box whose text is shown as plain text; the same buttons and
// result as the QMessageBox function of the same icon.  Boxes are asked
// through MessageBoxes, which ends here.
QMessageBox::StandardButton messageBox(
    QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

}  // namespace PlainText

#endif
