// The per-user preferences file: the last controller, the connection dialog's
// search settings, display switches, command-log settings, the external-command
// time-out and the controller's front-end password.

#include "Preferences.h"
#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include "FrontendInfo.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>
#include <QXmlStreamWriter>

#include <sys/stat.h>

#include <algorithm>

namespace {

const QString kUpdateDateFormat = QStringLiteral("yyyy-MM-ddThh:mm:ss");
constexpr qint64 kMaxExternalCmdTimeoutUs = 2000000000;

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// XML 1.0 cannot hold most control characters, and a value holding one (taken
// from a character reference, or from a controller's name) would make every later
// write fail. Such characters are dropped when writing.
QString xmlCharactersOnly(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            continue;
        } else if (c.unicode() >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
            out += c;
        }
    }
    return out;
}

// QDom keeps attributes in a hash, so their written order would change from run
// to run; elements with several attributes list them in this fixed order.
int attributeRank(const QString& element, const QString& attribute)
{
    static const QStringList lastTrackbox = {"IP", "HOSTNAME", "MAC", "MODEL"};
    if (element == "LAST_TRACKBOX")
        return lastTrackbox.indexOf(attribute);
    return -1;
}

void writeAttributes(QXmlStreamWriter& xml, const QDomElement& element)
{
    const QDomNamedNodeMap map = element.attributes();
    QList<QDomAttr> attributes;
    for (int i = 0; i < map.count(); ++i)
        attributes.append(map.item(i).toAttr());
    const QString tag = element.tagName();
    std::sort(attributes.begin(), attributes.end(), [&tag](const QDomAttr& a, const QDomAttr& b) {
        const int ra = attributeRank(tag, a.name());
        const int rb = attributeRank(tag, b.name());
        if (ra != rb)
            return static_cast<unsigned>(ra) < static_cast<unsigned>(rb);
        return a.name() < b.name();
    });
    for (const QDomAttr& attribute : attributes)
        xml.writeAttribute(attribute.name(), xmlCharactersOnly(attribute.value()));
}

// The declaration must open the file; the writer's own declaration does that
// and encodes the document as the declaration says.
void writeXmlDeclaration(QXmlStreamWriter& xml, const QString& data)
{
    static const QRegularExpression version("version=\"([^\"]*)\"");
    static const QRegularExpression encoding("encoding=\"([^\"]*)\"");
    const QRegularExpressionMatch codecName = encoding.match(data);
    if (codecName.hasMatch()) {
        if (QTextCodec* codec = QTextCodec::codecForName(codecName.captured(1).toLatin1()))
            xml.setCodec(codec);
    }
    const QRegularExpressionMatch versionNumber = version.match(data);
    xml.writeStartDocument(versionNumber.hasMatch() ? versionNumber.captured(1) : "1.0");
}

void writeNode(QXmlStreamWriter& xml, const QDomNode& node)
{
    if (node.isProcessingInstruction()) {
        const QDomProcessingInstruction pi = node.toProcessingInstruction();
        if (pi.target() == "xml")
            writeXmlDeclaration(xml, pi.data());
        else
            xml.writeProcessingInstruction(pi.target(), pi.data());
    } else if (node.isComment()) {
        xml.writeComment(xmlCharactersOnly(node.toComment().data()));
    } else if (node.isText()) {
        xml.writeCharacters(xmlCharactersOnly(node.toText().data()));
    } else if (node.isElement()) {
        const QDomElement element = node.toElement();
        if (element.hasChildNodes())
            xml.writeStartElement(element.tagName());
        else
            xml.writeEmptyElement(element.tagName());
        writeAttributes(xml, element);
        for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            writeNode(xml, child);
        if (element.hasChildNodes())
            xml.writeEndElement();
    }
}

}  // namespace

Preferences::Preferences()
{
    initPaths();
    initBuiltInPreferences();
}

void Preferences::initPaths()
{
    const QString baseDir = FrontendInfo::versionFolder();
    m_appPath = QCoreApplication::applicationDirPath();
    m_defaultConfigDir = m_appPath + "/config";
    m_sConfigDir = baseDir + "/config";
    m_sLayoutDir = m_sConfigDir;
    m_sConfigFileName = m_sConfigDir + "/current-preferences.xml";
    m_sEventLogDir = baseDir + "/logs";
}

