#include "platform/QtPrompt.h"
#include "wificfg/BatchMode.h"
#include "wificfg/ConsolePrompt.h"
#include "wificfg/FixedDriveList.h"
#include "wificfg/MountTableDrives.h"
#include "wificfg/NetworkSetupDialog.h"
#include "wificfg/ProgramIcon.h"
#include "wificfg/TervoCfgCommandLine.h"
#include "wificfg/WifiText.h"

#include <QApplication>
#include <QCoreApplication>
#include <memory>

// TervoCfg: writes the robots' wireless settings to flash drives, in the
// Network Setup dialog or, for many drives at an event, from the command line.
int main(int argc, char** argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const TervoCfgCommandLine line = TervoCfgCommandLine::Parse(arguments, qgetenv("TERVOCFG_DRIVES"));

    if (line.isBatch()) {
        // No window and no display needed.
        QCoreApplication application(argc, argv);
        ConsolePrompt prompt;
        return RunBatchMode(line, prompt);
    }

    QApplication application(argc, argv);
    application.setWindowIcon(ProgramIcon());
    std::unique_ptr<DriveLister> drives;
    if (line.drives)
        drives = std::make_unique<FixedDriveList>(*line.drives);
    else
        drives = std::make_unique<MountTableDrives>();
    QtPrompt prompt(nullptr, WifiText::text(WifiText::Title));
    NetworkSetupDialog dialog(line.role, *drives, prompt);
    prompt.setParent(&dialog);
    dialog.exec();
    return 0;
}
