#include "PlainText.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>

namespace PlainText {

void setLabel(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

void appendLine(QTextEdit* edit, const QString& text)
{
    QTextCursor cursor(edit->document());
    cursor.movePosition(QTextCursor::End);
    // QTextEdit::append() starts its first paragraph in the empty first block.
    if (!edit->document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(text, QTextCharFormat());
}

void disableLinks(QTextBrowser* browser)
{
    browser->setOpenLinks(false);
    browser->setOpenExternalLinks(false);
}

QMessageBox::StandardButton messageBox(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(buttons);
    box.setDefaultButton(defaultButton);
    // As QMessageBox's own functions: a box closed without a button answers with
    // its escape button, or with nothing.
    if (box.exec() == -1)
        return QMessageBox::Cancel;
    return box.standardButton(box.clickedButton());
}

}  // namespace PlainText
