#ifndef ACCESSCONTROL_H
#define ACCESSCONTROL_H

#include <QString>

#include "VersionInfo.h"

class IOManager;
class QRegExpValidator;

// Lowest controller protocol version that knows the front-end password.
extern const VersionInfo ORVANE_PROTOCOL_REQUIRED;

// Asks one controller whether it supports and requires the front-end password, verifies a
// password and sets or clears it.  Reads go over short-lived UDP sockets of their own; writes
// need the main command channel.  The password is never stored here.
//
// Error codes through the optional err outputs: 0 no error; -12 no answer, an unexpected
// answer or an unreadable protocol version; -21 wrong password; -22 the password breaks the
// character rule.
class AccessControl
{
public:
    // The codes of the err outputs.
    enum Error
    {
        NoError = 0,
        ErrCommunication = -12,  // no answer, an unexpected answer, an unreadable version
        ErrWrongPassword = -21,
        ErrPasswordRule = -22  // the password breaks the character rule
    };

    AccessControl(unsigned int controllerIp, int port);
    virtual ~AccessControl();

    // Another controller: the cached protocol version belongs to the old one and is dropped.
    void setControllerIp(unsigned int controllerIp);
    unsigned int controllerIp() const { return m_ControllerIp; }
    int port() const { return m_Port; }

    // Shared by every user of passwords: letters, digits and "_-+./", at least one.
    static const QRegExpValidator* getPasswordValidator();
    static bool isValidPassword(const QString& password);

    bool supportsPassword(int* err = nullptr);
    bool requiresPassword(int* err = nullptr);
    bool verifyPassword(const QString& password, int* err = nullptr);
    // An empty newPassword clears the protection.
    bool resetPassword(const QString& newPassword, const QString& currentPassword, IOManager* iom,
                       int* err = nullptr);

    // The version read by supportsPassword(); 0.0 with patch -1 until then.
    VersionInfo protocolVersion() const { return m_ProtocolVersion; }

private:
    bool protocolVersionKnown() const;
    bool readProtocolVersion(int* err);
    // 1 "yes", 0 "no", -1 no answer or any other answer.
    int readYesNo(const QString& parameter);

    unsigned int m_ControllerIp;
    int m_Port;
    VersionInfo m_ProtocolVersion;
    static const QRegExpValidator m_PasswordValidator;
};

#endif
