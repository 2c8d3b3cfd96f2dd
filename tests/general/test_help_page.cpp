#include "calendar/CalendarInput.h"
#include "common/TestMain.h"

#include <QTest>

class HelpPageTest : public QObject {
    Q_OBJECT
  private slots:
    // The keys do what the page says: the page and the handling read the same table.
    void Keys_And_Their_Commands() {
        const QList<QPair<int, CalendarCommand>> cases = {
            {112, CalendarCommand::Todays_Event},   {113, CalendarCommand::Previous_Month},
            {114, CalendarCommand::Todays_Month},   {115, CalendarCommand::Next_Month},
            {116, CalendarCommand::Refresh},        {119, CalendarCommand::Settings},
            {120, CalendarCommand::Next_Box_Style}, {123, CalendarCommand::Compact_Mode}};
        for (const auto& [code, command] : cases)
            QCOMPARE(Key_Command(qint16(code)), command);
        for (const int code : {117, 118, 121, 122, 65})
            QCOMPARE(Key_Command(qint16(code)), std::nullopt);
        QCOMPARE(Calendar_Keys().size(), cases.size());
    }

    void Page_Lists_Every_Key_And_Mouse_Action() {
        const QString page = Fill_Help_Page(QStringLiteral("<body>\n<p>Before</p>\n  ") +
                                            QLatin1String(Help_Input_Marker) +
                                            QStringLiteral("\n<p>After</p>\n</body>"));
        QVERIFY(!page.contains(QLatin1String(Help_Input_Marker)));
        QVERIFY(page.startsWith(QStringLiteral("<body>\n<p>Before</p>\n<h2>Keys</h2>")));
        QVERIFY(page.endsWith(QStringLiteral("</table>\n<p>After</p>\n</body>")));
        QVERIFY(page.contains(QStringLiteral("<kbd>F3</kbd></td><td>Goes to today's month.")));
        for (const CalendarKey& key : Calendar_Keys())
            QVERIFY2(page.contains(QStringLiteral("<kbd>%1</kbd></td><td>%2")
                                       .arg(QLatin1String(key.name),
                                            QString::fromUtf8(key.help).toHtmlEscaped())),
                     key.name);
        for (const CalendarMouseAction& mouse : Calendar_Mouse_Actions())
            QVERIFY2(page.contains(QString::fromUtf8(mouse.action).toHtmlEscaped()), mouse.action);
        QVERIFY(page.contains(QStringLiteral("Right-click &quot;&lt;&quot; or &quot;&gt;&quot;")));
    }
};

ALMANOR_TEST(HelpPageTest)
#include "test_help_page.moc"
