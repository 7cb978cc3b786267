// kavrinto_hilfebilder: draws the pictures of the help pages into a folder, for the help compiler.
#include "dialogs/DlgPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    // Drawing text needs the font database of a GUI application, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    if (argc != 2) {
        std::fputs("Aufruf: kavrinto_hilfebilder ORDNER\n", stderr);
        return 2;
    }
    const QDir Folder(QString::fromLocal8Bit(argv[1]));
    // The start picture with its yellow left out, as the start dialog shows it.
    const QString Path = Folder.filePath(QStringLiteral("start.png"));
    if (!TransparentPixmap(StartPicture()).toImage().save(Path, "PNG")) {
        std::fprintf(stderr, "kavrinto_hilfebilder: %s kann nicht geschrieben werden.\n", qPrintable(Path));
        return 2;
    }
    return 0;
}
