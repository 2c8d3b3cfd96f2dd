#include "calendar/MsgBox.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "registry/Registry.h"
#include "remover/FolderChooser.h"
#include "remover/Main_Frm.h"
#include "remover/RemoverCore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

void Record_Install_Path(const QString& root, const QString& path) {
    QCOMPARE(Write_Value(root, QString::fromUtf16(Install_Key), QString::fromUtf16(Install_Value),
                         QStringLiteral("S"), path),
             0);
}

void Make_Pack(const TestEnv& env, const QString& name) {
    env.Write_File(QStringLiteral("Almanor/") + name + QStringLiteral("/settings.ini"), "1=0-0-2");
    env.Write_File(QStringLiteral("Almanor/") + name + QStringLiteral("/1.jpg"), "jpeg");
}

template <typename W> W* Child(const QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

bool Shown(const QWidget& window, const char* name) {
    return Child<QWidget>(window, name)->isVisibleTo(&window);
}

void Click(const QWidget& window, const char* name) {
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton);
}

// Restores the file dialog when a test is done with its chooser.
struct ChooserGuard {
    explicit ChooserGuard(FolderChooser chooser) { Set_Folder_Chooser(std::move(chooser)); }
    ~ChooserGuard() { Set_Folder_Chooser(nullptr); }
};

} // namespace

class RemoverWizardTest : public QObject {
    Q_OBJECT

  private slots:
    void starts_on_welcome_with_all_packs_ticked() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Make_Pack(env, QStringLiteral("B"));
        Make_Pack(env, QStringLiteral("A"));
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        ChooserGuard chooser([](QWidget*, const QString&) {
            qFatal("the chooser must not be asked");
            return QString();
        });

        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(frm.windowTitle(), QStringLiteral("Almanor Remover"));
        QCOMPARE(frm.Install_Folder(), env.Program_Dir());
        QCOMPARE(frm.Page(), 0);
        QVERIFY(Shown(frm, "Step_Fra0"));
        QVERIFY(!Shown(frm, "Step_Fra1"));
        QVERIFY(Shown(frm, "Next_Btn"));
        QVERIFY(!Shown(frm, "Back_Btn"));
        QVERIFY(!Shown(frm, "Finish_Btn"));
        QVERIFY(Shown(frm, "Cancel_Btn"));
        QCOMPARE(frm.Ticked_Packs(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(Child<QPushButton>(frm, "Next_Btn")->text(), QStringLiteral("Next >"));
        QCOMPARE(Child<QPushButton>(frm, "Back_Btn")->text(), QStringLiteral("< Back"));
    }

    void unknown_folder_is_chosen_by_the_user() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Make_Pack(env, QStringLiteral("A"));
        QString prompt;
        ChooserGuard chooser([&](QWidget*, const QString& text) {
            prompt = text;
            return env.Program_Dir();
        });

        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("The Almanor directory can't be found. You "
                                                     "will need to select the folder manually!"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Almanor"));
        QCOMPARE(prompt,
                 QStringLiteral("Select Almanor folder. This is usually /usr/local/lib/almanor/, "
                                "or ~/.local/lib/almanor/ when installed for one user"));
        QCOMPARE(frm.Install_Folder(), env.Program_Dir());
        QCOMPARE(frm.Ticked_Packs(), QStringList{QStringLiteral("A")});
    }

    void portable_folder_with_the_calendar_is_its_own() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Make_Pack(env, QStringLiteral("A"));
        env.Write_File(QStringLiteral("Almanor/") + Calendar_File_Name(), "calendar");
        ChooserGuard chooser([](QWidget*, const QString&) {
            qFatal("the chooser must not be asked");
            return QString();
        });

        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(frm.Install_Folder(), env.Program_Dir());
        QCOMPARE(frm.Ticked_Packs(), QStringList{QStringLiteral("A")});
    }

    void cancelled_chooser_warns_and_ends() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Record_Install_Path(QStringLiteral("HKLM"), QStringLiteral("NONE"));
        ChooserGuard chooser([](QWidget*, const QString&) { return QString(); });

