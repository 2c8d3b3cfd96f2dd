#include "remote/gui/Calendars_Page.h"

#include "calendar/AppPath.h"
#include "calendar/ColourValue.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/Main_Frm.h"
#include "remote/NoteSyncStatus.h"
#include "remote/RemoteAdd.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteLink.h"
#include "remote/RemoteSchedule.h"
#include "remote/gui/AddCalendar_Dlg.h"
#include "remote/gui/EditCalendar_Dlg.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>

namespace {
enum Column { Name_Col, Address_Col, Minutes_Col, State_Col };

QIcon Swatch(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(colour);
    QPainter(&pixmap).drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}
} // namespace

Calendars_Page::Calendars_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    Calendars_Lst = new QTreeWidget(this);
    Calendars_Lst->setObjectName(QStringLiteral("Calendars_Lst"));
    Calendars_Lst->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Address"),
                                    QStringLiteral("Every"), QStringLiteral("Last refresh")});
    Calendars_Lst->setRootIsDecorated(false);
    Calendars_Lst->setGeometry(Place(0, 0, 337, 196));
    Calendars_Lst->header()->resizeSection(Name_Col, 85);
    Calendars_Lst->header()->resizeSection(Address_Col, 90);
    Calendars_Lst->header()->resizeSection(Minutes_Col, 45);

    const auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(Place(left, 202, 80, 23));
        return b;
    };
    Add_Btn = button("Add_Btn", "Add...", 0);
    Edit_Btn = button("Edit_Btn", "Edit...", 85);
    Remove_Btn = button("Remove_Btn", "Remove", 170);
    Refresh_Btn = button("Refresh_Btn", "Refresh Now", 255);
    Note_Lbl = new QLabel(QStringLiteral("Passwords go to the desktop's keyring (or last until the "
                                         "calendar closes), never to a file."),
                          this);
    Note_Lbl->setObjectName(QStringLiteral("Note_Lbl"));
    Note_Lbl->setWordWrap(true);
    Note_Lbl->setGeometry(Place(0, 228, 337, 28));
    Sync_Lbl = new QLabel(this);
    Sync_Lbl->setObjectName(QStringLiteral("Sync_Lbl"));
    Sync_Lbl->setTextFormat(Qt::PlainText);
    Sync_Lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Sync_Lbl->setGeometry(Place(0, 258, 337, 48));

    connect(Add_Btn, &QPushButton::clicked, this, [this] { Add_Btn_Click(); });
    connect(Edit_Btn, &QPushButton::clicked, this, [this] { Edit_Btn_Click(); });
    connect(Remove_Btn, &QPushButton::clicked, this, [this] { Remove_Btn_Click(); });
    connect(Refresh_Btn, &QPushButton::clicked, this, [this] { Refresh_Btn_Click(); });
    connect(Calendars_Lst, &QTreeWidget::itemChanged, this, &Calendars_Page::Enabled_Changed);
    connect(Calendars_Lst, &QTreeWidget::itemDoubleClicked, this, [this] { Edit_Btn_Click(); });
    if (calendar && calendar->Remote())
        Follow_Fetches(calendar->Remote());
    Load_List();
}

void Calendars_Page::Follow_Fetches(RemoteLink* link) {
    connect(&link->Launcher(), &RemoteFetchLauncher::Fetch_Finished, this,
            &Calendars_Page::Load_List, Qt::UniqueConnection);
}

RemoteLink* Calendars_Page::Link() const {
    Main_Frm* calendar = Calendar();
    return calendar ? &calendar->Remote_Link() : nullptr;
}

int Calendars_Page::Selected() const {
    QTreeWidgetItem* item = Calendars_Lst->currentItem();
    return item ? Calendars_Lst->indexOfTopLevelItem(item) : -1;
}

