#include "common/TestMain.h"
#include "platform/linux/WallpaperRecordTools.h"
#include "platform/linux/WallpaperRootPixmap.h"
#include "platform/linux/WallpaperTools.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// One stand-in for every desktop tool: it logs its name and arguments, fails when its arguments
// match TOOL_FAIL, and answers reads like the real tools (gsettings get: a GVariant; xfconf-query
// -l: the TOOL_LIST listing; xfconf-query -p: a plain value).
const char* const Stand_In = R"(#!/bin/sh
echo "${0##*/} $*" >> "$TOOL_LOG"
case "$*" in $TOOL_FAIL) exit 1 ;; esac
case "$1" in get) echo "'old:$3'" ;; esac
case "$*" in *" -l") printf '%s\n' $TOOL_LIST ;; esac
[ "$#" -eq 4 ] && [ "$3" = "-p" ] && echo "old"
exit 0
)";

// PATH holds the stand-ins only, for the life of the object.
class StandIns {
  public:
    explicit StandIns(const QStringList& tools) : old_path_(qgetenv("PATH")) {
        for (const QString& tool : tools) {
            QFile file(dir_.filePath(tool));
            file.open(QIODevice::WriteOnly);
            file.write(Stand_In);
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir_.path().toLocal8Bit());
        qputenv("TOOL_LOG", dir_.filePath("log").toLocal8Bit());
        Fail_On("__never__");
        qputenv("TOOL_LIST", "");
    }
    ~StandIns() {
        qputenv("PATH", old_path_);
        qunsetenv("TOOL_LOG");
        qunsetenv("TOOL_FAIL");
        qunsetenv("TOOL_LIST");
    }
    void Fail_On(const QByteArray& pattern) { qputenv("TOOL_FAIL", pattern); }
    QStringList Log() const {
        QFile file(dir_.filePath("log"));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

  private:
    QTemporaryDir dir_;
    QByteArray old_path_;
};

QStringList Gnome_Log(const QString& schema, const QString& options, const QString& uri) {
    return {"gsettings get " + schema + " picture-options",
            "gsettings set " + schema + " picture-options " + options,
            "gsettings get " + schema + " picture-uri",
            "gsettings set " + schema + " picture-uri " + uri};
}
} // namespace

