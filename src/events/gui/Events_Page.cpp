#include "events/gui/Events_Page.h"

#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "events/gui/OverviewModel.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QRadioButton>

namespace {

// Geometry in twips, inside the page.
constexpr TwipRect View_Rect{0, 0, 5145, 660};
constexpr TwipRect Lower_Rect{0, 750, 5145, 3105};
constexpr TwipRect Totals_Rect{0, 750, 5145, 1020};
constexpr TwipRect Year_Rect{0, 1860, 5145, 1995};
constexpr qint32 Label_Height = 255;

} // namespace

Events_Page::Events_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {
    const TwipScale scale = TwipScale::For_Screen(screen());
    const auto place = [&](QWidget* widget, const TwipRect& rect, const char* name) {
        widget->setGeometry(scale.Pixels(rect));
        widget->setObjectName(QString::fromUtf8(name));
    };

    View_Fra = new QGroupBox(QStringLiteral("View"), this);
    place(View_Fra, View_Rect, "View_Fra");
    Overview_Opt = new QRadioButton(QStringLiteral("Events Overview"), View_Fra);
    place(Overview_Opt, {120, 300, 2300, 300}, "Overview_Opt");
    Stats_Opt = new QRadioButton(QStringLiteral("General Statistics"), View_Fra);
    place(Stats_Opt, {2640, 300, 2400, 300}, "Stats_Opt");
    Stats_Opt->setChecked(true);

    Overview_Fra = new QFrame(this);
    place(Overview_Fra, Lower_Rect, "Overview_Fra");
    Sort_Lbl = new QLabel(QStringLiteral("Sort by:"), Overview_Fra);
    place(Sort_Lbl, {0, 30, 840, Label_Height}, "Sort_Lbl");
    Sort_Cbo = new QComboBox(Overview_Fra);
    place(Sort_Cbo, {840, 0, 2280, 315}, "Sort_Cbo");
    Sort_Cbo->addItems(Sort_Order_Names());
    Events_Lst = new QListView(Overview_Fra);
    place(Events_Lst, {0, 390, Lower_Rect.width, 2370}, "Events_Lst");
    model_ = new OverviewModel(this);
    Events_Lst->setModel(model_);
    // Every line has the same height, so the view never measures the lines it doesn't show.
    Events_Lst->setUniformItemSizes(true);
    Events_Lst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Events_Lst->setSelectionMode(QAbstractItemView::SingleSelection);
    Countdown_Lbl = new QLabel(Overview_Fra);
    place(Countdown_Lbl, {0, 2835, Lower_Rect.width, Label_Height}, "Countdown_Lbl");
    Overview_Fra->setVisible(false);

    Events_Fra = new QGroupBox(this);
    place(Events_Fra, Totals_Rect, "Events_Fra");
    const auto total = [&](qint32 left, qint32 top, const char* name) {
        auto* label = new QLabel(Events_Fra);
        place(label, {left, top, 2400, Label_Height}, name);
        return label;
    };
    Total_All_Lbl = total(180, 240, "Total_All_Lbl");
    Total_Year_Lbl = total(180, 600, "Total_Year_Lbl");
    Before_Lbl = total(2640, 240, "Before_Lbl");
    After_Lbl = total(2640, 600, "After_Lbl");

    Yearview_Fra = new QGroupBox(QStringLiteral("Events this Year"), this);
    place(Yearview_Fra, Year_Rect, "Yearview_Fra");
    for (int i = 0; i < 12; ++i) {
        // Three columns of four months, January to April in the first.
        const qint32 left = 180 + (i / 4) * 1650;
        const qint32 top = 345 + (i % 4) * 390;
        auto* label = new QLabel(Yearview_Fra);
        place(label, {left, top, 1560, Label_Height},
              qPrintable(QStringLiteral("Month_Count_Lbl_%1").arg(i)));
        Month_Count_Lbl[size_t(i)] = label;
    }
    Write_Month_Titles();
    Write_Labels();

    connect(Overview_Opt, &QRadioButton::clicked, this, [this] { Overview_Opt_Click(); });
    connect(Stats_Opt, &QRadioButton::clicked, this, [this] { Stats_Opt_Click(); });
    connect(Sort_Cbo, &QComboBox::activated, this, [this] { Sort_Cbo_Click(); });
    connect(Events_Lst, &QListView::clicked, this,
            [this](const QModelIndex& index) { Events_Lst_Click(index); });
    connect(Events_Lst, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { Events_Lst_DblClick(index); });
}

void Events_Page::Form_Load() {
    Sort_Cbo->setCurrentText(QStringLiteral("Ascending Date"));
    Sort_Cbo_Click();
}

void Events_Page::Overview_Opt_Click() {
    Overview_Fra->setVisible(true);
    Yearview_Fra->setVisible(false);
    Events_Fra->setVisible(false);
    LoadOverviewLists();
    Sort_List();
}

void Events_Page::Stats_Opt_Click() {
    Overview_Fra->setVisible(false);
    Yearview_Fra->setVisible(true);
    Events_Fra->setVisible(true);
}

