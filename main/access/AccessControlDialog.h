#ifndef ACCESSCONTROLDIALOG_H
#define ACCESSCONTROLDIALOG_H

#include <QDialog>
#include <QString>

class AccessControl;
class IOManager;
class QKeyEvent;

namespace Ui {
class AccessControlDialog;
}

// Switches the connected controller's front-end password on or off and sets a new one.
// The settings live on the controller and affect every user of it.
class AccessControlDialog : public QDialog
{
    Q_OBJECT

public:
    AccessControlDialog(IOManager* iom, QWidget* parent = nullptr);
    ~AccessControlDialog() override;

    // Writes the dialog's choice to the controller, authorised by currentPassword.
    bool updatePassword(const QString& currentPassword, int* err);

public slots:
    int update_and_exec();
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_checkBox_EnableAccessControl_toggled(bool checked);
    void on_lineEdit_NewPassword_textEdited(const QString& text);
    void on_lineEdit_NewPasswordRepeat_textEdited(const QString& text);
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();

private:
    bool ensureAccessControl();
    void showProtectionState(bool enabled);
    void setStatus(const QString& text, const QString& styleSheet);
    void closeAfterUpdate(const QString& currentPassword);

    Ui::AccessControlDialog* ui;
    IOManager* pIoManager;
    AccessControl* pAccCtrl = nullptr;
    bool bAccessControlIsActive = false;
};

#endif
