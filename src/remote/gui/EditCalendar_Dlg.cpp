#include "remote/gui/EditCalendar_Dlg.h"

#include "calendar/ColourValue.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

EditCalendar_Dlg::EditCalendar_Dlg(const RemoteCalendar& calendar, QWidget* parent)
    : QDialog(parent), calendar_(calendar) {
    setWindowTitle(QStringLiteral("Edit Calendar"));
    setObjectName(QStringLiteral("EditCalendar_Dlg"));
    auto* form = new QFormLayout(this);
    const auto line = [&](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromUtf8(name));
        return edit;
    };
    Name_Txt = line("Name_Txt", calendar.name);
    Url_Txt = line("Url_Txt", calendar.url);
    User_Txt = line("User_Txt", calendar.user);
    Password_Txt = line("Password_Txt", QString());
    Password_Txt->setEchoMode(QLineEdit::Password);
    Password_Txt->setPlaceholderText(QStringLiteral("unchanged"));
    Colour_Btn = new QPushButton(this);
    Colour_Btn->setObjectName(QStringLiteral("Colour_Btn"));
    Minutes_Spn = new QSpinBox(this);
    Minutes_Spn->setObjectName(QStringLiteral("Minutes_Spn"));
    Minutes_Spn->setRange(RemoteCalendar::Min_Refresh_Minutes, 7 * 24 * 60);
    Minutes_Spn->setValue(calendar.refresh_minutes);
    Minutes_Spn->setSuffix(QStringLiteral(" minutes"));
    Enabled_Chk = new QCheckBox(QStringLiteral("Show this calendar"), this);
    Enabled_Chk->setObjectName(QStringLiteral("Enabled_Chk"));
    Enabled_Chk->setChecked(calendar.enabled);
    Notes_Chk = new QCheckBox(QStringLiteral("Keep my notes in this calendar"), this);
    Notes_Chk->setObjectName(QStringLiteral("Notes_Chk"));
    Notes_Chk->setChecked(calendar.keep_notes);
    Notes_Chk->setToolTip(QStringLiteral("Every note of the calendar becomes an event here, and "
                                         "changes made on either side reach the other."));
    form->addRow(QStringLiteral("Name:"), Name_Txt);
    form->addRow(QStringLiteral("Address:"), Url_Txt);
    form->addRow(QStringLiteral("User name:"), User_Txt);
    form->addRow(QStringLiteral("Password:"), Password_Txt);
    form->addRow(QStringLiteral("Colour:"), Colour_Btn);
    form->addRow(QStringLiteral("Refresh every:"), Minutes_Spn);
    form->addRow(QString(), Enabled_Chk);
    form->addRow(QString(), Notes_Chk);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    resize(420, sizeHint().height());
    Show_Colour();
    Url_Changed();

    connect(Url_Txt, &QLineEdit::textChanged, this, [this] { Url_Changed(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Colour_Btn, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(Resolve_Colour(calendar_.colour, palette()),
                                                     this, QStringLiteral("Colour"));
        if (!chosen.isValid())
            return;
        calendar_.colour = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
        Show_Colour();
    });
}

void EditCalendar_Dlg::Show_Colour() {
    const QColor colour = Resolve_Colour(calendar_.colour, palette());
    Colour_Btn->setText(colour.name());
    Colour_Btn->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
}

void EditCalendar_Dlg::Url_Changed() {
    Notes_Chk->setEnabled(!Is_Ics_Address(Url_Txt->text()));
}

RemoteCalendar EditCalendar_Dlg::Edited() const {
    RemoteCalendar edited = calendar_;
    edited.name = Name_Txt->text().trimmed();
    edited.url = Url_Txt->text().trimmed();
    edited.user = User_Txt->text().trimmed();
    edited.refresh_minutes = Minutes_Spn->value();
    edited.enabled = Enabled_Chk->isChecked();
    edited.keep_notes = Notes_Chk->isChecked() && !Is_Ics_Address(edited.url);
    return edited;
}

QString EditCalendar_Dlg::Password() const {
    return Password_Txt->text();
}
