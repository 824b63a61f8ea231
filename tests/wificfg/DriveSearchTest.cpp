#include "wificfg/FixedDriveList.h"
#include "wificfg/MountTableDrives.h"
#include "wificfg/SettingsDrives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DriveSearchTest : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void put(const QString& relative, const QByteArray& bytes = "Network Name (SSID): x\r\n") const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A disk in the fake sysfs, with its partitions.
    void disk(const QString& name, const char* removable, const QStringList& partitions = {}) const
    {
        put("sys/" + name + "/removable", QByteArray(removable) + "\n");
        for (const QString& partition : partitions)
            QDir().mkpath(path("sys/" + name + "/" + partition));
    }
    QString mount(const QString& name) const
    {
        QDir().mkpath(path("media/" + name));
        return path("media/" + name);
    }

    QTemporaryDir dir;
};

TEST_F(DriveSearchTest, OffersMountedRemovableDisksOnly)
{
    disk("sdx", "1", {"sdx1", "sdx2"});
    disk("sdw", "0", {"sdw1"});
    disk("fd0", "1");
    disk("sr0", "1");
    disk("mmcblk7", "1", {"mmcblk7p1"});
    const QString stick = mount("stick");
    const QString spaced = mount("usb stick");
    const QString card = mount("card");
    const QByteArray spacedField = QFile::encodeName(spaced).replace(" ", "\\040");
    put("mounts", "/dev/sdw1 / ext4 rw,relatime 0 0\n"
                  "proc /proc proc rw 0 0\n"
                  "tmpfs " + QFile::encodeName(mount("tmp")) + " tmpfs rw 0 0\n"
                  "/dev/sdx1 " + QFile::encodeName(stick) + " vfat rw,uid=1000 0 0\n"
                  "/dev/sdx2 " + spacedField + " vfat rw 0 0\n"
                  "/dev/fd0 " + QFile::encodeName(mount("floppy")) + " vfat rw 0 0\n"
                  "/dev/sr0 " + QFile::encodeName(mount("cdrom")) + " iso9660 ro 0 0\n"
                  "/dev/mmcblk7p1 " + QFile::encodeName(card) + " exfat rw 0 0\n"
                  "/dev/nosuch1 " + QFile::encodeName(mount("ghost")) + " vfat rw 0 0\n"
                  "garbled line\n");
    const MountTableDrives drives(path("mounts"), path("sys"));
    EXPECT_EQ(drives.removableMountPoints(), (QStringList{stick, spaced, card}));
    // Sorted by mount point for the drive selection.
    EXPECT_EQ(FindSettingsDrives(drives, SettingsRole::Secondary, false), (QStringList{card, stick, spaced}));
}

TEST_F(DriveSearchTest, FloppiesAreNeverOfferedEvenWithSettings)
{
    disk("fd0", "1");
    const QString floppy = mount("floppy");
    put("media/floppy/DOZODURU/WSETTING.TXT");
    put("mounts", "/dev/fd0 " + QFile::encodeName(floppy) + " vfat rw 0 0\n");
    const MountTableDrives drives(path("mounts"), path("sys"));
    EXPECT_TRUE(FindSettingsDrives(drives, SettingsRole::Secondary, true).isEmpty());
    EXPECT_TRUE(FindSettingsDrives(drives, SettingsRole::Secondary, false).isEmpty());
}

TEST_F(DriveSearchTest, NoMountTableMeansNoDrives)
{
    const MountTableDrives drives(path("no-such-table"), path("sys"));
    EXPECT_TRUE(drives.removableMountPoints().isEmpty());
}

TEST(MountTableField, UndoesOctalEscapes)
{
    EXPECT_EQ(MountTableDrives::unescapeField("/media/usb\\040stick\\011x\\134y"), "/media/usb stick\tx\\y");
    EXPECT_EQ(MountTableDrives::unescapeField("/media/a\\04"), "/media/a\\04");
}

TEST_F(DriveSearchTest, SavingOffersEveryExistingDriveOnce)
{
    const QString b = mount("b");
    const QString a = mount("a");
    const FixedDriveList drives({b, a, path("media/missing"), b, ""});
    EXPECT_EQ(FindSettingsDrives(drives, SettingsRole::Secondary, false), (QStringList{a, b}));
    EXPECT_EQ(FindSettingsDrives(drives, SettingsRole::Primary, false), (QStringList{a, b}));
}

TEST_F(DriveSearchTest, LoadingOffersDrivesWithTheRolesFile)
{
    const QString empty = mount("empty");
    const QString secondary = mount("secondary");
    const QString primary = mount("primary");
    const QString xml = mount("xml");
    const QString mixedCase = mount("mixed");
    const QString folderOnly = mount("folder");
    put("media/secondary/DOZODURU/WSETTING.TXT");
    put("media/primary/JRVNTKY/WSETTING.TXT");
    put("media/xml/Settings/Settings.xml", "WirelessSSID=lab\r\n");
    put("media/mixed/jrvntky/Wsetting.txt");
    QDir().mkpath(folderOnly + "/DOZODURU/WSETTING.TXT"); // a folder, not the file
    const FixedDriveList drives({empty, secondary, primary, xml, mixedCase, folderOnly});
    EXPECT_EQ(FindSettingsDrives(drives, SettingsRole::Secondary, true), (QStringList{secondary, xml}));
    EXPECT_EQ(FindSettingsDrives(drives, SettingsRole::Primary, true), (QStringList{mixedCase, primary}));
}

}