        remover::Main_Frm frm;
        frm.show();
        QVERIFY(!frm.Start());
        QVERIFY(!frm.isVisible());
        QCOMPARE(boxes.shown.size(), 2);
        QCOMPARE(boxes.shown[1].text,
                 QStringLiteral("You have not selected a folder, some "
                                "elements of the program may not be removed."));
        QCOMPARE(boxes.shown[1].icon, MsgIcon::Exclamation);
        QCOMPARE(boxes.shown[1].caption, QStringLiteral("Almanor"));
    }

    void missing_folder_is_an_error() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Record_Install_Path(QStringLiteral("HKLM"), env.Root() + QStringLiteral("/gone"));

        remover::Main_Frm frm;
        frm.show();
        QVERIFY(!frm.Start());
        QVERIFY(!frm.isVisible());
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("Error getting Installed Path!"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Critical);
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Almanor Remover"));
    }

    void pages_and_buttons_follow_the_choice() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();

        Click(frm, "Next_Btn");
        QCOMPARE(frm.Page(), 1);
        QVERIFY(!Shown(frm, "Step_Fra0"));
        QVERIFY(Shown(frm, "Step_Fra1"));
        QCOMPARE(Child<QLabel>(frm, "Title_Lbl")->text(),
                 QStringLiteral("Select Components to Remove"));
        QCOMPARE(Child<QLabel>(frm, "Desc_Lbl")->text(),
                 QStringLiteral("You have the choice of either removing everything, or you can "
                                "choose to keep your Wallpaper Packs, Settings or Events."));
        QVERIFY(Shown(frm, "Back_Btn"));
        QVERIFY(Shown(frm, "Finish_Btn"));
        QVERIFY(!Shown(frm, "Next_Btn"));
        auto* events = Child<QCheckBox>(frm, "Events_Chk");
        auto* packs = Child<QCheckBox>(frm, "Packs_Chk");
        auto* installed = Child<QCheckBox>(frm, "Installed_Chk");
        QVERIFY(Child<QRadioButton>(frm, "Everything_Opt")->isChecked());
        for (QCheckBox* box : {events, packs, installed})
            QVERIFY(box->isChecked() && !box->isEnabled());

        Click(frm, "Custom_Opt");
        QVERIFY(events->isEnabled() && packs->isEnabled() && !installed->isEnabled());
        QVERIFY(Shown(frm, "Next_Btn"));
        QVERIFY(!Shown(frm, "Finish_Btn"));
        QTest::mouseClick(packs, Qt::LeftButton, {}, QPoint(5, packs->height() / 2));
        QVERIFY(!packs->isChecked());
        QVERIFY(Shown(frm, "Finish_Btn"));
        QVERIFY(!Shown(frm, "Next_Btn"));
        QTest::mouseClick(packs, Qt::LeftButton, {}, QPoint(5, packs->height() / 2));
        QVERIFY(Shown(frm, "Next_Btn"));

        Click(frm, "Next_Btn");
        QCOMPARE(frm.Page(), 2);
        QCOMPARE(Child<QLabel>(frm, "Title_Lbl")->text(),
                 QStringLiteral("Select Which Packs to Remove"));
        QCOMPARE(Child<QLabel>(frm, "Desc_Lbl")->text(),
                 QStringLiteral("You have the choice which packs to uninstall. Remove the tick "
                                "from any Packs you want to keep."));
        QVERIFY(Shown(frm, "Finish_Btn"));
        QVERIFY(!Shown(frm, "Next_Btn"));
        QVERIFY(Shown(frm, "Back_Btn"));

        Click(frm, "Back_Btn");
        Click(frm, "Everything_Opt");
        QVERIFY(!events->isEnabled() && !packs->isEnabled());
        QVERIFY(events->isChecked() && packs->isChecked());
        QVERIFY(Shown(frm, "Finish_Btn"));
        Click(frm, "Back_Btn");
        QCOMPARE(frm.Page(), 0);
        QVERIFY(!Shown(frm, "Back_Btn"));
        // Page 0 keeps the texts it had.
        QCOMPARE(Child<QLabel>(frm, "Title_Lbl")->text(),
                 QStringLiteral("Select Components to Remove"));
        QVERIFY(boxes.shown.isEmpty());
    }

    void all_and_none_tick_the_list() {
        TestEnv env;
        MsgBoxRecorder boxes;
        for (const char* name : {"A", "B", "C"})
            Make_Pack(env, QLatin1String(name));
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        auto* list = Child<QListWidget>(frm, "Packs_Lst");
        QCOMPARE(list->count(), 3);
        QVERIFY(list->item(0)->flags().testFlag(Qt::ItemIsUserCheckable));
        list->setCurrentRow(1);
        Click(frm, "None_Btn");
        QVERIFY(frm.Ticked_Packs().isEmpty());
        list->item(2)->setCheckState(Qt::Checked);
        QCOMPARE(frm.Ticked_Packs(), QStringList{QStringLiteral("C")});
        Click(frm, "All_Btn");
        QCOMPARE(frm.Ticked_Packs().size(), 3);
        QCOMPARE(list->currentRow(), 1);
    }

    void finish_everything_without_visiting_the_pack_page() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Make_Pack(env, QStringLiteral("A"));
        Make_Pack(env, QStringLiteral("B"));
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), "x");
        env.Write_File(QStringLiteral("Almanor/") + Remover_File_Name(), "x");
        Record_Install_Path(QStringLiteral("HKLM"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();
        Click(frm, "Next_Btn");
        Click(frm, "Finish_Btn");
        QVERIFY(!frm.isVisible());
        QVERIFY(boxes.shown.isEmpty());
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B"),
                                    QStringLiteral("calendar.dat"), Remover_File_Name()})
            QVERIFY2(!QFileInfo::exists(env.Program_Dir() + QLatin1Char('/') + name),
                     qPrintable(name));
    }

    void finish_custom_with_chosen_packs() {
        TestEnv env;
        MsgBoxRecorder boxes;
        for (const char* name : {"A", "B", "C"})
            Make_Pack(env, QLatin1String(name));
        const QString data = env.Write_File(QStringLiteral("Almanor/calendar.dat"), "x");
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();
        Click(frm, "Next_Btn");
        Click(frm, "Custom_Opt");
        auto* events = Child<QCheckBox>(frm, "Events_Chk");
        QTest::mouseClick(events, Qt::LeftButton, {}, QPoint(5, events->height() / 2));
        QVERIFY(!events->isChecked());
        Click(frm, "Next_Btn");
        Child<QListWidget>(frm, "Packs_Lst")->item(1)->setCheckState(Qt::Unchecked);
        Click(frm, "Finish_Btn");
        QVERIFY(!frm.isVisible());
        QVERIFY(QFileInfo::exists(data));
        QVERIFY(!QFileInfo::exists(env.Program_Dir() + QStringLiteral("/A")));
        QVERIFY(QFileInfo::exists(env.Program_Dir() + QStringLiteral("/B/settings.ini")));
        QVERIFY(!QFileInfo::exists(env.Program_Dir() + QStringLiteral("/C")));
    }

    void finish_error_is_reported() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Make_Pack(env, QStringLiteral("A"));
        env.Write_File(QStringLiteral("Almanor/A/sub/keep.jpg"), "x");
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();
        Click(frm, "Next_Btn");
        Click(frm, "Finish_Btn");
        QVERIFY(!frm.isVisible());
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("Error Uninstalling!"));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("ERROR"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Critical);
        QVERIFY(QFileInfo::exists(env.Program_Dir() + QStringLiteral("/A/sub/keep.jpg")));
    }

    void cancel_asks_first() {
        TestEnv env;
        MsgBoxRecorder boxes;
        Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir());
        remover::Main_Frm frm;
        QVERIFY(frm.Start());
        frm.show();
        Click(frm, "Next_Btn");
        boxes.Set_Next_Answer(MsgAnswer::No);
        Click(frm, "Cancel_Btn");
        QVERIFY(frm.isVisible());
        QCOMPARE(frm.Page(), 1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text,
                 QStringLiteral("The Almanor Remover is not complete. If you quit now, nothing "
                                "will be removed.\r\n\r\nExit the Remover?"));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Almanor Remover"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Question);
        QCOMPARE(boxes.shown[0].buttons, MsgButtons::YesNo);
        boxes.Set_Next_Answer(MsgAnswer::Yes);
        Click(frm, "Cancel_Btn");
        QVERIFY(!frm.isVisible());
    }
};

ALMANOR_TEST(RemoverWizardTest)
#include "test_remover_wizard.moc"