void Calendars_Page::Load_List() {
    loading_ = true;
    const int selected = std::max(0, Selected());
    calendars_ = Read_Remote_Calendars(Settings_File_Path());
    Calendars_Lst->clear();
    const QString cache = Remote_Cache_Dir();
    for (const RemoteCalendar& calendar : std::as_const(calendars_)) {
        auto* item = new QTreeWidgetItem(Calendars_Lst);
        item->setText(Name_Col, calendar.name);
        item->setIcon(Name_Col, Swatch(Resolve_Colour(calendar.colour, palette())));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Name_Col, calendar.enabled ? Qt::Checked : Qt::Unchecked);
        item->setText(Address_Col, calendar.url);
        item->setToolTip(Address_Col, calendar.url);
        item->setText(Minutes_Col, QStringLiteral("%1 min").arg(calendar.refresh_minutes));
        QString state = Remote_State_Text(Read_Remote_State(cache, calendar), QLocale());
        if (calendar.keep_notes) {
            NoteSyncState sync;
            Read_Note_Sync_State(Note_Sync_State_Path(Data_File()), &sync, nullptr);
            state = Note_Sync_Brief(sync, QLocale());
            QFont bold = item->font(Name_Col);
            bold.setBold(true);
            item->setFont(Name_Col, bold);
            item->setToolTip(Name_Col, QStringLiteral("Keeps your notes"));
        }
        item->setText(State_Col, state);
        item->setToolTip(State_Col, state);
    }
    Show_Sync_State();
    if (selected < Calendars_Lst->topLevelItemCount())
        Calendars_Lst->setCurrentItem(Calendars_Lst->topLevelItem(selected));
    loading_ = false;
}

QString Calendars_Page::Data_File() const {
    const Main_Frm* calendar = Calendar();
    return calendar ? calendar->Temp_Lst.Path() : App_Path() + QStringLiteral("/calendar.dat");
}

void Calendars_Page::Show_Sync_State() {
    if (Notes_Calendar_Index(calendars_) < 0) {
        Sync_Lbl->clear();
        Sync_Lbl->setVisible(false);
        return;
    }
    NoteSyncState state;
    QString error;
    Read_Note_Sync_State(Note_Sync_State_Path(Data_File()), &state, &error);
    const QStringList lines = Note_Sync_Lines(state, error, QLocale());
    // One line each, cut to the page's width: a long error or conflict is whole in the tooltip.
    QStringList shown;
    for (const QString& line : lines)
        shown << Sync_Lbl->fontMetrics().elidedText(line, Qt::ElideRight, Sync_Lbl->width());
    Sync_Lbl->setText(shown.join(QLatin1Char('\n')));
    Sync_Lbl->setToolTip(lines.join(QLatin1Char('\n')));
    Sync_Lbl->setVisible(true);
}

void Calendars_Page::Store(const QList<RemoteCalendar>& calendars) {
    if (!Write_Remote_Calendars(Settings_File_Path(), calendars))
        Msg_Box(QStringLiteral("The calendars could not be saved to ") + Settings_File_Path(),
                MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("ERROR"));
    if (RemoteLink* link = Link()) {
        Follow_Fetches(link);
        link->Settings_Changed();
    }
    Load_List();
}

QString Calendars_Page::Fetch_Program() const {
    RemoteLink* link = Link();
    return link ? link->Fetch_Program() : App_Path() + QStringLiteral("/AlmanorFetch");
}

void Calendars_Page::Keep_Password(const RemoteCalendar& calendar, const QString& password) {
    if (RemoteLink* link = Link())
        link->Set_Password(calendar, password);
    if (password.isEmpty() || calendar.user.isEmpty())
        return;
    auto* process = new QProcess(this);
    connect(process, &QProcess::finished, this, [this, process](int code) {
        process->deleteLater();
        const QString why =
            QString::fromUtf8(process->readAllStandardError()).trimmed().section(u'\n', 0, 0);
        const bool kept = code == 0 && process->exitStatus() == QProcess::NormalExit;
        // The keyring's own words go to the tooltip: the note has room for two lines.
        Note_Lbl->setText(kept ? QStringLiteral("The password is kept in the desktop's keyring.")
                               : QStringLiteral("No keyring took the password, so it lasts "
                                                "until the calendar closes."));
        Note_Lbl->setToolTip(kept ? QString() : why);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        process->deleteLater();
        Note_Lbl->setText(QStringLiteral("The password lasts until the calendar closes."));
    });
    // The password goes on standard input: a command line is readable by other users.
    process->start(Fetch_Program(),
                   {QStringLiteral("--store-password"), calendar.url, QStringLiteral("--user"),
                    calendar.user, QStringLiteral("--passwords")});
    process->write("0=" + password.toUtf8() + '\n');
    process->closeWriteChannel();
}

