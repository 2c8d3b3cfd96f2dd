#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "platform/Platform.h"
#include "platform/RegistryBackend.h"
#include "registry/Registry.h"
#include "settings/GeneralOptions.h"
#include "settings/RunEntry.h"

#include <QFile>
#include <QTest>

namespace {
QString Stored(const SettingsStore& store, const QString& key) {
    return store.Read(QStringLiteral("Almanor"), QStringLiteral("Settings"), key,
                      QStringLiteral("<none>"));
}

QString Run_Entry(const QString& root) {
    QVariant text;
    if (Read_Value(root, Run_Key(), Run_Value_Name(), QStringLiteral("S"), QString(), text) != 0)
        return QStringLiteral("<none>");
    return text.toString();
}
// The native registry, except that machine-wide keys can't be opened for a change, as for a
// user without the rights to them. Installs itself while it lives.
class MachineKeysLocked final : public Platform, public RegistryBackend {
  public:
    MachineKeysLocked() : native_(Current_Platform()) { Set_Platform(this); }
    ~MachineKeysLocked() override { Set_Platform(nullptr); }
    MachineKeysLocked(const MachineKeysLocked&) = delete;
    MachineKeysLocked& operator=(const MachineKeysLocked&) = delete;

    RegistryBackend& Registry() override { return *this; }
    qint32 Open_Key(qint32 root, const QString& path, quint32 access, Key* key) override {
        if (root == HKEY_LOCAL_MACHINE_Handle && (access & KEY_SET_VALUE_Right))
            return ERROR_ACCESS_DENIED_Code;
        return Native().Open_Key(root, path, access, key);
    }
    qint32 Create_Key(qint32 root, const QString& path, quint32 access, Key* key) override {
        if (root == HKEY_LOCAL_MACHINE_Handle)
            return ERROR_ACCESS_DENIED_Code;
        return Native().Create_Key(root, path, access, key);
    }
    qint32 Query_Value(Key key, const QString& name, quint32* type, char* data,
                       quint32* size) override {
        return Native().Query_Value(key, name, type, data, size);
    }
    qint32 Set_Value(Key key, const QString& name, quint32 type, const char* data,
                     quint32 size) override {
        return Native().Set_Value(key, name, type, data, size);
    }
    qint32 Delete_Value(Key key, const QString& name) override {
        return Native().Delete_Value(key, name);
    }
    qint32 Close_Key(Key key) override { return Native().Close_Key(key); }

  private:
    RegistryBackend& Native() { return native_.Registry(); }
    Platform& native_;
};
} // namespace

class GeneralOptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void timeout_accepts_only_whole_numbers_from_1_to_60_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("60") << "60" << 60;
        QTest::newRow("blanks") << " 7 " << 7;
        QTest::newRow("leading zero") << "05" << 5;
        QTest::newRow("0") << "0" << -1;
        QTest::newRow("61") << "61" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("letters") << "ten" << -1;
        QTest::newRow("fraction") << "2.5" << -1;
        QTest::newRow("sign") << "-5" << -1;
        QTest::newRow("plus") << "+5" << -1;
        QTest::newRow("exponent") << "1e1" << -1;
        QTest::newRow("overflow") << "99999999999" << -1;
        QTest::newRow("trailing text") << "12s" << -1;
    }
    void timeout_accepts_only_whole_numbers_from_1_to_60() {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::optional<qint16> parsed = Parse_Timeout_Value(text);
        QCOMPARE(parsed ? int(*parsed) : -1, value);
    }

    void general_save_stores_changes_and_refuses_a_bad_delay() {
        TestEnv env;
        SettingsStore store;
        AppSettings settings;
        GeneralChoices choices = Current_General_Choices(settings);
        GeneralSaveResult result = Save_General_Choices(store, settings, choices);
        QVERIFY(!result.refused_timeout && !result.auto_compact_changed);
        QVERIFY(!QFile::exists(store.File_Path())); // nothing changed, nothing written

        choices.timeout_value = QStringLiteral("abc");
        choices.show_splash = 0;
        choices.auto_compact = 1;
        result = Save_General_Choices(store, settings, choices);
        QCOMPARE(result.refused_timeout, std::optional<QString>(QStringLiteral("abc")));
        QVERIFY(result.auto_compact_changed);
        QCOMPARE(settings.Timeout_Value, qint16(45));
        QCOMPARE(Stored(store, QStringLiteral("Timeout Value")), QStringLiteral("<none>"));
        // The other options are stored all the same.
        QCOMPARE(Stored(store, QStringLiteral("Show Splash")), QStringLiteral("0"));
        QCOMPARE(Stored(store, QStringLiteral("Auto Compact")), QStringLiteral("1"));
        QVERIFY(
            Refused_Timeout_Message(QStringLiteral("abc"), 45).contains(QStringLiteral("\"abc\"")));

        choices.timeout_value = QStringLiteral("12");
        result = Save_General_Choices(store, settings, choices);
        QVERIFY(!result.refused_timeout && !result.auto_compact_changed);
        QCOMPARE(settings.Timeout_Value, qint16(12));
        QCOMPARE(Stored(store, QStringLiteral("Timeout Value")), QStringLiteral("12"));

        // A stored time above the list's 60 is kept while its text is left alone; typing over
        // it is checked.
        settings.Timeout_Value = 90;
        choices.timeout_value = QStringLiteral("90");
        QVERIFY(!Save_General_Choices(store, settings, choices).refused_timeout);
        QCOMPARE(settings.Timeout_Value, qint16(90));
        choices.timeout_value = QStringLiteral("95");
        QVERIFY(Save_General_Choices(store, settings, choices).refused_timeout);
        QCOMPARE(settings.Timeout_Value, qint16(90));
    }

    void title_bar_is_always_written_and_tooltips_only_when_changed() {
        TestEnv env;
        SettingsStore store;
        AppSettings settings;
        QVERIFY(!Save_Tooltips_Choice(store, settings, 1));
        for (const qint16 outside : {qint16(-1), qint16(3), qint16(7)})
            QVERIFY(!Save_Tooltips_Choice(store, settings, outside));
        QCOMPARE(Stored(store, QStringLiteral("Tooltips")), QStringLiteral("<none>"));
        QVERIFY(Save_Tooltips_Choice(store, settings, 2));
        QCOMPARE(Stored(store, QStringLiteral("Tooltips")), QStringLiteral("2"));
        QVERIFY(Save_Tooltips_Choice(store, settings, 0));
        QCOMPARE(Stored(store, QStringLiteral("Tooltips")), QStringLiteral("0"));

        Save_Title_Bar_Choices(store, settings, false, settings.Bar_Time_Format,
                               settings.Bar_Date_Format);
        QCOMPARE(Stored(store, QStringLiteral("Bar Time")), QStringLiteral("False"));
        QCOMPARE(Stored(store, QStringLiteral("Bar Time Format")), QStringLiteral("H:mm"));
        QCOMPARE(Stored(store, QStringLiteral("Bar Date Format")),
                 QStringLiteral("d Month - yyyy"));
        Save_Title_Bar_Choices(store, settings, true, QStringLiteral("HH:mm:ss"),
                               QStringLiteral("Use System Format"));
        QVERIFY(settings.Bar_Time);
        QCOMPARE(Stored(store, QStringLiteral("Bar Time")), QStringLiteral("True"));
        QCOMPARE(settings.Bar_Date_Format, QStringLiteral("Use System Format"));
    }

    void run_entry_moves_machine_entry_to_the_user_and_clears_both() {
        TestEnv env;
        const QString user = QStringLiteral("HKCU");
        const QString machine = QStringLiteral("HKLM");
        QVERIFY(!Get_Startup_Value());
        Write_Value(user, Run_Key(), Run_Value_Name(), QStringLiteral("S"), QStringLiteral("/old"));
        QVERIFY(Get_Startup_Value());
        // On: the user's entry is rewritten with the program's path, even when it exists.
        Save_Run_Entry(true, QStringLiteral("/opt/almanor/Almanor"));
        QCOMPARE(Run_Entry(user), QStringLiteral("/opt/almanor/Almanor"));
        QVERIFY(QFile::exists(env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop")));

        // A machine-wide entry alone also counts, and is moved to the user.
        Delete_Value(user, Run_Key(), Run_Value_Name());
        Write_Value(machine, Run_Key(), Run_Value_Name(), QStringLiteral("S"),
                    QStringLiteral("/usr/lib/almanor/Almanor"));
        QVERIFY(Get_Startup_Value());
        Save_Run_Entry(true, QStringLiteral("/opt/almanor/Almanor"));
        QCOMPARE(Run_Entry(machine), QStringLiteral("<none>"));
        QCOMPARE(Run_Entry(user), QStringLiteral("/opt/almanor/Almanor"));

        // Off: both go.
        Write_Value(machine, Run_Key(), Run_Value_Name(), QStringLiteral("S"),
                    QStringLiteral("/x"));
        Save_Run_Entry(false, QStringLiteral("/opt/almanor/Almanor"));
        QCOMPARE(Run_Entry(user), QStringLiteral("<none>"));
        QCOMPARE(Run_Entry(machine), QStringLiteral("<none>"));
        QVERIFY(!QFile::exists(env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop")));
        QVERIFY(!Get_Startup_Value());
    }

    void run_entry_is_not_doubled_when_the_machine_entry_stays() {
        TestEnv env;
        Write_Value(QStringLiteral("HKLM"), Run_Key(), Run_Value_Name(), QStringLiteral("S"),
                    QStringLiteral("/usr/lib/almanor/Almanor"));
        {
            MachineKeysLocked locked;
            Save_Run_Entry(true, QStringLiteral("/opt/almanor/Almanor"));
        }
        QCOMPARE(Run_Entry(QStringLiteral("HKLM")), QStringLiteral("/usr/lib/almanor/Almanor"));
        QCOMPARE(Run_Entry(QStringLiteral("HKCU")), QStringLiteral("<none>"));
    }
};

ALMANOR_TEST(GeneralOptionsTest)
#include "test_general_options.moc"
