#include "remover/Main_Frm.h"

#include "calendar/AppPath.h"
#include "calendar/MsgBox.h"
#include "calendar/TwipScale.h"
#include "remover/FolderChooser.h"
#include "remover/RemoverCore.h"
#include "remover/WelcomePicture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace remover {

namespace {

const QString Caption = QStringLiteral("Almanor Remover");

// Window and page geometry, in twips.
constexpr qint32 Window_Width = 7620;
constexpr qint32 Window_Height = 5715;
constexpr qint32 Page_Bottom = 4650;
constexpr qint32 Header_Height = 1140;
constexpr qint32 Button_Top = 4860;
constexpr qint32 Button_Width = 1125;
constexpr qint32 Button_Height = 375;

const TwipScale& Scale() {
    static const TwipScale scale = TwipScale::For_Screen(QGuiApplication::primaryScreen());
    return scale;
}

void Place(QWidget* widget, qint32 left, qint32 top, qint32 width, qint32 height) {
    widget->setGeometry(Scale().Pixels(TwipRect{left, top, width, height}));
}

template <typename W> W* Make(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* widget = new W(text, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFrame* Make_Frame(QWidget* parent, int index) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("Step_Fra%1").arg(index));
    frame->setAutoFillBackground(true);
    return frame;
}

QFont Bold(QFont font, int point_size = 0) {
    font.setBold(true);
    if (point_size > 0)
        font.setPointSize(point_size);
    return font;
}

} // namespace

Main_Frm::Main_Frm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Main_Frm"));
    setWindowTitle(Caption);
    Build_Window();
    Show_Page(0);
}

void Main_Frm::Build_Window() {
    setFixedSize(Scale().X_Pixels(Window_Width), Scale().Y_Pixels(Window_Height));

    auto* header = new QFrame(this);
    header->setAutoFillBackground(true);
    QPalette white = header->palette();
    white.setColor(QPalette::Window, Qt::white);
    header->setPalette(white);
    Place(header, 0, 0, Window_Width, Header_Height);
    title_lbl_ = Make<QLabel>(header, "Title_Lbl");
    title_lbl_->setFont(Bold(font()));
    Place(title_lbl_, 240, 150, 7140, 285);
    desc_lbl_ = Make<QLabel>(header, "Desc_Lbl");
    desc_lbl_->setWordWrap(true);
    desc_lbl_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(desc_lbl_, 480, 465, 6900, 600);

    step_fra_[0] = Build_Welcome_Page();
    step_fra_[1] = Build_Style_Page();
    step_fra_[2] = Build_Packs_Page();
    Place(step_fra_[0], 0, 0, Window_Width, Page_Bottom);
    for (int i = 1; i < 3; ++i)
        Place(step_fra_[i], 0, Header_Height, Window_Width, Page_Bottom - Header_Height);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    Place(rule, 0, Page_Bottom, Window_Width, 30);

    back_btn_ = Make<QPushButton>(this, "Back_Btn", QStringLiteral("< Back"));
    next_btn_ = Make<QPushButton>(this, "Next_Btn", QStringLiteral("Next >"));
    finish_btn_ = Make<QPushButton>(this, "Finish_Btn", QStringLiteral("Finish"));
    cancel_btn_ = Make<QPushButton>(this, "Cancel_Btn", QStringLiteral("Cancel"));
    Place(back_btn_, 3600, Button_Top, Button_Width, Button_Height);
    Place(next_btn_, 3600 + Button_Width, Button_Top, Button_Width, Button_Height);
    Place(finish_btn_, 3600 + Button_Width, Button_Top, Button_Width, Button_Height);
    Place(cancel_btn_, 6240, Button_Top, Button_Width, Button_Height);
    connect(back_btn_, &QPushButton::clicked, this, &Main_Frm::Back_Btn_Click);
    connect(next_btn_, &QPushButton::clicked, this, &Main_Frm::Next_Btn_Click);
    connect(finish_btn_, &QPushButton::clicked, this, &Main_Frm::Finish_Btn_Click);
    connect(cancel_btn_, &QPushButton::clicked, this, &Main_Frm::Cancel_Btn_Click);
}