void Preferences::initBuiltInPreferences()
{
    resetLastTrackboxSettings();
    sTrackBoxSelection.clear();
    m_bIsCascade = false;
    m_lastFeUpdateDate = QDateTime();
    m_bShowDynReflexSuppr = false;
    m_bShowServiceMenue = false;
    m_bIsDarkTheme = true;
    m_bWriteLogFile = false;
    m_sCommandHistoryLogFileName.clear();
    m_sResponsePrefix.clear();
    m_bAutoBackup = true;
    m_bCheckForOldFrontendOrBackend = true;
    external_cmd_timeout = FrontendInfo::kDefaultExternalCmdTimeoutUs;
    m_frontendPassword.clear();
}

void Preferences::showPreferencesWarning(const QString& title, const QString& text)
{
    MessageBoxes::warning(m_warningParent, title, text);
}

void Preferences::resetLastTrackboxSettings()
{
    lastController = LastController();
    sFixHostnameOrIp.clear();
    sFixSubnet.clear();
    nTrackBoxSelection = 1;
}

void Preferences::loadXMLSettings()
{
    resetLastTrackboxSettings();

    const QString title = tr("Error loading preferences");
    QString fileName = m_sConfigFileName;
    if (!QFile::exists(fileName)) {
        fileName = m_defaultConfigDir + "/default-preferences.xml";
        if (!QFile::exists(fileName)) {
            showPreferencesWarning(
                title, tr("Files not found :\n %1\n\nUsing built-in values.").arg(fileName));
            return;
        }
    }

    const QString warning = readSettingsFile(fileName);
    if (warning.isEmpty())
        return;
    if (fileName == m_sConfigFileName)
        keepUnreadableSettingsFile();
    showPreferencesWarning(title, warning);
}

// Returns the warning for the user, or an empty string when the file was read.
QString Preferences::readSettingsFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return tr("File %1 cannot be opened for reading.\nUsing built-in values.").arg(fileName);
    const QByteArray data = file.readAll();
    file.close();
    return readSettingsData(data, fileName);
}

QString Preferences::readSettingsData(const QByteArray& data, const QString& fileName)
{
    if (data.isEmpty()) {
        return tr("Error while parsing %1:\nThe file doesn't look like a valid preferences "
                  "file.\nUsing built-in values.")
            .arg(fileName);
    }

    QDomDocument doc;
    QString errorMessage;
    int errorLine = 0;
    int errorColumn = 0;
    if (!doc.setContent(data, &errorMessage, &errorLine, &errorColumn)) {
        // One arg() call, so that a '%' in the path cannot take a later value.
        return tr("Error while parsing %1 (Line %2, Column %3) :\n%4.\nUsing built-in values.")
            .arg(fileName, QString::number(errorLine), QString::number(errorColumn), errorMessage);
    }

    const QDomElement root = doc.documentElement();
    if (root.tagName() != "ORVANE") {
        return tr("Error while parsing %1 :\nThe file doesn't look like a valid preferences "
                  "file.\nUsing built-in values.")
            .arg(fileName);
    }

    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isElement())
            readXmlLevel1(node);
    }
    return QString();
}

// A per-user file that cannot be read would be overwritten with built-in values
// at the next write; keep the user's version beside it.
void Preferences::keepUnreadableSettingsFile()
{
    const QString copyName = m_sConfigFileName + ".corrupt";
    QFile::remove(copyName);
    QFile::copy(m_sConfigFileName, copyName);
}

void Preferences::readXmlLevel1(const QDomNode& node)
{
    const QDomElement element = node.toElement();
    const QString tag = element.tagName();

    if (tag == "LAST_TRACKBOX") {
        if (element.hasAttribute("IP"))
            lastController.ip = element.attribute("IP");
        if (element.hasAttribute("HOSTNAME"))
            lastController.hostname = element.attribute("HOSTNAME");
        if (element.hasAttribute("MAC"))
            lastController.mac = element.attribute("MAC");
        if (element.hasAttribute("MODEL"))
            lastController.model = element.attribute("MODEL");
    } else if (tag == "LAST_FRONTEND_UPDATE") {
        const QString date = element.attribute("UPDATE_DATE");
        if (!date.isEmpty())
            m_lastFeUpdateDate = QDateTime::fromString(date, kUpdateDateFormat);
    } else {
        for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (child.isElement())
                readXmlLevel2(child, tag);
        }
    }
}

