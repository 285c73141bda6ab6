// Arbitrary bytes as the per-user preferences file. Reading must either warn
// and keep the built-in values (with the file kept aside), or yield settings
// that survive being written and read back unchanged.

#include "FrontendInfo.h"
#include "Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

class FuzzWindow : public Preferences
{
public:
    QStringList warnings;

protected:
    void showPreferencesWarning(const QString&, const QString& text) override { warnings << text; }
};

struct Settings
{
    QStringList texts;
    QList<int> numbers;
    QByteArray password;
    QDateTime updated;

    bool operator==(const Settings& o) const
    {
        return texts == o.texts && numbers == o.numbers && password == o.password &&
               updated == o.updated;
    }
};

// An attribute value as it reads back: characters XML cannot hold are not written.
QString asStored(const QString& text)
{
    QString kept;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            kept += c;
            kept += text[++i];
        } else if (!c.isSurrogate() && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF &&
                   (c.unicode() >= 0x20 || c == '\t' || c == '\n' || c == '\r')) {
            kept += c;
        }
    }
    return kept;
}

// Everything the file carries. Element texts are compared only from the second
// round trip on, since the reader drops text that is nothing but white space.
Settings snapshot(const FuzzWindow& w, bool withElementTexts)
{
    Settings s;
    s.texts = QStringList{asStored(w.lastController.ip), asStored(w.lastController.hostname),
                          asStored(w.lastController.mac), asStored(w.lastController.model)};
    s.numbers = QList<int>{w.nTrackBoxSelection,
                           w.m_bIsCascade,
                           w.m_bShowDynReflexSuppr,
                           w.m_bShowServiceMenue,
                           w.m_bIsDarkTheme,
                           w.m_bAutoBackup,
                           w.m_bCheckForOldFrontendOrBackend,
                           w.external_cmd_timeout / 1000};
    s.updated = w.m_lastFeUpdateDate;
    if (withElementTexts) {
        s.texts << w.sFixHostnameOrIp << w.sFixSubnet << w.m_sCommandHistoryLogFileName
                << w.m_sResponsePrefix;
        s.numbers << w.m_bWriteLogFile;
        s.password = w.m_frontendPassword;
    }
    return s;
}

void fail(const char* what)
{
    std::fprintf(stderr, "prefs fuzz: %s\n", what);
    std::abort();
}

struct Fixture
{
    int argc = 1;
    char arg0[16] = "fuzz_prefs";
    char* argv[2] = {arg0, nullptr};
    QTemporaryDir home;
    QCoreApplication* app = nullptr;
    FuzzWindow* window = nullptr;
    Settings builtIn;

    Fixture()
    {
        qputenv("HOME", home.path().toLocal8Bit());
        app = new QCoreApplication(argc, argv);
        QDir().mkpath(FrontendInfo::versionFolder() + "/config");
        window = new FuzzWindow();
        builtIn = snapshot(*window, true);
    }
};

void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("cannot write the input file");
    if (size && file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fail("cannot write the input file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Fixture* fx = new Fixture();
    FuzzWindow& w = *fx->window;
    const QString& fileName = w.m_sConfigFileName;

    writeFile(fileName, data, size);
    QFile::remove(fileName + ".corrupt");
    w.initBuiltInPreferences();
    w.warnings.clear();
    w.loadXMLSettings();

    if (!w.warnings.isEmpty()) {
        if (w.warnings.size() != 1)
            fail("more than one warning for one read");
        if (!(snapshot(w, true) == fx->builtIn))
            fail("a failed read changed the settings");
        QFile kept(fileName + ".corrupt");
        if (!kept.open(QIODevice::ReadOnly) ||
            kept.readAll() != QByteArray(reinterpret_cast<const char*>(data), int(size)))
            fail("the unreadable file was not kept");
        return 0;
    }

    if (w.nTrackBoxSelection != 0 && w.nTrackBoxSelection != 1)
        fail("search selection out of range");
    if (w.external_cmd_timeout < 1000 || w.external_cmd_timeout > 2000000000)
        fail("time-out out of range");

    // Two round trips: the first may only normalise element texts, the second
    // must change nothing at all.
    for (int trip = 0; trip < 2; ++trip) {
        w.writeXMLSettings();
        if (!w.warnings.isEmpty())
            fail("writing the settings failed");
        const Settings written = snapshot(w, trip == 1);
        w.initBuiltInPreferences();
        w.loadXMLSettings();
        if (!w.warnings.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(w.warnings.first()));
            fail("the written file does not read back");
        }
        if (!(snapshot(w, trip == 1) == written))
            fail("settings changed by a write and a read");
    }
    return 0;
}