void Calendars_Page::Add_Btn_Click() {
    auto* dialog = new AddCalendar_Dlg(Fetch_Program(), calendars_.size(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QList<RemoteCalendar> added = dialog->Chosen();
        if (added.isEmpty())
            return;
        for (const RemoteCalendar& calendar : added)
            Keep_Password(calendar, dialog->Password());
        QList<RemoteCalendar> calendars = Read_Remote_Calendars(Settings_File_Path()) + added;
        for (qsizetype i = calendars.size() - added.size(); i < calendars.size(); ++i) {
            if (calendars[i].keep_notes)
                Keep_Notes_In(calendars, i);
        }
        Store(calendars);
        // A new calendar is fetched at once rather than at the next planned refresh.
        Refresh_Btn_Click();
    });
    dialog->open();
}

void Calendars_Page::Edit_Btn_Click() {
    const int index = Selected();
    if (index < 0 || index >= calendars_.size())
        return;
    auto* dialog = new EditCalendar_Dlg(calendars_.at(index), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, index] {
        QList<RemoteCalendar> calendars = Read_Remote_Calendars(Settings_File_Path());
        if (index >= calendars.size() || dialog->Edited().url.isEmpty())
            return;
        const RemoteCalendar old = calendars.at(index);
        const RemoteCalendar edited = dialog->Edited();
        // The cache belongs to an address and user: another one starts afresh.
        if (old.url != edited.url || old.user != edited.user)
            Remove_Remote_Cache(Remote_Cache_Dir(), old);
        if (!dialog->Password().isEmpty())
            Keep_Password(edited, dialog->Password());
        calendars[index] = edited;
        // Turning the sync off leaves calendar.dat, the server and the sync's state as they are.
        if (edited.keep_notes)
            Keep_Notes_In(calendars, index);
        Store(calendars);
        // The first sync of a calendar that now keeps the notes needn't wait for a refresh.
        if (edited.keep_notes && !old.keep_notes)
            if (RemoteLink* link = Link())
                link->Launcher().Sync_Notes_Now();
    });
    dialog->open();
}

void Calendars_Page::Remove_Btn_Click() {
    const int index = Selected();
    if (index < 0 || index >= calendars_.size())
        return;
    const QString question = QStringLiteral("Remove the calendar \"%1\" and its saved events?")
                                 .arg(calendars_.at(index).name);
    if (Msg_Box(question, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Calendars")) !=
        MsgAnswer::Yes)
        return;
    if (!Remove_Remote_Calendar(Settings_File_Path(), Remote_Cache_Dir(), index))
        Msg_Box(QStringLiteral("The calendars could not be saved to ") + Settings_File_Path(),
                MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("ERROR"));
    if (RemoteLink* link = Link())
        link->Settings_Changed();
    Load_List();
}

void Calendars_Page::Refresh_Btn_Click() {
    RemoteLink* link = Link();
    if (!link)
        return;
    // The list shows how the refresh went once the fetch program has finished.
    Follow_Fetches(link);
    link->Launcher().Refresh_Now();
}

void Calendars_Page::Enabled_Changed(QTreeWidgetItem* item, int column) {
    const int index = Calendars_Lst->indexOfTopLevelItem(item);
    if (loading_ || column != Name_Col || index < 0 || index >= calendars_.size())
        return;
    QList<RemoteCalendar> calendars = Read_Remote_Calendars(Settings_File_Path());
    if (index >= calendars.size())
        return;
    calendars[index].enabled = item->checkState(Name_Col) == Qt::Checked;
    // Stored once the list has finished with the item that changed: storing fills it anew.
    QMetaObject::invokeMethod(
        this, [this, calendars] { Store(calendars); }, Qt::QueuedConnection);
}