void Preferences::readXmlLevel2(const QDomNode& node, QString parentTag)
{
    const QString tag = node.toElement().tagName();
    const QString text = getXmlNodeText(tag, node);

    if (parentTag == "TRACKBOX_SELECTION") {
        if (tag == "FIX_HOSTNAME_OR_IP") {
            sFixHostnameOrIp = text;
        } else if (tag == "FIX_SUBNET") {
            sFixSubnet = text;
        } else if (tag == "NET_RANGE") {
            sTrackBoxSelection = text;
            nTrackBoxSelection = text == "specific_zec" ? 1 : 0;
        } else if (tag == "CASCADED_SYSTEM") {
            m_bIsCascade = text == "true";
        }
    } else if (parentTag == "CAMERA_SETTINGS") {
        if (tag == "SHOW_DYNAMIC_REFLEX_SUPPRESSION")
            m_bShowDynReflexSuppr = text == "true";
    } else if (parentTag == "MENUE") {
        if (tag == "SHOW_SERVICE")
            m_bShowServiceMenue = text == "true";
        else if (tag == "IS_DARK_THEME")
            m_bIsDarkTheme = text == "true";
    } else if (parentTag == "LOG_FILE") {
        if (tag == "ENABLED")
            m_bWriteLogFile = text == "true";
        else if (tag == "NAME")
            m_sCommandHistoryLogFileName = text;
        else if (tag == "RESPONSE_PREFIX")
            m_sResponsePrefix = text;  // read back as written, so the prefix survives a restart
    } else if (parentTag == "MISC") {
        if (tag == "NOTIFY_OLD_FRONTEND_OR_BACKEND")
            m_bCheckForOldFrontendOrBackend = text != "false";
        else if (tag == "EXTERNAL_COMMAND_TIMEOUT_MS")
            readExternalCmdTimeout(text);
        else if (tag == "FRONTEND_PASSWORD")
            m_frontendPassword = text.toUtf8();
        else if (tag == "AUTO_BACKUP")
            m_bAutoBackup = text == "true";
    }
    // ACCESSED_TRACKBOX/TRACKBOX and unknown entries are accepted and ignored.
}

QString Preferences::getXmlNodeText(QString tagName, const QDomNode& node)
{
    if (!node.isElement() || node.toElement().tagName() != tagName)
        return QString();
    const QDomNode first = node.firstChild();
    return first.isText() ? first.toText().data() : QString();
}

void Preferences::readExternalCmdTimeout(const QString& text)
{
    bool ok = false;
    const qlonglong ms = text.toLongLong(&ok);
    if (ok && ms > 0) {
        external_cmd_timeout =
            static_cast<int>(std::min<qlonglong>(ms, kMaxExternalCmdTimeoutUs / 1000) * 1000);
        return;
    }
    // A positive number too long for 64 bits is still just "very long".
    static const QRegularExpression digits("\\A\\s*\\+?0*[1-9][0-9]*\\s*\\z");
    external_cmd_timeout = !ok && digits.match(text).hasMatch()
                               ? static_cast<int>(kMaxExternalCmdTimeoutUs)
                               : FrontendInfo::kDefaultExternalCmdTimeoutUs;
}

bool Preferences::writeXMLSettings()
{
    return writeXmlTreeToFile(createXmlTree());
}

QDomElement Preferences::createTextEntry(QString name, QString value, QDomElement& parent,
                                         QDomDocument* doc)
{
    QDomElement element = doc->createElement(name);
    element.appendChild(doc->createTextNode(value));
    parent.appendChild(element);
    return element;
}

