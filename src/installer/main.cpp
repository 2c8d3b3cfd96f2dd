// almanor-register: records or forgets the installation folder for the Remover. Run by the
// install and uninstall rules; not part of the program folder.
//
//   almanor-register record FOLDER [--root HKCU|HKLM]
//   almanor-register forget FOLDER [--root HKCU|HKLM]
//
// Without --root the root follows the folder: HKCU inside $HOME, HKLM elsewhere.

#include "installer/InstallRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextStream>

namespace {

int Usage() {
    QTextStream(stderr) << "usage: almanor-register record|forget FOLDER [--root HKCU|HKLM]\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString root;
    const qsizetype root_at = args.indexOf(QStringLiteral("--root"));
    if (root_at >= 0) {
        if (root_at + 1 >= args.size())
            return Usage();
        root = args.at(root_at + 1).toUpper();
        if (root != QLatin1String("HKCU") && root != QLatin1String("HKLM"))
            return Usage();
        args.remove(root_at, 2);
    }
    if (args.size() != 2 || args.at(1).isEmpty())
        return Usage();
    const QString& action = args.at(0);
    const QString folder = QDir::cleanPath(QDir(args.at(1)).absolutePath());
    if (root.isEmpty())
        root = Install_Root_For(folder, QDir::homePath());

    qint32 status = 0;
    if (action == QLatin1String("record"))
        status = Record_Install_Path(root, folder);
    else if (action == QLatin1String("forget"))
        status = Forget_Install_Path(root, folder);
    else
        return Usage();

    QTextStream out(status == 0 ? stdout : stderr);
    if (status != 0) {
        out << "almanor-register: could not " << action << " InstallPath under " << root
            << " (registry status " << status << ")\n";
        return 2;
    }
    out << "almanor-register: " << (action == QLatin1String("record") ? "recorded " : "forgot ")
        << folder << " as InstallPath under " << root << '\n';
    return 0;
}