void Events_Page::Sort_Cbo_Click() {
    // The list is read when it is shown: the window opens on the statistics, and reading a large
    // calendar.dat for a hidden list would only delay the window.
    if (!Overview_Opt->isChecked())
        return;
    LoadOverviewLists();
    Sort_List();
}

QString Events_Page::Data_File() const {
    if (const Main_Frm* calendar = Calendar())
        return calendar->Temp_Lst.Path();
    return App_Path() + QStringLiteral("/calendar.dat");
}

void Events_Page::LoadOverviewLists() {
    model_->Clear();
    Countdown_Lbl->clear();
    Overview overview = Read_Overview(Data_File(), Current_Clock().Today());
    const SortOrder order = Sort_Order_Of(Sort_Cbo->currentText());
    Sort_Overview(overview.entries, Key_Order(order));
    const bool ok = overview.ok;
    model_->Set_Overview(std::move(overview), SortOrder::Ascending_Date);
    // The remote calendars' events from the start of this month to a year ahead: their series
    // have no end, the notes of the file do.
    QList<RemoteOverviewLine> remote;
    if (Main_Frm* calendar = Calendar(); calendar && calendar->Remote()) {
        const QDate today = Current_Clock().Today();
        remote = Remote_Overview_Lines(calendar->Remote()->Events(),
                                       QDate(today.year(), today.month(), 1), today.addYears(1),
                                       QLocale());
    }
    model_->Set_Remote(std::move(remote));
    // What was read before a malformed record stays listed.
    if (!ok)
        Tell_Load_Error(false);
}

void Events_Page::Sort_List() {
    Overview overview = model_->Current();
    model_->Set_Overview(std::move(overview), Sort_Order_Of(Sort_Cbo->currentText()));
}

const Overview& Events_Page::Dates_Lst() const {
    return model_->Current();
}

void Events_Page::Events_Lst_Click(const QModelIndex& index) {
    const QDate day = model_->Date_At(index.row());
    if (day.isValid())
        Countdown_Lbl->setText(Countdown_Text(day, Current_Clock().Today()));
}

void Events_Page::Events_Lst_DblClick(const QModelIndex& index) {
    const OverviewEntry* shown = model_->Entry_At(index.row());
    if (!shown)
        return;
    const OverviewEntry entry = *shown;
    const QString line = model_->data(index).toString();
    const MsgAnswer answer =
        Msg_Box(QStringLiteral("Do you really want to remove the event..\r\n\r\n") + line,
                MsgButtons::YesNoCancel, MsgIcon::Question, QStringLiteral("Almanor"));
    if (answer != MsgAnswer::Yes)
        return;
    Main_Frm* calendar = Calendar();
    EventStore own_store(Data_File());
    EventStore& store = calendar ? calendar->Temp_Lst : own_store;
    switch (Remove_Overview_Record(store, entry, model_->Record_At(index.row()))) {
    case RemoveResult::Removed:
        model_->Remove_Row(index.row());
        // The countdown was the removed line's.
        Countdown_Lbl->clear();
        if (calendar && !calendar->Compacted)
            calendar->Refresh_Calendar();
        if (calendar)
            calendar->Notes_Changed();
        break;
    case RemoveResult::Gone:
        Msg_Box(QStringLiteral("This event is no longer in the data file: it was changed or "
                               "removed meanwhile. The list is read again."),
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Almanor"));
        LoadOverviewLists();
        Sort_List();
        break;
    case RemoveResult::LoadFailed:
    case RemoveResult::SaveFailed:
        // Already told; the file is as it was.
        break;
    }
}

void Events_Page::Write_Month_Titles() {
    month_titles_ = Month_Titles();
}

void Events_Page::Reset_Vars() {
    stats_ = EventStats();
}

void Events_Page::Get_Stats() {
    Reset_Vars();
    const StatsPass pass = Read_Stats(Data_File(), Current_Clock().Today());
    // What was counted before a malformed record stays counted.
    stats_ = pass.stats;
    Write_Labels();
    if (!pass.ok)
        Tell_Load_Error(true);
}

void Events_Page::Write_Labels() {
    const StatsLabels labels = Stats_Label_Texts(stats_, month_titles_);
    Total_All_Lbl->setText(labels.total_all);
    Total_Year_Lbl->setText(labels.total_year);
    Before_Lbl->setText(labels.before);
    After_Lbl->setText(labels.after);
    for (size_t i = 0; i < Month_Count_Lbl.size(); ++i)
        Month_Count_Lbl[i]->setText(labels.months[i]);
}

void Events_Page::Tell_Load_Error(bool quiet_repeat) {
    const QFileInfo info(Data_File());
    const QDateTime modified = info.lastModified();
    const qint64 size = info.size();
    if (quiet_repeat && modified == told_modified_ && size == told_size_)
        return;
    told_modified_ = modified;
    told_size_ = size;
    Tell_Overview_Load_Error();
}
