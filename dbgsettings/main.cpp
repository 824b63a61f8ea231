#include "dbgsettings/DebugSettingsDialog.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>

// TervoDbLg: edits the debug settings of tervofcs in its own store.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QtSettingsStore store;
    DebugSettingsDialog dialog(DebugSettings::Load(store));
    if (dialog.exec() == QDialog::Accepted)
        dialog.settings().Save(store);
    return 0;
}
