#include "AccessControlDialog.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

#include "AccessControl.h"
#include "IOManager.h"
#include "MessageBoxes.h"
#include "PasswordInputDialog.h"
#include "ap_udptcp.h"
#include "ui_AccessControlDialog.h"

namespace {

// The controller's own address as it reports it ("a.b.c.d" and the rest of its network
// settings); 0 when it cannot be read.
unsigned int readControllerAddress(IOManager* iom)
{
    if (!iom)
        return 0;
    char value[201] = {};
    if (iom->get_par(value, "system ethernet_ip") != 0)
        return 0;
    unsigned int a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(value, "%u.%u.%u.%u", &a, &b, &c, &d) != 4)
        return 0;
    if (a > 255 || b > 255 || c > 255 || d > 255)
        return 0;
    return ap_ip_num2ip(int(a), int(b), int(c), int(d));
}

}  // namespace

AccessControlDialog::AccessControlDialog(IOManager* iom, QWidget* parent)
    : QDialog(parent), ui(new Ui::AccessControlDialog), pIoManager(iom)
{
    ui->setupUi(this);
}

AccessControlDialog::~AccessControlDialog()
{
    delete pAccCtrl;
    delete ui;
}

bool AccessControlDialog::ensureAccessControl()
{
    if (pAccCtrl)
        return true;
    const unsigned int ip = readControllerAddress(pIoManager);
    if (ip == 0)
        return false;
    pAccCtrl = new AccessControl(ip, 0);
    return true;
}

int AccessControlDialog::update_and_exec()
{
    if (!ensureAccessControl()) {
        MessageBoxes::critical(this, tr("Error"), tr("Controller unreachable."));
        return 0;
    }
    bAccessControlIsActive = false;
    int err = 0;
    const bool required = pAccCtrl->requiresPassword(&err);
    if (!required && err != 0) {
        MessageBoxes::critical(
            this, tr("Error"),
            tr("Failed to obtain authentication requirements.\nNo connection to Controller?"));
        return 0;
    }
    bAccessControlIsActive = required;
    {
        const QSignalBlocker blocker(ui->checkBox_EnableAccessControl);
        ui->checkBox_EnableAccessControl->setChecked(required);
    }
    showProtectionState(required);
    return exec();
}

void AccessControlDialog::showProtectionState(bool enabled)
{
    ui->checkBox_EnableAccessControl->setEnabled(true);
    ui->lineEdit_NewPassword->clear();
    ui->lineEdit_NewPassword->setStyleSheet(QString());
    ui->lineEdit_NewPasswordRepeat->clear();
    setStatus(QString(), QString());

    ui->label_NewPassword->setEnabled(enabled);
    ui->lineEdit_NewPassword->setEnabled(enabled);
    ui->label_NewPasswordRepeat->setEnabled(enabled);
    ui->lineEdit_NewPasswordRepeat->setEnabled(false);

    if (enabled) {
        // A new password must be typed and confirmed before anything can be written.
        ui->pushButton_Ok->setEnabled(false);
        ui->lineEdit_NewPassword->setFocus();
    } else {
        // Switching protection off only means something if the controller has a password.
        ui->pushButton_Ok->setEnabled(bAccessControlIsActive);
        if (bAccessControlIsActive)
            ui->pushButton_Ok->setFocus();
    }
}

void AccessControlDialog::setStatus(const QString& text, const QString& styleSheet)
{
    ui->label_NewPasswordStatus->setText(text);
    ui->label_NewPasswordStatus->setStyleSheet(styleSheet);
}

void AccessControlDialog::on_checkBox_EnableAccessControl_toggled(bool checked)
{
    showProtectionState(checked);
}

void AccessControlDialog::on_lineEdit_NewPassword_textEdited(const QString& text)
{
    ui->lineEdit_NewPasswordRepeat->clear();
    ui->lineEdit_NewPasswordRepeat->setEnabled(false);
    ui->pushButton_Ok->setEnabled(false);
    if (text.isEmpty() || AccessControl::isValidPassword(text)) {
        ui->lineEdit_NewPassword->setStyleSheet(QString());
        setStatus(QString(), QString());
        ui->lineEdit_NewPasswordRepeat->setEnabled(!text.isEmpty());
    } else {
        ui->lineEdit_NewPassword->setStyleSheet(QStringLiteral("background-color: red;"));
        setStatus(tr("Invalid password!"), QStringLiteral("color: red;"));
    }
}

void AccessControlDialog::on_lineEdit_NewPasswordRepeat_textEdited(const QString& text)
{
    const QString password = ui->lineEdit_NewPassword->text();
    if (AccessControl::isValidPassword(password) && password == text) {
        setStatus(tr("Matching."), QStringLiteral("color: green;"));
        ui->pushButton_Ok->setEnabled(true);
        ui->pushButton_Ok->setFocus();
    } else {
        setStatus(tr("Not matching."), QString());
        ui->pushButton_Ok->setEnabled(false);
    }
}

void AccessControlDialog::on_pushButton_Ok_clicked()
{
    const QMessageBox::StandardButton answer = MessageBoxes::warning(
        this, tr("Password Settings"),
        tr("Changing the Controller's password will not only affect your profile but global "
           "Controller settings.\n\nContinue?"),
        QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    ui->checkBox_EnableAccessControl->setEnabled(false);
    accept();
}

void AccessControlDialog::on_pushButton_Cancel_clicked()
{
    reject();
}

void AccessControlDialog::accept()
{
    int err = 0;
    const bool required = pAccCtrl && pAccCtrl->requiresPassword(&err);
    if (required) {
        PasswordInputDialog prompt(pAccCtrl, this);
        prompt.update_and_exec(tr("Authorize with current password"));
        if (prompt.accepted())
            closeAfterUpdate(prompt.input());
        else
            ui->checkBox_EnableAccessControl->setEnabled(true);
    } else if (pAccCtrl && err == 0) {
        closeAfterUpdate(QString());
    } else {
        MessageBoxes::critical(
            this, tr("Error"),
            tr("Failed to obtain authentication requirements.\nNo connection to Controller?"));
        ui->checkBox_EnableAccessControl->setEnabled(true);
    }
}

void AccessControlDialog::closeAfterUpdate(const QString& currentPassword)
{
    int err = 0;
    if (updatePassword(currentPassword, &err)) {
        ui->lineEdit_NewPassword->clear();
        ui->lineEdit_NewPasswordRepeat->clear();
        QDialog::accept();
        return;
    }
    MessageBoxes::critical(this, tr("Error"),
                           tr("Failed to update password settings on controller."));
    // The dialog stays open; the user may change the choice or cancel.
    ui->checkBox_EnableAccessControl->setEnabled(true);
}

bool AccessControlDialog::updatePassword(const QString& currentPassword, int* err)
{
    if (!pAccCtrl) {
        if (err)
            *err = AccessControl::ErrCommunication;
        return false;
    }
    if (!ui->checkBox_EnableAccessControl->isChecked())
        return pAccCtrl->resetPassword(QString(), currentPassword, pIoManager, err);
    const QString newPassword = ui->lineEdit_NewPassword->text();
    // An empty field would clear the protection the user asked to switch on.
    if (newPassword.isEmpty()) {
        if (err)
            *err = AccessControl::ErrPasswordRule;
        return false;
    }
    return pAccCtrl->resetPassword(newPassword, currentPassword, pIoManager, err);
}

void AccessControlDialog::reject()
{
    ui->checkBox_EnableAccessControl->setEnabled(true);
    ui->lineEdit_NewPassword->clear();
    ui->lineEdit_NewPasswordRepeat->clear();
    QDialog::reject();
}

void AccessControlDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