QFrame* Main_Frm::Build_Welcome_Page() {
    QFrame* frame = Make_Frame(this, 0);
    auto* picture = new QLabel(frame);
    Place(picture, 0, 0, 2460, Page_Bottom);
    picture->setPixmap(Welcome_Picture(picture->size()));

    auto* welcome =
        Make<QLabel>(frame, "Welcome_Lbl", QStringLiteral("Welcome to the Almanor Remover Wizard"));
    welcome->setFont(Bold(font(), 14));
    welcome->setWordWrap(true);
    Place(welcome, 2700, 240, 4680, 840);
    auto* about = Make<QLabel>(frame, "About_Lbl",
                               QStringLiteral("This wizard will guide you through the process of "
                                              "removing Almanor from your system."));
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(about, 2700, 1260, 4680, 840);
    auto* next = Make<QLabel>(frame, "Continue_Lbl", QStringLiteral("Click Next to continue."));
    Place(next, 2700, 4080, 4680, 285);
    return frame;
}

QFrame* Main_Frm::Build_Style_Page() {
    QFrame* frame = Make_Frame(this, 1);
    Place(Make<QLabel>(frame, "Style_Lbl", QStringLiteral("Remove Style:")), 480, 300, 2400, 255);
    everything_opt_ = Make<QRadioButton>(frame, "Everything_Opt", QStringLiteral("Everything"));
    custom_opt_ = Make<QRadioButton>(frame, "Custom_Opt", QStringLiteral("Custom..."));
    Place(everything_opt_, 720, 660, 2400, 300);
    Place(custom_opt_, 720, 1020, 2400, 300);
    everything_opt_->setChecked(true);

    installed_chk_ = Make<QCheckBox>(frame, "Installed_Chk", QStringLiteral("Installed Files"));
    events_chk_ = Make<QCheckBox>(frame, "Events_Chk", QStringLiteral("Data File (Events)"));
    packs_chk_ = Make<QCheckBox>(frame, "Packs_Chk", QStringLiteral("Wallpaper Packs"));
    qint32 top = 660;
    for (QCheckBox* box : {installed_chk_, events_chk_, packs_chk_}) {
        box->setChecked(true);
        box->setEnabled(false);
        Place(box, 3960, top, 3240, 300);
        top += 360;
    }
    connect(everything_opt_, &QRadioButton::clicked, this, &Main_Frm::Style_Opt_Click);
    connect(custom_opt_, &QRadioButton::clicked, this, &Main_Frm::Style_Opt_Click);
    connect(packs_chk_, &QCheckBox::clicked, this, &Main_Frm::Setup_Step);
    return frame;
}

QFrame* Main_Frm::Build_Packs_Page() {
    QFrame* frame = Make_Frame(this, 2);
    Place(Make<QLabel>(frame, "Packs_Lbl", QStringLiteral("Remove Packs:")), 480, 180, 2400, 255);
    packs_lst_ = new QListWidget(frame);
    packs_lst_->setObjectName(QStringLiteral("Packs_Lst"));
    Place(packs_lst_, 480, 480, 5400, 2760);
    all_btn_ = Make<QPushButton>(frame, "All_Btn", QStringLiteral("all"));
    none_btn_ = Make<QPushButton>(frame, "None_Btn", QStringLiteral("none"));
    Place(all_btn_, 6060, 480, Button_Width, Button_Height);
    Place(none_btn_, 6060, 960, Button_Width, Button_Height);
    connect(all_btn_, &QPushButton::clicked, this, &Main_Frm::All_Btn_Click);
    connect(none_btn_, &QPushButton::clicked, this, &Main_Frm::None_Btn_Click);
    return frame;
}