QDomDocument Preferences::createXmlTree()
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction("xml", "version=\"1.0\" encoding=\"UTF-8\""));
    QDomElement root = doc.createElement("ORVANE");
    doc.appendChild(root);

    QDomElement lastTrackbox = doc.createElement("LAST_TRACKBOX");
    lastTrackbox.setAttribute("IP", lastController.ip);
    lastTrackbox.setAttribute("HOSTNAME", lastController.hostname);
    lastTrackbox.setAttribute("MAC", lastController.mac);
    lastTrackbox.setAttribute("MODEL", lastController.model);
    root.appendChild(lastTrackbox);

    QDomElement selection = doc.createElement("TRACKBOX_SELECTION");
    root.appendChild(selection);
    createTextEntry("FIX_HOSTNAME_OR_IP", sFixHostnameOrIp, selection, &doc);
    createTextEntry("FIX_SUBNET", sFixSubnet, selection, &doc);
    createTextEntry("NET_RANGE", nTrackBoxSelection == 1 ? "specific_zec" : "scan", selection,
                    &doc);
    selection.appendChild(doc.createComment(" possible values for NET_RANGE: scan, specific_zec "));
    createTextEntry("CASCADED_SYSTEM", boolText(m_bIsCascade), selection, &doc);

    // Whole seconds, as the file holds them, so the kept value equals the written one.
    if (!m_lastFeUpdateDate.isValid())
        m_lastFeUpdateDate = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    QDomElement update = doc.createElement("LAST_FRONTEND_UPDATE");
    update.setAttribute("UPDATE_DATE", m_lastFeUpdateDate.toString(kUpdateDateFormat));
    root.appendChild(update);

    QDomElement camera = doc.createElement("CAMERA_SETTINGS");
    root.appendChild(camera);
    createTextEntry("SHOW_DYNAMIC_REFLEX_SUPPRESSION", boolText(m_bShowDynReflexSuppr), camera,
                    &doc);

    QDomElement menue = doc.createElement("MENUE");
    root.appendChild(menue);
    createTextEntry("SHOW_SERVICE", boolText(m_bShowServiceMenue), menue, &doc);
    createTextEntry("IS_DARK_THEME", boolText(m_bIsDarkTheme), menue, &doc);

    if (!m_sCommandHistoryLogFileName.isEmpty()) {
        QDomElement log = doc.createElement("LOG_FILE");
        root.appendChild(log);
        createTextEntry("ENABLED", boolText(m_bWriteLogFile), log, &doc);
        createTextEntry("NAME", m_sCommandHistoryLogFileName, log, &doc);
        log.appendChild(doc.createComment("File name without path!"));
        createTextEntry("RESPONSE_PREFIX", m_sResponsePrefix, log, &doc);
    }

    QDomElement misc = doc.createElement("MISC");
    root.appendChild(misc);
    createTextEntry("AUTO_BACKUP", boolText(m_bAutoBackup), misc, &doc);
    if (!m_bCheckForOldFrontendOrBackend)
        createTextEntry("NOTIFY_OLD_FRONTEND_OR_BACKEND", "false", misc, &doc);
    if (external_cmd_timeout != FrontendInfo::kDefaultExternalCmdTimeoutUs) {
        createTextEntry("EXTERNAL_COMMAND_TIMEOUT_MS", QString::number(external_cmd_timeout / 1000),
                        misc, &doc);
    }
    if (!m_frontendPassword.isEmpty())
        createTextEntry("FRONTEND_PASSWORD", QString::fromUtf8(m_frontendPassword), misc, &doc);

    return doc;
}

// The file is replaced only once the new version is complete on disk, so a
// failed write leaves the previous preferences in place. It holds the
// controller password in clear text and is therefore readable by its owner only.
bool Preferences::writeXmlTreeToFile(const QDomDocument& doc)
{
    const QString title = tr("Error writing preferences");
    if (!QDir().mkpath(m_sConfigDir)) {
        showPreferencesWarning(
            title, tr("Directory %1 doesn't exist and cannot be created.").arg(m_sConfigDir));
        return false;
    }

    QSaveFile file(m_sConfigFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        showPreferencesWarning(title,
                               tr("File %1 cannot be opened for writing.").arg(m_sConfigFileName));
        return false;
    }
    ::fchmod(file.handle(), S_IRUSR | S_IWUSR);

    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    for (QDomNode node = doc.firstChild(); !node.isNull(); node = node.nextSibling())
        writeNode(xml, node);
    xml.writeEndDocument();

    // QSaveFile::commit() does not notice a flush that writes only part of the
    // buffer (a full disk), so flush first; without a commit the old file stays.
    if (xml.hasError() || !file.flush() || !file.commit()) {
        showPreferencesWarning(title, tr("File %1 cannot be written.").arg(m_sConfigFileName));
        return false;
    }
    return true;
}
