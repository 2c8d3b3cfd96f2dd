#include "InteractionWorld.h"
#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "events/EditorText.h"
#include "events/gui/Edit_Frm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

class EditorTest : public QObject {
    Q_OBJECT

    // A world showing March 2004 with an editor opened by a double click on day.
    Edit_Frm* Open(InteractionWorld& world, int day) {
        QTest::mouseDClick(world.Caption(day), Qt::LeftButton);
        return world.window->Editor();
    }

    void Show_March_2004(InteractionWorld& world) { world.window->Show_Month(3, 2004); }

  private slots:
    void counts_words_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("words");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("one") << "word" << 1;
        QTest::newRow("two spaces between") << "two  words" << 2;
        QTest::newRow("leading space") << " word" << 1;
        QTest::newRow("trailing space") << "word " << 1;
        QTest::newRow("only spaces") << "   " << 0;
        QTest::newRow("line break") << "one\r\ntwo" << 2;
        QTest::newRow("spaces around") << "  a b  " << 2;
    }
    void counts_words() {
        QFETCH(QString, text);
        QFETCH(int, words);
        QCOMPARE(CountWords(text), words);
    }

    void title_and_date_texts() {
        QCOMPARE(Editor_Title(12, 2), QStringLiteral("Almanor - 12 Characters - 2 Words."));
        QCOMPARE(Editor_Title(999, 1), QStringLiteral("Almanor - 999 Characters - 1 Words."));
        QCOMPARE(Editor_Title(1000, 1),
                 QStringLiteral("Almanor - 1000 Characters (max) - 1 Words."));
        QCOMPARE(Editor_Date_Text(QDate(2004, 3, 5)), QStringLiteral("Friday 5th March 2004"));
        QCOMPARE(Editor_Date_Text(QDate(2004, 3, 22)), QStringLiteral("Monday 22nd March 2004"));
        QCOMPARE(Editor_Date_Text(QDate(2004, 3, 5), QLocale(QLocale::German, QLocale::Germany)),
                 QString::fromUtf8("Freitag 5. März 2004"));
    }

    void ampersand_is_stored_doubled_and_shown_once() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QVERIFY(editor);
        QCOMPARE(editor->Date_Lbl->text(), QStringLiteral("Friday 5th March 2004"));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Almanor - 0 Characters - 0 Words."));
        QVERIFY(!editor->Apply_Btn->isEnabled());
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Tom & Jerry"));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Almanor - 11 Characters - 3 Words."));
        QVERIFY(editor->Apply_Btn->isEnabled());
        QTest::keyClick(editor->Message_Txt, Qt::Key_Return);
        QVERIFY(!world.window->Editor());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=Tom && Jerry")});
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Tom & Jerry"));
        QCOMPARE(world.Caption(5)->toolTip(), QStringLiteral("Tom & Jerry"));

        // Opened again, the editor shows the text as typed, all selected so typing replaces it.
        editor = Open(world, 5);
        QCOMPARE(editor->Message_Text(), QStringLiteral("Tom & Jerry"));
        QCOMPARE(editor->Message_Txt->textCursor().selectedText(), QStringLiteral("Tom & Jerry"));
        QVERIFY(!editor->Apply_Btn->isEnabled());
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Say \"hi\""));
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=Say 'hi'")});
    }

    void enter_makes_a_line_with_carriage_return_and_escape_cancels() {
        InteractionWorld world;
        world.Set(QStringLiteral("Carriage_Return"), 1);
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 9);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("one"));
        QTest::keyClick(editor->Message_Txt, Qt::Key_Return);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("two"));
        QVERIFY(world.window->Editor());
        QCOMPARE(editor->Message_Text(), QStringLiteral("one\r\ntwo"));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Almanor - 8 Characters - 2 Words."));
        // Ctrl+A selects the whole text.
        QTest::keyClick(editor->Message_Txt, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(editor->Message_Txt->textCursor().selectedText().size(), 7);
        QTest::keyClick(editor->Message_Txt, Qt::Key_Escape);
        QVERIFY(!world.window->Editor());
        QVERIFY(world.Events().isEmpty());
        QVERIFY(!QFile::exists(world.env.Data_File()));
    }

    void text_is_limited_to_a_thousand_characters() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 1);
        editor->Message_Txt->insertPlainText(QString(998, QLatin1Char('x')));
        QVERIFY(!editor->windowTitle().contains(QStringLiteral("(max)")));
        // A line break counts two; the paste past the limit is cut, the text before it stays.
        editor->Message_Txt->insertPlainText(QStringLiteral("\nabc"));
        QCOMPARE(editor->Message_Text(), QString(998, QLatin1Char('x')) + QStringLiteral("\r\n"));
        QCOMPARE(editor->windowTitle(),
                 QStringLiteral("Almanor - 1000 Characters (max) - 1 Words."));
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("y"));
        QCOMPARE(editor->Message_Text().size(), 1000);
    }

    void stored_text_longer_than_the_limit_is_kept_whole() {
        InteractionWorld world;
        const QString long_text = QStringLiteral("word ").repeated(300).trimmed();
        world.Write_Events({QStringLiteral("5/3/2004=") + long_text});
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QCOMPARE(editor->Message_Text(), long_text);
        QVERIFY(!editor->Apply_Btn->isEnabled());
        QVERIFY(editor->windowTitle().contains(QStringLiteral("1499 Characters (max)")));
        // Typing can't make it longer; it can make it shorter.
        editor->Message_Txt->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("s"));
        QCOMPARE(editor->Message_Text(), long_text);
        QTest::keyClick(editor->Message_Txt, Qt::Key_Backspace);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("ds"));
        QCOMPARE(editor->Message_Text(), long_text.chopped(1));
        editor->Cancel_Btn->click();

        // Enter without a change saves the stored text unchanged.
        editor = Open(world, 5);
        QTest::keyClick(editor->Message_Txt, Qt::Key_Return);
        QVERIFY(!world.window->Editor());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=") + long_text});
    }

    void enter_on_a_focused_button_presses_that_button() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("typed"));
        editor->Cancel_Btn->setFocus();
        QTest::keyClick(editor->Cancel_Btn, Qt::Key_Return);
        QVERIFY(!world.window->Editor());
        QVERIFY(world.Events().isEmpty());

        editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("typed"));
        editor->Cancel_Btn->setFocus();
        QTest::keyClick(editor->Cancel_Btn, Qt::Key_Space);
        QVERIFY(!world.window->Editor());
        QVERIFY(world.Events().isEmpty());

        editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("applied"));
        editor->Apply_Btn->setFocus();
        QTest::keyClick(editor->Apply_Btn, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!world.window->Editor());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=applied")});
    }

    void keypad_and_shift_enter_save_like_enter() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("keypad"));
        QTest::keyClick(editor->Message_Txt, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!world.window->Editor());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=keypad")});

        editor = Open(world, 6);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("shift"));
        QTest::keyClick(editor->Message_Txt, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(!world.window->Editor());
        QCOMPARE(world.Events(), (QStringList{QStringLiteral("5/3/2004=keypad"),
                                              QStringLiteral("6/3/2004=shift")}));

        // Ctrl+Enter of either key breaks the line instead.
        editor = Open(world, 7);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("one"));
        QTest::keyClick(editor->Message_Txt, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(editor->Message_Txt, Qt::Key_Enter,
                        Qt::ControlModifier | Qt::KeypadModifier);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("two"));
        QVERIFY(world.window->Editor());
        QCOMPARE(editor->Message_Text(), QStringLiteral("one\r\n\r\ntwo"));
    }

    void keypad_enter_breaks_the_line_when_enter_does() {
        InteractionWorld world;
        world.Set(QStringLiteral("Carriage_Return"), 1);
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("one"));
        QTest::keyClick(editor->Message_Txt, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("two"));
        QVERIFY(world.window->Editor());
        QCOMPARE(editor->Message_Text(), QStringLiteral("one\r\ntwo"));
    }

    void editor_and_clear_act_on_the_record_the_box_shows() {
        InteractionWorld world;
        world.Write_Events(
            {QStringLiteral("5/3/2004=Dentist"), QStringLiteral("5/3/9999=Birthday")});
        world.Start();
        Show_March_2004(world);
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Birthday"));
        Edit_Frm* editor = Open(world, 5);
        QCOMPARE(editor->Message_Text(), QStringLiteral("Birthday"));
        QVERIFY(editor->Every_Year_Chk->isChecked());
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Birthday party"));
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), (QStringList{QStringLiteral("5/3/2004=Dentist"),
                                              QStringLiteral("5/3/9999=Birthday party")}));
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Birthday party"));

        // Clear removes the record shown; the day then shows the one left.
        world.menus.Set_Next_Choice(1);
        QTest::mousePress(world.Caption(5), Qt::RightButton);
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=Dentist")});
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Dentist"));
        QCOMPARE(world.Box(5)->toolTip(), QStringLiteral("Dentist"));
        world.window->Refresh_Calendar();
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Dentist"));

        // An empty save removes it the same way.
        world.Write_Events(
            {QStringLiteral("5/3/2004=Dentist"), QStringLiteral("5/3/9999=Birthday")});
        editor = Open(world, 5);
        editor->Message_Txt->clear();
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=Dentist")});
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Dentist"));
    }

    void records_keyed_with_zeros_or_spaces_open_and_clear() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("05/03/2004=Zeros"), QStringLiteral(" 6/3/2004=Space")});
        world.Start();
        Show_March_2004(world);
        QCOMPARE(world.Caption(5)->Shown_Text().simplified(), QStringLiteral("Zeros"));
        Edit_Frm* editor = Open(world, 5);
        QCOMPARE(editor->Message_Text(), QStringLiteral("Zeros"));
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Changed"));
        editor->Ok_Btn->click();
        world.menus.Set_Next_Choice(1);
        QTest::mousePress(world.Caption(6), Qt::RightButton);
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=Changed")});
        QVERIFY(world.Caption(6)->Shown_Text().simplified().isEmpty());
    }

    void every_year_record_ticks_the_box_and_unticking_dates_it() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("5/3/9999=Birthday"), QStringLiteral("1/1/2000=Other")});
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QVERIFY(editor->Every_Year_Chk->isChecked());
        QCOMPARE(editor->Message_Text(), QStringLiteral("Birthday"));
        editor->Every_Year_Chk->setChecked(false);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Party"));
        editor->Apply_Btn->click();
        QCOMPARE(world.Events(),
                 (QStringList{QStringLiteral("5/3/2004=Party"), QStringLiteral("1/1/2000=Other")}));

        // An empty text removes the record, the caption, the tooltip and the underline.
        editor = Open(world, 5);
        editor->Message_Txt->clear();
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), QStringList{QStringLiteral("1/1/2000=Other")});
        QVERIFY(world.Caption(5)->Shown_Text().simplified().isEmpty());
        QVERIFY(world.Box(5)->toolTip().isEmpty());
    }

    void save_prompt_on_another_day() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("first"));

        // Cancel: the editor keeps its day and text.
        world.boxes.Set_Next_Answer(MsgAnswer::Cancel);
        QCOMPARE(Open(world, 6), editor);
        QCOMPARE(world.boxes.shown.size(), 1);
        const MsgBoxRequest prompt = world.boxes.shown.constFirst();
        QCOMPARE(prompt.text, QStringLiteral("Save changes for the Friday 5th March 2004?"));
        QCOMPARE(prompt.caption, QStringLiteral("Desktop Wallpaper"));
        QCOMPARE(prompt.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(prompt.icon, MsgIcon::Question);
        QCOMPARE(editor->Date_Lbl->text(), QStringLiteral("Friday 5th March 2004"));
        QCOMPARE(editor->Message_Text(), QStringLiteral("first"));

        // No: the changes go, the editor shows the second day.
        world.boxes.Set_Next_Answer(MsgAnswer::No);
        QCOMPARE(Open(world, 6), editor);
        QCOMPARE(editor->Date_Lbl->text(), QStringLiteral("Saturday 6th March 2004"));
        QVERIFY(world.Events().isEmpty());

        // Yes: the first day is saved under its own key, then the second opens.
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("second"));
        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        editor = Open(world, 7);
        QVERIFY(editor);
        QCOMPARE(editor->Date_Lbl->text(), QStringLiteral("Sunday 7th March 2004"));
        QCOMPARE(world.Events(), QStringList{QStringLiteral("6/3/2004=second")});
        QCOMPARE(world.boxes.shown.size(), 3);
    }

    void editor_saves_its_own_day_after_other_actions() {
        InteractionWorld world;
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("kept"));
        // F1 and a month step while the editor is open change neither its day nor another box.
        world.window->Form_KeyUp(112, 0);
        world.window->Next_Month();
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), QStringList{QStringLiteral("5/3/2004=kept")});
        QVERIFY(world.Caption(5)->Shown_Text().simplified().isEmpty());
    }

    // The note sync rewrites calendar.dat from its own process while an editor may be open.
    void a_note_changed_in_the_file_while_the_editor_is_open_is_kept() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("5/3/2004=lunch"), QStringLiteral("6/3/2004=gym")});
        world.Start();
        Show_March_2004(world);
        Edit_Frm* editor = Open(world, 5);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("lunch at one"));
        world.Write_Events(
            {QStringLiteral("5/3/2004=lunch with Ann"), QStringLiteral("6/3/2004=gym at six")});
        editor->Ok_Btn->click();
        QCOMPARE(world.Events()[0], QStringLiteral("5/3/2004=lunch at one + lunch with Ann"));
        QCOMPARE(world.Caption(5)->toolTip(), QStringLiteral("lunch at one + lunch with Ann"));

        // Only the tick changed, or the note cleared: the newer text from the file stays.
        editor = Open(world, 6);
        world.Write_Events({QStringLiteral("5/3/2004=x"), QStringLiteral("6/3/2004=gym at 7")});
        editor->Every_Year_Chk->setChecked(true);
        editor->Ok_Btn->click();
        QCOMPARE(world.Events()[1], QStringLiteral("6/3/9999=gym at 7"));
        editor = Open(world, 6);
        world.Write_Events({QStringLiteral("5/3/2004=x"), QStringLiteral("6/3/9999=gym at 8")});
        QTest::keyClick(editor->Message_Txt, Qt::Key_Delete);
        editor->Ok_Btn->click();
        QCOMPARE(world.Events()[1], QStringLiteral("6/3/9999=gym at 8"));
    }

    void saved_event_for_today_raises_no_alert() {
        InteractionWorld world;
        world.Start();
        Edit_Frm* editor = Open(world, 10);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Dentist"));
        editor->Ok_Btn->click();
        world.window->Refresh_Calendar();
        QVERIFY(world.boxes.shown.isEmpty());
    }
};

ALMANOR_TEST(EditorTest)
#include "test_editor.moc"
