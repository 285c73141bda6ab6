// Shows the service and about dialogs against a controller and saves a
// picture of each, for looking at them as a user does:
//   service_dialogs_preview HOST OUTPUT_DIR [--german] [--bright]

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <memory>

#include "AboutDlg2g.h"
#include "BackendVersions.h"
#include "IOManagerUdpTcp.h"
#include "ProgramEntry.h"
#include "ServiceDialog.h"

namespace {

template <typename Dialog>
void showAndSave(Dialog& dialog, const QString& file, const std::function<void()>& before = {})
{
    QTimer::singleShot(300, &dialog, [&dialog, file, before] {
        if (before)
            before();
        QTimer::singleShot(300, &dialog, [&dialog, file] {
            dialog.grab().save(file);
            dialog.accept();
        });
    });
    dialog.update_and_exec();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString out = QDir(args[2]).absolutePath();
    std::vector<std::unique_ptr<QTranslator>> translators;
    if (args.contains("--german")) {
        QDir::setCurrent(ORVANE_BIN_DIR);
        translators = installGermanTranslations(app);
    }
    const bool dark = !args.contains("--bright");
    IOManagerUdpTcp io(nullptr);
    unsigned short dataPort = 0;
    if (io.init(qPrintable(args[1]), 50105, &dataPort) != 0)
        return 1;
    BackendVersions versions;
    versions.setProtocol(VersionInfo(1, 27, -1));

    ServiceDialog service(&io, nullptr, &versions);
    service.setExportRunner(
        [](QWidget*, IOManager*, BackendVersions*, const QDateTime&, const QString&) {});
    showAndSave(service, out + "/service.png");

    AboutDlg2g about(&io, nullptr, &versions, dark);
    about.setModuleVersions({{"GUI Body Calibration", "v2.1.0"}, {"GUI Monitor 2D", "v1.4.2"}});
    showAndSave(about, out + "/about.png");
    AboutDlg2g details(&io, nullptr, &versions, dark);
    details.setModuleVersions({{"GUI Body Calibration", "v2.1.0"}, {"GUI Monitor 2D", "v1.4.2"}});
    showAndSave(details, out + "/about-details.png",
                [&details] { details.findChild<QPushButton*>("pushButton_details")->click(); });
    return 0;
}
