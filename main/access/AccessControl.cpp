#include "AccessControl.h"

#include <QRegExp>
#include <QRegExpValidator>

#include "ControllerProbe.h"
#include "FrontendInfo.h"
#include "IOManager.h"

const VersionInfo ORVANE_PROTOCOL_REQUIRED(
    protocolFeatureSince(ProtocolFeature::FrontendPassword).major,
    protocolFeatureSince(ProtocolFeature::FrontendPassword).minor, -1);

namespace {

constexpr int kDefaultPort = FrontendInfo::kControllerPort;

void setErr(int* err, int code)
{
    if (err)
        *err = code;
}

// One parameter read over a socket of its own.
bool s_SendCommand(unsigned int ip, int port, const QByteArray& parameter, QByteArray* answer)
{
    ControllerProbe probe;
    if (!probe.isOpen())
        return false;
    probe.setController(ip, static_cast<unsigned short>(port));
    char value[IOManager::MaxTextLength + 1] = {};
    if (probe.readParameter(parameter.constData(), value) != 0)
        return false;
    *answer = QByteArray(value);
    return true;
}

QByteArray quoted(const QString& password)
{
    return "'" + password.toLatin1() + "'";
}

}  // namespace

AccessControl::AccessControl(unsigned int controllerIp, int port)
    : m_ControllerIp(controllerIp),
      m_Port(port == 0 ? kDefaultPort : port),
      m_ProtocolVersion(0, 0, -1)
{
}

AccessControl::~AccessControl() = default;

void AccessControl::setControllerIp(unsigned int controllerIp)
{
    if (controllerIp != m_ControllerIp)
        m_ProtocolVersion = VersionInfo(0, 0, -1);
    m_ControllerIp = controllerIp;
}

const QRegExpValidator AccessControl::m_PasswordValidator(
    QRegExp(QStringLiteral("[0-9a-zA-Z_\\-\\+./]+")));

const QRegExpValidator* AccessControl::getPasswordValidator()
{
    return &m_PasswordValidator;
}

bool AccessControl::isValidPassword(const QString& password)
{
    if (password.isEmpty())
        return false;
    QString text = password;
    int pos = 0;
    return getPasswordValidator()->validate(text, pos) == QValidator::Acceptable;
}

bool AccessControl::protocolVersionKnown() const
{
    return m_ProtocolVersion > VersionInfo(0, 0, -1);
}

bool AccessControl::readProtocolVersion(int* err)
{
    QByteArray answer;
    if (!s_SendCommand(m_ControllerIp, m_Port, "system protocol_version", &answer) ||
        answer.trimmed().isEmpty()) {
        setErr(err, ErrCommunication);
        return false;
    }
    bool ok = true;
    const VersionInfo version =
        VersionInfo::fromFirstWord(QString::fromLatin1(answer.trimmed()), &ok);
    if (!ok || version.getMajor() < 0) {
        setErr(err, ErrCommunication);
        return false;
    }
    m_ProtocolVersion = version;
    return true;
}

bool AccessControl::supportsPassword(int* err)
{
    if (!protocolVersionKnown() && !readProtocolVersion(err))
        return false;
    setErr(err, 0);
    // A missing patch level on either side satisfies the patch comparison.
    return m_ProtocolVersion.supports(ProtocolFeature::FrontendPassword);
}

int AccessControl::readYesNo(const QString& parameter)
{
    QByteArray answer;
    if (!s_SendCommand(m_ControllerIp, m_Port, parameter.toLatin1(), &answer))
        return -1;
    answer = answer.trimmed();
    if (answer == "yes")
        return 1;
    if (answer == "no")
        return 0;
    return -1;
}

bool AccessControl::requiresPassword(int* err)
{
    int code = 0;
    if (!supportsPassword(&code)) {
        setErr(err, code);
        return false;
    }
    // The controller answers whether "none" is the password: "no" means one is set.
    const int answer = readYesNo(QStringLiteral("config is_frontend_password none"));
    if (answer < 0) {
        setErr(err, ErrCommunication);
        return false;
    }
    setErr(err, 0);
    return answer == 0;
}

bool AccessControl::verifyPassword(const QString& password, int* err)
{
    int code = 0;
    if (!supportsPassword(&code)) {
        setErr(err, code);
        return false;
    }
    // Blanks and quotes would break the quoted command; nothing leaves the machine then.
    if (!isValidPassword(password)) {
        setErr(err, ErrPasswordRule);
        return false;
    }
    const QString parameter =
        QStringLiteral("config is_frontend_password ") + QString::fromLatin1(quoted(password));
    const int answer = readYesNo(parameter);
    if (answer < 0) {
        setErr(err, ErrCommunication);
        return false;
    }
    setErr(err, answer == 1 ? 0 : ErrWrongPassword);
    return answer == 1;
}

bool AccessControl::resetPassword(const QString& newPassword, const QString& currentPassword,
                                  IOManager* iom, int* err)
{
    int code = 0;
    if (!supportsPassword(&code)) {
        setErr(err, code);
        return false;
    }

    // Only the holder of the current password may change it.  A controller that cannot be
    // asked is reported as such, not as a wrong password.
    const bool required = requiresPassword(&code);
    if (required) {
        if (!verifyPassword(currentPassword, &code)) {
            setErr(err, code == ErrCommunication ? ErrCommunication : ErrWrongPassword);
            return false;
        }
    } else if (code != 0) {
        setErr(err, ErrCommunication);
        return false;
    }

    if (!newPassword.isEmpty() && !isValidPassword(newPassword)) {
        setErr(err, ErrPasswordRule);
        return false;
    }
    if (!iom) {
        setErr(err, ErrCommunication);
        return false;
    }
    const int rc = newPassword.isEmpty() ? iom->set_par("config new_frontend_password none")
                                         : iom->set_par("config new_frontend_password %s",
                                                        quoted(newPassword).constData());
    setErr(err, rc == 0 ? 0 : ErrCommunication);
    return rc == 0;
}
