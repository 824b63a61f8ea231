#include "fcs/app/Competition.h"
#include "fcs/app/TervoFCSApp.h"
#include "platform/Clock.h"
#include "platform/QtPrompt.h"
#include "platform/QtSettingsStore.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/ShutdownSignals.h"
#include "platform/WallClock.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(QtSettingsStore::kOrganisation));
    QApplication::setApplicationName(QString::fromLatin1(QtSettingsStore::kApplication));

    SteadyClock clock;
    SystemWallClock wallClock;
    QtSettingsStore settings;
    SdlSoundPlayer sound;
    QtPrompt prompt(nullptr, QStringLiteral("tervofcs"));

    CTervoFCSApp app({clock, wallClock, settings, sound, prompt, UserFolders::fromSystem(), {}});
    if (!app.Initialise(QApplication::arguments()))
        return 1;

    {
        CCompetition dialog(app);
        prompt.setParent(&dialog);
        ShutdownSignals shutdownSignals([&dialog] { dialog.close(); });
        dialog.exec();
        prompt.setParent(nullptr);
    }
    app.Shutdown();
    return 0;
}
