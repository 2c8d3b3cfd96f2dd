#include "remote/gui/AddCalendar_Dlg.h"

#include "remote/RemoteAdd.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

AddCalendar_Dlg::AddCalendar_Dlg(QString fetch_program, qsizetype existing, QWidget* parent)
    : QDialog(parent), fetch_program_(std::move(fetch_program)), existing_(existing) {
    setWindowTitle(QStringLiteral("Add Calendar"));
    setObjectName(QStringLiteral("AddCalendar_Dlg"));
    auto* form = new QFormLayout;
    Url_Txt = new QLineEdit(this);
    Url_Txt->setObjectName(QStringLiteral("Url_Txt"));
    Url_Txt->setPlaceholderText(QStringLiteral("https://example.org/calendar.ics"));
    User_Txt = new QLineEdit(this);
    User_Txt->setObjectName(QStringLiteral("User_Txt"));
    Password_Txt = new QLineEdit(this);
    Password_Txt->setObjectName(QStringLiteral("Password_Txt"));
    Password_Txt->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Address:"), Url_Txt);
    form->addRow(QStringLiteral("User name:"), User_Txt);
    form->addRow(QStringLiteral("Password:"), Password_Txt);

    Found_Lst = new QListWidget(this);
    Found_Lst->setObjectName(QStringLiteral("Found_Lst"));
    Found_Lst->setVisible(false);
    Notes_Chk = new QCheckBox(QStringLiteral("Keep my notes in this calendar"), this);
    Notes_Chk->setObjectName(QStringLiteral("Notes_Chk"));
    Notes_Chk->setVisible(false);
    Status_Lbl = new QLabel(this);
    Status_Lbl->setObjectName(QStringLiteral("Status_Lbl"));
    Status_Lbl->setWordWrap(true);
    Status_Lbl->setTextFormat(Qt::PlainText);
    Ok_Btn = new QPushButton(QStringLiteral("OK"), this);
    Ok_Btn->setObjectName(QStringLiteral("Ok_Btn"));
    Ok_Btn->setDefault(true);
    Cancel_Btn = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ok_Btn);
    buttons->addWidget(Cancel_Btn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Found_Lst);
    layout->addWidget(Notes_Chk);
    layout->addWidget(Status_Lbl);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());

    connect(Ok_Btn, &QPushButton::clicked, this, [this] { Ok_Btn_Click(); });
    connect(Cancel_Btn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Found_Lst, &QListWidget::itemChanged, this, [this] { Ticks_Changed(); });
}

AddCalendar_Dlg::~AddCalendar_Dlg() {
    if (discovery_)
        discovery_->kill();
}

void AddCalendar_Dlg::Ok_Btn_Click() {
    const QString url = Url_Txt->text().trimmed();
    if (url.isEmpty()) {
        Status_Lbl->setText(QStringLiteral("Type the address of a calendar or of its server."));
        return;
    }
    if (Is_Calendar_File_Address(url) || (found_at_ == url && Found_Lst->count() > 0)) {
        accept();
        return;
    }
    Discover();
}

void AddCalendar_Dlg::Discover() {
    if (discovery_)
        return;
    found_at_.clear();
    Found_Lst->clear();
    Found_Lst->setVisible(false);
    Notes_Chk->setVisible(false);
    Status_Lbl->setText(QStringLiteral("Asking the server for its calendars..."));
    Ok_Btn->setEnabled(false);
    discovery_ = new QProcess(this);
    connect(discovery_, &QProcess::finished, this, [this] { Discovered(); });
    connect(discovery_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Discovered();
    });
    // The password goes on standard input: a command line is readable by other users.
    discovery_->start(fetch_program_,
                      {QStringLiteral("--discover"), Url_Txt->text().trimmed(),
                       QStringLiteral("--user"), User_Txt->text(), QStringLiteral("--passwords")});
    discovery_->write("0=" + Password_Txt->text().toUtf8() + '\n');
    discovery_->closeWriteChannel();
}

void AddCalendar_Dlg::Discovered() {
    QProcess* process = discovery_;
    discovery_ = nullptr;
    if (!process)
        return;
    process->deleteLater();
    Ok_Btn->setEnabled(true);
    const QList<DiscoveredCalendar> found = Read_Discovery_Output(process->readAllStandardOutput());
    if (found.isEmpty()) {
        QString why = QString::fromUtf8(process->readAllStandardError()).trimmed();
        if (process->error() == QProcess::FailedToStart)
            why = QStringLiteral("The fetch program could not be started: ") + fetch_program_;
        Status_Lbl->setText(QStringLiteral("No calendars were found at this address. ") + why);
        return;
    }
    found_at_ = Url_Txt->text().trimmed();
    for (const DiscoveredCalendar& calendar : found) {
        auto* item = new QListWidgetItem(calendar.name, Found_Lst);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, calendar.url);
        item->setData(Qt::UserRole + 1, calendar.colour);
        item->setToolTip(calendar.url);
    }
    Found_Lst->setVisible(true);
    Notes_Chk->setVisible(true);
    Ticks_Changed();
    Status_Lbl->setText(QStringLiteral("Tick the calendars to show, then press OK."));
}

int AddCalendar_Dlg::Ticked() const {
    int ticked = 0;
    for (int i = 0; i < Found_Lst->count(); ++i)
        ticked += Found_Lst->item(i)->checkState() == Qt::Checked ? 1 : 0;
    return ticked;
}

void AddCalendar_Dlg::Ticks_Changed() {
    const bool one = Ticked() == 1;
    Notes_Chk->setEnabled(one);
    Notes_Chk->setToolTip(one ? QString()
                              : QStringLiteral("Tick one calendar to keep the notes in it."));
}

QList<RemoteCalendar> AddCalendar_Dlg::Chosen() const {
    QList<RemoteCalendar> chosen;
    RemoteCalendar calendar;
    calendar.user = User_Txt->text().trimmed();
    if (found_at_.isEmpty() || found_at_ != Url_Txt->text().trimmed()) {
        calendar.url = Url_Txt->text().trimmed();
        calendar.name = Calendar_Name_Of(calendar.url);
        calendar.colour = Remote_Colour_Of(QString(), existing_);
        chosen << calendar;
        return chosen;
    }
    for (int i = 0; i < Found_Lst->count(); ++i) {
        const QListWidgetItem* item = Found_Lst->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        calendar.url = item->data(Qt::UserRole).toString();
        calendar.name = item->text();
        calendar.colour =
            Remote_Colour_Of(item->data(Qt::UserRole + 1).toString(), existing_ + chosen.size());
        calendar.keep_notes =
            Notes_Chk->isEnabled() && Notes_Chk->isChecked() && !Is_Ics_Address(calendar.url);
        chosen << calendar;
    }
    return chosen;
}

QString AddCalendar_Dlg::Password() const {
    return Password_Txt->text();
}
