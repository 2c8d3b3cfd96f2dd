#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "desktop/RecordingPlatform.h"
#include "packs/OwnWallpaper.h"
#include "registry/Registry.h"
#include "remover/RemoverCore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// A pack folder below root/relative, with its settings file and some pictures.
void Make_Pack(const TestEnv& env, const QString& relative) {
    env.Write_File(relative + QStringLiteral("/settings.ini"), "1=0-0-2\r\n");
    env.Write_File(relative + QStringLiteral("/1.jpg"), "jpeg");
    env.Write_File(relative + QStringLiteral("/2.jpg"), "jpeg");
}

bool Link(const QString& target, const QString& link) {
    return QFile::link(target, link);
}

bool Present(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

class RemoverCoreTest : public QObject {
    Q_OBJECT

  private slots:
    void packs_are_direct_subfolders_with_settings() {
        TestEnv env;
        Make_Pack(env, QStringLiteral("Almanor/Winter"));
        Make_Pack(env, QStringLiteral("Almanor/autumn"));
        env.Write_File(QStringLiteral("Almanor/Plain/readme.txt"), "not a pack");
        Make_Pack(env, QStringLiteral("Almanor/Plain/Nested"));
        env.Write_File(QStringLiteral("Almanor/settings.ini"), "top level file");
        env.Write_File(QStringLiteral("Almanor/Odd/settings.ini/inner.txt"),
                       "a folder, not a file");
        // Hidden folders (a version-control or desktop cache folder) are never packs.
        Make_Pack(env, QStringLiteral("Almanor/.cache"));
        Make_Pack(env, QStringLiteral("Almanor/.Spring"));

        QStringList names{QStringLiteral("stale")};
        QVERIFY(List_Packs(env.Program_Dir(), &names));
        QCOMPARE(names, (QStringList{QStringLiteral("autumn"), QStringLiteral("Winter")}));
    }

    void missing_folder_cannot_be_listed() {
        TestEnv env;
        QStringList names{QStringLiteral("stale")};
        QVERIFY(!List_Packs(env.Root() + QStringLiteral("/nowhere"), &names));
        QVERIFY(names.isEmpty());
        QVERIFY(!List_Packs(QString(), &names));
        const QString file = env.Write_File(QStringLiteral("a_file"), "x");
        QVERIFY(!List_Packs(file, &names));
    }

    void pack_removal_deletes_files_then_folder() {
        TestEnv env;
        Make_Pack(env, QStringLiteral("Almanor/Sea"));
        env.Write_File(QStringLiteral("Almanor/Sea/.hidden"), "x");
        env.Write_File(QStringLiteral("Almanor/Sea/noext"), "x");
        QDir().mkpath(env.Program_Dir() + QStringLiteral("/Empty"));
        QVERIFY(Remove_Pack(env.Program_Dir(), QStringLiteral("Sea")));
        QVERIFY(!Present(env.Program_Dir() + QStringLiteral("/Sea")));
        QVERIFY(Remove_Pack(env.Program_Dir(), QStringLiteral("Empty")));
        QVERIFY(!Present(env.Program_Dir() + QStringLiteral("/Empty")));
        QVERIFY(!Remove_Pack(env.Program_Dir(), QStringLiteral("Gone")));
    }

    void pack_with_subfolder_fails_and_keeps_it() {
        TestEnv env;
        Make_Pack(env, QStringLiteral("Almanor/Deep"));
        const QString inner = env.Write_File(QStringLiteral("Almanor/Deep/more/keep.jpg"), "x");
        QVERIFY(!Remove_Pack(env.Program_Dir(), QStringLiteral("Deep")));
        QVERIFY(QFileInfo::exists(inner));
        QVERIFY(QFileInfo(env.Program_Dir() + QStringLiteral("/Deep")).isDir());
    }

    void names_never_leave_the_folder() {
        TestEnv env;
        const QString outside = env.Write_File(QStringLiteral("outside/photo.jpg"), "mine");
        env.Write_File(QStringLiteral("outside/settings.ini"), "1=0-0-0");
        Make_Pack(env, QStringLiteral("Almanor/Real"));
        for (const QString& name :
             {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../outside"),
              QStringLiteral("Real/../../outside"), QStringLiteral("/tmp"),
              QStringLiteral("..\\outside")}) {
            QVERIFY2(!Is_Plain_Folder_Name(name), qPrintable(name));
            QVERIFY2(!Remove_Pack(env.Program_Dir(), name), qPrintable(name));
        }
        QVERIFY(QFileInfo::exists(outside));
        QVERIFY(QFileInfo::exists(env.Program_Dir() + QStringLiteral("/Real/settings.ini")));
    }

    void linked_pack_loses_only_its_link() {
        TestEnv env;
        Make_Pack(env, QStringLiteral("elsewhere/Shared"));
        const QString target = env.Root() + QStringLiteral("/elsewhere/Shared");
        const QString link = env.Program_Dir() + QStringLiteral("/Shared");
        QVERIFY(Link(target, link));

        QStringList names;
        QVERIFY(List_Packs(env.Program_Dir(), &names));
        QCOMPARE(names, QStringList{QStringLiteral("Shared")});
        QVERIFY(Remove_Pack(env.Program_Dir(), QStringLiteral("Shared")));
        QVERIFY(!Present(link));
        QVERIFY(QFileInfo::exists(target + QStringLiteral("/settings.ini")));
        QVERIFY(QFileInfo::exists(target + QStringLiteral("/1.jpg")));
    }

    void links_inside_a_pack_go_as_links() {
        TestEnv env;
        Make_Pack(env, QStringLiteral("Almanor/Mixed"));
        const QString photo = env.Write_File(QStringLiteral("outside/photo.jpg"), "mine");
        const QString album = env.Write_File(QStringLiteral("outside/album/a.jpg"), "mine");
        const QString pack = env.Program_Dir() + QStringLiteral("/Mixed");
        QVERIFY(Link(photo, pack + QStringLiteral("/3.jpg")));
        QVERIFY(Link(QFileInfo(album).absolutePath(), pack + QStringLiteral("/album")));
        QVERIFY(Link(env.Root() + QStringLiteral("/missing"), pack + QStringLiteral("/dangling")));

        QVERIFY(Remove_Pack(env.Program_Dir(), QStringLiteral("Mixed")));
        QVERIFY(!Present(pack));
        QCOMPARE(TestEnv::Read_File(photo), QByteArray("mine"));
        QCOMPARE(TestEnv::Read_File(album), QByteArray("mine"));
    }

    void everything_removes_remover_data_and_ticked_packs() {
        TestEnv env;
        const QString dir = env.Program_Dir();
        const QString program = env.Write_File(QStringLiteral("Almanor/Almanor"), "calendar");
        env.Write_File(QStringLiteral("Almanor/") + Remover_File_Name(), "remover");
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), "\"1/1/2004=a\"\r\n");
        env.Write_File(QStringLiteral("Almanor/data.bak"), "\"1/1/2004=a\"\r\n");
        env.Write_File(QStringLiteral("Almanor/calendar.sync"), "{}");
        env.Write_File(QStringLiteral("Almanor/calendar.sync.lock"), "1");
        env.Write_File(QStringLiteral("Almanor/calendar.dat.lock"), "1");
        Make_Pack(env, QStringLiteral("Almanor/A"));
        Make_Pack(env, QStringLiteral("Almanor/B"));
        const QString other = env.Write_File(QStringLiteral("Almanor/Notes/n.txt"), "x");

        RemovalChoice choice;
        choice.ticked_packs = QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QVERIFY(Finish_Removal(dir, choice));
        QVERIFY(!Present(dir + QLatin1Char('/') + Remover_File_Name()));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.dat")));
        QVERIFY(!Present(dir + QStringLiteral("/data.bak")));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.sync")));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.sync.lock")));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.dat.lock")));
        QVERIFY(!Present(dir + QStringLiteral("/A")));
        QVERIFY(!Present(dir + QStringLiteral("/B")));
        QVERIFY(QFileInfo::exists(program));
        QVERIFY(QFileInfo::exists(other));
        // A second run finds nothing left to remove and still succeeds.
        choice.ticked_packs.clear();
        QVERIFY(Finish_Removal(dir, choice));
    }

    void removing_the_pack_in_use_puts_the_own_wallpaper_back() {
        TestEnv env;
        RecordingPlatform platform;
        Make_Pack(env, QStringLiteral("Almanor/A"));
        Make_Pack(env, QStringLiteral("Almanor/B"));
        SettingsStore store;
        store.Write("Almanor", "Settings", "Use Themes", 1);
        store.Write("Almanor", "Settings", "Pack Name", "B");
        platform.own_wallpaper = WallpaperRecord{"x11-root", {{"pixel", "255"}}};
        QVERIFY(Record_Own_Wallpaper(env.Program_Dir()));
        RemovalChoice choice;
        choice.everything = false;
        choice.events = false;
        choice.ticked_packs = QStringList{QStringLiteral("A")};
        QVERIFY(Finish_Removal(env.Program_Dir(), choice));
        QVERIFY(platform.restored.isEmpty());
        choice.ticked_packs = QStringList{QStringLiteral("B")};
        QVERIFY(Finish_Removal(env.Program_Dir(), choice));
        QCOMPARE(platform.restored.size(), 1);
        QVERIFY(!Own_Wallpaper_Record());
    }

    void custom_removes_only_what_is_ticked() {
        TestEnv env;
        const QString dir = env.Program_Dir();
        const QString remover =
            env.Write_File(QStringLiteral("Almanor/") + Remover_File_Name(), "remover");
        const QString data = env.Write_File(QStringLiteral("Almanor/calendar.dat"), "x");
        const QString backup = env.Write_File(QStringLiteral("Almanor/data.bak"), "x");
        for (const char* name : {"A", "B", "C"})
            Make_Pack(env, QStringLiteral("Almanor/") + QLatin1String(name));

        RemovalChoice keep_events{false, false, true, {QStringLiteral("A"), QStringLiteral("C")}};
        QVERIFY(Finish_Removal(dir, keep_events));
        QVERIFY(QFileInfo::exists(data));
        QVERIFY(QFileInfo::exists(backup));
        QVERIFY(QFileInfo::exists(remover));
        QVERIFY(!Present(dir + QStringLiteral("/A")));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/B/settings.ini")));
        QVERIFY(!Present(dir + QStringLiteral("/C")));

        RemovalChoice keep_packs{false, true, false, {QStringLiteral("B")}};
        QVERIFY(Finish_Removal(dir, keep_packs));
        QVERIFY(!Present(data));
        QVERIFY(!Present(backup));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/B/settings.ini")));
        QVERIFY(QFileInfo::exists(remover));
    }

    void failure_stops_and_keeps_what_went() {
        TestEnv env;
        const QString dir = env.Program_Dir();
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), "x");
        Make_Pack(env, QStringLiteral("Almanor/A"));
        env.Write_File(QStringLiteral("Almanor/A/sub/x.jpg"), "x");
        Make_Pack(env, QStringLiteral("Almanor/B"));

        RemovalChoice choice;
        choice.ticked_packs = QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QVERIFY(!Finish_Removal(dir, choice));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.dat")));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/A/sub/x.jpg")));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/B/settings.ini")));
    }

    void linked_data_file_keeps_its_target() {
        TestEnv env;
        const QString dir = env.Program_Dir();
        const QString outside = env.Write_File(QStringLiteral("outside/events.dat"), "mine");
        QVERIFY(Link(outside, dir + QStringLiteral("/calendar.dat")));
        QVERIFY(Remove_File_If_Present(dir, QStringLiteral("calendar.dat")));
        QVERIFY(!Present(dir + QStringLiteral("/calendar.dat")));
        QCOMPARE(TestEnv::Read_File(outside), QByteArray("mine"));
        // A folder of that name is not the data file: left alone.
        QDir().mkpath(dir + QStringLiteral("/calendar.dat"));
        QVERIFY(Remove_File_If_Present(dir, QStringLiteral("calendar.dat")));
        QVERIFY(QFileInfo(dir + QStringLiteral("/calendar.dat")).isDir());
    }

    void install_path_machine_first_then_user() {
        TestEnv env;
        const QString key = QString::fromUtf16(Install_Key);
        const QString value = QString::fromUtf16(Install_Value);
        QCOMPARE(Get_Path(), QStringLiteral("NONE"));

        QCOMPARE(Write_Value(QStringLiteral("HKCU"), key, value, QStringLiteral("S"),
                             QStringLiteral("/home/u/.local/lib/almanor")),
                 0);
        QCOMPARE(Get_Path(), QStringLiteral("/home/u/.local/lib/almanor"));

        QCOMPARE(Write_Value(QStringLiteral("HKLM"), key, value, QStringLiteral("S"),
                             QStringLiteral("/opt/almanor")),
                 0);
        QCOMPARE(Get_Path(), QStringLiteral("/opt/almanor"));

        // An empty machine value is taken as it is: it is not the "NONE" default.
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), key, value, QStringLiteral("S"), QString()),
                 0);
        QCOMPARE(Get_Path(), QString());
    }
};

ALMANOR_TEST(RemoverCoreTest)
#include "test_remover_core.moc"
