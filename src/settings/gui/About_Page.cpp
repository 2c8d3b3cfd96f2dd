#include "settings/gui/About_Page.h"

#include "platform/Platform.h"
#include "settings/ProgramInfo.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

namespace {
QLabel* Text_Label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

About_Page::About_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {
    Name_Lbl = Text_Label(Program_Name(), this);
    Name_Lbl->setObjectName(QStringLiteral("Name_Lbl"));
    QFont big = font();
    big.setPointSize(16);
    big.setBold(true);
    Name_Lbl->setFont(big);
    Name_Lbl->setAlignment(Qt::AlignCenter);
    Name_Lbl->setGeometry(Place(0, 20, 343, 32));

    Version_Lbl = Text_Label(Program_Version(), this);
    Version_Lbl->setObjectName(QStringLiteral("Version_Lbl"));
    Version_Lbl->setAlignment(Qt::AlignCenter);
    Version_Lbl->setGeometry(Place(0, 56, 343, 16));

    auto* runs_on = Text_Label(QStringLiteral("Runs on:"), this);
    runs_on->setAlignment(Qt::AlignCenter);
    runs_on->setGeometry(Place(0, 92, 343, 16));
    Platforms_Lbl = Text_Label(Build_Platforms(), this);
    Platforms_Lbl->setObjectName(QStringLiteral("Platforms_Lbl"));
    Platforms_Lbl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Platforms_Lbl->setWordWrap(true);
    Platforms_Lbl->setGeometry(Place(16, 110, 311, 32));

    // "Please visit the website for help, updates," with the link in the middle of the line.
    const QString before = QStringLiteral("Please visit the ");
    const QString link = QStringLiteral("website");
    const QString after = QStringLiteral(" for help, updates,");
    const QFontMetrics metrics(font());
    const int line_width = metrics.horizontalAdvance(before + link + after);
    auto* visit = Text_Label(before, this);
    Link_Lbl = Text_Label(link, this);
    Link_Lbl->setObjectName(QStringLiteral("Link_Lbl"));
    QFont underlined = font();
    underlined.setUnderline(true);
    Link_Lbl->setFont(underlined);
    QPalette blue = Link_Lbl->palette();
    blue.setColor(QPalette::WindowText, blue.color(QPalette::Link));
    Link_Lbl->setPalette(blue);
    Link_Lbl->setCursor(Qt::PointingHandCursor);
    Link_Lbl->setToolTip(Help_Page_Path());
    Link_Lbl->installEventFilter(this);
    auto* for_help = Text_Label(after, this);
    const QRect line = Place(0, 170, 343, 16);
    int left = line.x() + (line.width() - line_width) / 2;
    for (QLabel* part : {visit, Link_Lbl, for_help}) {
        const int width = metrics.horizontalAdvance(part->text()) + 1;
        part->setGeometry(left, line.y(), width, line.height());
        left += width - 1;
    }
    auto* packs = Text_Label(QStringLiteral("wallpaper packs, suggestions or questions."), this);
    packs->setAlignment(Qt::AlignCenter);
    packs->setGeometry(Place(0, 186, 343, 16));
}

bool About_Page::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Link_Lbl && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Link_Lbl_Click();
        return true;
    }
    return SettingsPage::eventFilter(watched, event);
}

void About_Page::Link_Lbl_Click() {
    // Nothing tells the user when no program could show the page.
    Open_Help_Page();
}
