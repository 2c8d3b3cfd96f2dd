// Writes the help page of the program folder from its template, filling in the calendar's keys
// and mouse actions from the table the key handling uses.
#include "calendar/CalendarInput.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE OUTPUT\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString page_template = QString::fromUtf8(in.readAll());
    if (!page_template.contains(QLatin1String(Help_Input_Marker))) {
        std::fprintf(stderr, "%s lacks the marker %s\n", argv[1], Help_Input_Marker);
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(Fill_Help_Page(page_template).toUtf8()) < 0 ||
        !out.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