bool Main_Frm::Start() {
    install_folder_ = Find_Install_Folder(App_Path());
    if (install_folder_.isEmpty() || install_folder_ == QString::fromUtf16(No_Install_Path)) {
        Msg_Box(QStringLiteral("The Almanor directory can't be found. You will need to select the "
                               "folder manually!"),
                MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Almanor"));
        install_folder_ = BrowseForFolder(
            this,
            QStringLiteral("Select Almanor folder. This is usually /usr/local/lib/almanor/, or "
                           "~/.local/lib/almanor/ when installed for one user"));
        if (install_folder_.isEmpty()) {
            Msg_Box(QStringLiteral("You have not selected a folder, some elements of the program "
                                   "may not be removed."),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Almanor"));
            close();
            return false;
        }
    }
    if (!Fill_Pack_List()) {
        Msg_Box(QStringLiteral("Error getting Installed Path!"), MsgButtons::Ok, MsgIcon::Critical,
                Caption);
        close();
        return false;
    }
    All_Btn_Click();
    Show_Page(0);
    return true;
}

bool Main_Frm::Fill_Pack_List() {
    packs_lst_->clear();
    QStringList names;
    if (!List_Packs(install_folder_, &names))
        return false;
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, packs_lst_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return true;
}

QStringList Main_Frm::Ticked_Packs() const {
    QStringList ticked;
    for (int row = 0; row < packs_lst_->count(); ++row) {
        if (packs_lst_->item(row)->checkState() == Qt::Checked)
            ticked.append(packs_lst_->item(row)->text());
    }
    return ticked;
}

void Main_Frm::Show_Page(int page) {
    page_ = page;
    for (int i = 0; i < int(step_fra_.size()); ++i)
        step_fra_[i]->setVisible(i == page_);
    Setup_Step();
}

void Main_Frm::Setup_Step() {
    switch (page_) {
    case 0:
        Setup_Zero();
        break;
    case 1:
        Setup_One();
        break;
    default:
        Setup_Two();
        break;
    }
}

void Main_Frm::Setup_Zero() {
    back_btn_->hide();
    finish_btn_->hide();
    next_btn_->show();
}

void Main_Frm::Setup_One() {
    back_btn_->show();
    const bool choose_packs = custom_opt_->isChecked() && packs_chk_->isChecked();
    finish_btn_->setVisible(!choose_packs);
    next_btn_->setVisible(choose_packs);
    title_lbl_->setText(QStringLiteral("Select Components to Remove"));
    desc_lbl_->setText(QStringLiteral("You have the choice of either removing everything, or you "
                                      "can choose to keep your Wallpaper Packs, Settings or "
                                      "Events."));
}

void Main_Frm::Setup_Two() {
    back_btn_->show();
    next_btn_->hide();
    finish_btn_->show();
    title_lbl_->setText(QStringLiteral("Select Which Packs to Remove"));
    desc_lbl_->setText(QStringLiteral("You have the choice which packs to uninstall. Remove the "
                                      "tick from any Packs you want to keep."));
}

void Main_Frm::Next_Btn_Click() {
    if (page_ < 2)
        Show_Page(page_ + 1);
}

void Main_Frm::Back_Btn_Click() {
    if (page_ > 0)
        Show_Page(page_ - 1);
}

void Main_Frm::Style_Opt_Click() {
    const bool custom = custom_opt_->isChecked();
    events_chk_->setEnabled(custom);
    packs_chk_->setEnabled(custom);
    Setup_Step();
}

void Main_Frm::All_Btn_Click() {
    for (int row = 0; row < packs_lst_->count(); ++row)
        packs_lst_->item(row)->setCheckState(Qt::Checked);
}

void Main_Frm::None_Btn_Click() {
    for (int row = 0; row < packs_lst_->count(); ++row)
        packs_lst_->item(row)->setCheckState(Qt::Unchecked);
}

void Main_Frm::Finish_Btn_Click() {
    RemovalChoice choice;
    choice.everything = everything_opt_->isChecked();
    choice.events = events_chk_->isChecked();
    choice.packs = packs_chk_->isChecked();
    choice.ticked_packs = Ticked_Packs();
    if (!Finish_Removal(install_folder_, choice))
        Msg_Box(QStringLiteral("Error Uninstalling!"), MsgButtons::Ok, MsgIcon::Critical,
                QStringLiteral("ERROR"));
    close();
}

void Main_Frm::Cancel_Btn_Click() {
    const QString question =
        QStringLiteral("The Almanor Remover is not complete. If you quit now, nothing will be "
                       "removed.\r\n\r\nExit the Remover?");
    if (Msg_Box(question, MsgButtons::YesNo, MsgIcon::Question, Caption) == MsgAnswer::Yes)
        close();
}

} // namespace remover