// The desktops' own wallpaper tools, run as stand-ins that record their arguments, and the
// picture the bare X server gets.
class WallpaperToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void family_from_current_desktop_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("family");
        QTest::newRow("ubuntu") << "ubuntu:GNOME" << int(DesktopFamily::Gnome);
        QTest::newRow("cinnamon") << "X-Cinnamon" << int(DesktopFamily::Cinnamon);
        QTest::newRow("lxqt") << "LXQt" << int(DesktopFamily::Lxqt);
        QTest::newRow("unknown first") << "Openbox:KDE" << int(DesktopFamily::Kde);
        QTest::newRow("openbox") << "openbox" << int(DesktopFamily::Bare_X);
    }
    void family_from_current_desktop() {
        QFETCH(QString, name);
        QTEST(int(Desktop_Family(name)), "family");
    }

    void gnome_sets_picture_and_options_data() {
        QTest::addColumn<int>("fit");
        QTest::addColumn<QString>("options");
        QTest::newRow("centre") << int(WallpaperFit::Centre) << "'centered'";
        QTest::newRow("tile") << int(WallpaperFit::Tile) << "'wallpaper'";
        QTest::newRow("stretch") << int(WallpaperFit::Stretch) << "'stretched'";
    }
    void gnome_sets_picture_and_options() {
        QFETCH(int, fit);
        QFETCH(QString, options);
        StandIns tools({"gsettings"});
        const QString schema = "org.gnome.desktop.background";
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Gnome, "/packs/My Pack/3.bmp",
                                         WallpaperFit(fit)));
        const QString uri = "'file:///packs/My%20Pack/3.bmp'";
        const QStringList dark{"gsettings get " + schema + " picture-uri-dark",
                               "gsettings set " + schema + " picture-uri-dark " + uri};
        QCOMPARE(tools.Log(), Gnome_Log(schema, options, uri) + dark);
    }

    void gnome_without_dark_picture_and_cinnamon() {
        StandIns tools({"gsettings"});
        tools.Fail_On("get * picture-uri-dark");
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Gnome, "", WallpaperFit::Centre));
        const QString schema = "org.gnome.desktop.background";
        QCOMPARE(tools.Log(), Gnome_Log(schema, "'none'", "''") +
                                  QStringList{"gsettings get " + schema + " picture-uri-dark"});

        StandIns cinnamon({"gsettings"});
        QVERIFY(
            Set_Wallpaper_With_Tools(DesktopFamily::Cinnamon, "/a'b.bmp", WallpaperFit::Stretch));
        QCOMPARE(cinnamon.Log(), Gnome_Log("org.cinnamon.desktop.background", "'stretched'",
                                           "'file:///a\\'b.bmp'"));
    }

    void failed_step_puts_earlier_settings_back() {
        StandIns tools({"gsettings"});
        tools.Fail_On("set * picture-uri 'file*");
        QVERIFY(!Set_Wallpaper_With_Tools(DesktopFamily::Gnome, "/p/1.bmp", WallpaperFit::Tile));
        const QStringList log = tools.Log();
        QCOMPARE(log.size(), 5);
        QCOMPARE(log.last(), QString("gsettings set org.gnome.desktop.background picture-options "
                                     "'old:picture-options'"));
    }

    void picture_read_back_from_settings_data() {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("path");
        QTest::newRow("gsettings uri") << "'file:///packs/My%20Pack/3.bmp'\n"
                                       << "/packs/My Pack/3.bmp";
        QTest::newRow("quote in name") << "'/a\\'b.bmp'"
                                       << "/a'b.bmp";
        QTest::newRow("plain path") << "/p/1.bmp"
                                    << "/p/1.bmp";
        QTest::newRow("no picture") << "''"
                                    << "";
        QTest::newRow("not a file") << "'https://example.invalid/1.jpg'"
                                    << "";
        QTest::newRow("relative") << "old"
                                  << "";
    }
    void picture_read_back_from_settings() {
        QFETCH(QString, printed);
        QFETCH(QString, path);
        QCOMPARE(Picture_Path_From_Setting(printed), path);
    }

    void picture_read_from_desktop_configuration_files() {
        QTemporaryDir config;
        const QByteArray old_home = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QDir(config.path()).mkpath("pcmanfm-qt/lxqt");
        QFile kde(config.filePath("plasma-org.kde.plasma.desktop-appletsrc"));
        QVERIFY(kde.open(QIODevice::WriteOnly));
        kde.write("[Containments][1][General]\nImage=file:///not/this.jpg\n"
                  "[Containments][1][Wallpaper][org.kde.image][General]\n"
                  "FillMode=6\nImage=file:///home/u/Bild%201.jpg\n");
        kde.close();
        QFile lxqt(config.filePath("pcmanfm-qt/lxqt/settings.conf"));
        QVERIFY(lxqt.open(QIODevice::WriteOnly));
        lxqt.write("[System]\nWallpaper=/wrong.png\n[Desktop]\nWallpaperMode=stretch\n"
                   "Wallpaper=/usr/share/lxqt/wallpapers/a.png\n");
        lxqt.close();
        const QString kde_picture = Wallpaper_From_Tools(DesktopFamily::Kde);
        const QString lxqt_picture = Wallpaper_From_Tools(DesktopFamily::Lxqt);
        const auto kde_record = Record_With_Tools(DesktopFamily::Kde);
        const auto lxqt_record = Record_With_Tools(DesktopFamily::Lxqt);
        qputenv("XDG_CONFIG_HOME", old_home);
        QCOMPARE(kde_picture, QString("/home/u/Bild 1.jpg"));
        QCOMPARE(lxqt_picture, QString("/usr/share/lxqt/wallpapers/a.png"));
        QCOMPARE(Wallpaper_From_Tools(DesktopFamily::Bare_X), QString());

        // The same settings are put back as the files held them.
        StandIns tools({"qdbus", "pcmanfm-qt"});
        QVERIFY(kde_record && Restore_With_Tools(DesktopFamily::Kde, *kde_record));
        QVERIFY(lxqt_record && Restore_With_Tools(DesktopFamily::Lxqt, *lxqt_record));
        const QStringList log = tools.Log();
        QVERIFY(log.first().contains("writeConfig(\"Image\", \"file:///home/u/Bild%201.jpg\")"));
        QVERIFY(log.first().contains("writeConfig(\"FillMode\", 6)"));
        QCOMPARE(log.last(), QString("pcmanfm-qt --set-wallpaper=/usr/share/lxqt/wallpapers/a.png "
                                     "--wallpaper-mode=stretch"));
    }

    void mate_kde_lxqt() {
        StandIns mate({"gsettings"});
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Mate, "/p/1.bmp", WallpaperFit::Tile));
        QCOMPARE(mate.Log().at(1),
                 QString("gsettings set org.mate.background picture-options 'wallpaper'"));
        QCOMPARE(mate.Log().at(3),
                 QString("gsettings set org.mate.background picture-filename '/p/1.bmp'"));

        StandIns kde({"dbus-send"});
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Kde, "/p/\"1\".bmp", WallpaperFit::Tile));
        QCOMPARE(kde.Log().size(), 1);
        const QString call = kde.Log().first();
        QVERIFY(call.startsWith("dbus-send --session --print-reply --dest=org.kde.plasmashell "
                                "/PlasmaShell org.kde.PlasmaShell.evaluateScript string:"));
        QVERIFY(call.contains("writeConfig(\"Image\", \"file:///p/%221%22.bmp\")"));
        QVERIFY(call.contains("writeConfig(\"FillMode\", 3)"));
        StandIns lxqt({"pcmanfm-qt"});
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Lxqt, "/p/1.bmp", WallpaperFit::Centre));
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Lxqt, "", WallpaperFit::Centre));
        QCOMPARE(lxqt.Log(), QStringList({"pcmanfm-qt --set-wallpaper=/p/1.bmp "
                                          "--wallpaper-mode=center",
                                          "pcmanfm-qt --wallpaper-mode=color"}));
        // No tool at all: nothing can be set.
        QVERIFY(!Set_Wallpaper_With_Tools(DesktopFamily::Mate, "/p/1.bmp", WallpaperFit::Tile));
    }

    void xfce_sets_every_backdrop() {
        StandIns tools({"xfconf-query"});
        qputenv("TOOL_LIST", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image "
                             "/backdrop/screen0/monitorHDMI-1/workspace0/image-style "
                             "/backdrop/screen0/monitoreDP-1/workspace1/last-image");
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Xfce, "/p/1.bmp", WallpaperFit::Stretch));
        const QStringList sets = tools.Log().filter(" -s ");
        QCOMPARE(sets,
                 QStringList({"xfconf-query -c xfce4-desktop -p "
                              "/backdrop/screen0/monitorHDMI-1/workspace0/image-style -s 3",
                              "xfconf-query -c xfce4-desktop -p "
                              "/backdrop/screen0/monitorHDMI-1/workspace0/last-image -s /p/1.bmp",
                              "xfconf-query -c xfce4-desktop -p "
                              "/backdrop/screen0/monitoreDP-1/workspace1/image-style -s 3",
                              "xfconf-query -c xfce4-desktop -p "
                              "/backdrop/screen0/monitoreDP-1/workspace1/last-image -s /p/1.bmp"}));

        // A desktop without backdrops yet gets the first monitor's, created with their types.
        StandIns fresh({"xfconf-query"});
        QVERIFY(Set_Wallpaper_With_Tools(DesktopFamily::Xfce, "/p/1.bmp", WallpaperFit::Centre));
        QCOMPARE(fresh.Log().mid(1), QStringList({"xfconf-query -c xfce4-desktop -p "
                                                  "/backdrop/screen0/monitor0/workspace0/"
                                                  "image-style -n -t int -s 1",
                                                  "xfconf-query -c xfce4-desktop -p "
                                                  "/backdrop/screen0/monitor0/workspace0/"
                                                  "last-image -n -t string -s /p/1.bmp"}));
    }

    void own_settings_recorded_and_put_back() {
        StandIns gnome({"gsettings"});
        const QString schema = "org.gnome.desktop.background ";
        const auto record = Record_With_Tools(DesktopFamily::Gnome);
        QVERIFY(record && Restore_With_Tools(DesktopFamily::Gnome, *record));
        QCOMPARE(
            gnome.Log().filter("gsettings set"),
            QStringList({"gsettings set " + schema + "picture-uri 'old:picture-uri'",
                         "gsettings set " + schema + "picture-uri-dark 'old:picture-uri-dark'",
                         "gsettings set " + schema + "picture-options 'old:picture-options'"}));
        // A record is put back only on the desktop it was taken on.
        QVERIFY(!Restore_With_Tools(DesktopFamily::Cinnamon, *record));

        StandIns xfce({"xfconf-query"});
        const QString backdrop = "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/";
        qputenv("TOOL_LIST", "/backdrop/screen0/monitor0/workspace1/last-image");
        // workspace1 has a picture but no style of its own: the style set later is removed.
        xfce.Fail_On("*/workspace1/image-style");
        const auto backdrops = Record_With_Tools(DesktopFamily::Xfce);
        xfce.Fail_On("__never__");
        QVERIFY(backdrops && Restore_With_Tools(DesktopFamily::Xfce, *backdrops));
        QCOMPARE(xfce.Log().filter(QRegularExpression(" -[sr]")),
                 QStringList({backdrop + "workspace1/image-style -r",
                              backdrop + "workspace1/last-image -s old"}));
    }

    void root_picture_centre_tile_stretch() {
        // Four solid quarters, so scaling can't blur the corners.
        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                if (x >= 50 || y >= 25)
                    picture.setPixel(x, y, (x >= 50 && y >= 25) ? 0xff0000ff : 0xff00ff00);
        const QColor back(Qt::black);
        const QSize screen(250, 120);

        const QImage centre = Compose_Wallpaper(picture, screen, WallpaperFit::Centre, back);
        QCOMPARE(centre.size(), screen);
        QCOMPARE(centre.pixel(75, 35), picture.pixel(0, 0));
        QCOMPARE(centre.pixel(174, 84), picture.pixel(99, 49));
        QCOMPARE(centre.pixel(74, 35), back.rgb());
        QCOMPARE(centre.pixel(175, 85), back.rgb());

        const QImage tile = Compose_Wallpaper(picture, screen, WallpaperFit::Tile, back);
        QCOMPARE(tile.pixel(0, 0), picture.pixel(0, 0));
        QCOMPARE(tile.pixel(103, 54), picture.pixel(3, 4));
        QCOMPARE(tile.pixel(249, 119), picture.pixel(49, 19));

        const QImage stretch = Compose_Wallpaper(picture, screen, WallpaperFit::Stretch, back);
        QCOMPARE(stretch.pixel(2, 2), picture.pixel(0, 0));
        QCOMPARE(stretch.pixel(247, 117), picture.pixel(99, 49));
        QCOMPARE(stretch.pixel(247, 2), picture.pixel(99, 0));

        // A picture larger than the screen is cut evenly on both sides.
        const QImage cut = Compose_Wallpaper(picture, QSize(60, 20), WallpaperFit::Centre, back);
        QCOMPARE(cut.pixel(0, 0), picture.pixel(20, 15));
        QCOMPARE(Compose_Wallpaper(QImage(), screen, WallpaperFit::Tile, back).pixel(5, 5),
                 back.rgb());
    }
};

ALMANOR_TEST(WallpaperToolsTest)
#include "test_wallpaper_tools.moc"
