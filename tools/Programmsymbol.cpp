// kavrinto_programmsymbol: draws the program's icon in every size of the desktop's icon theme into a
// folder, laid out as the theme wants it (ORDNER/hicolor/48x48/apps/kavrinto.png and so on), so that
// installing copies the folder as it is.
#include "dialogs/DlgPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    // Painting needs a GUI application, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    if (argc != 2) {
        std::fputs("Aufruf: kavrinto_programmsymbol ORDNER\n", stderr);
        return 2;
    }
    const QDir Folder(QString::fromLocal8Bit(argv[1]));
    for (const int Size : ProgramIconSizes) {
        const QString Apps = QStringLiteral("hicolor/%1x%1/apps").arg(Size);
        const QString Path = Folder.filePath(Apps + QStringLiteral("/kavrinto.png"));
        if (!Folder.mkpath(Apps) || !ProgramIcon(Size).save(Path, "PNG")) {
            std::fprintf(stderr, "kavrinto_programmsymbol: %s kann nicht geschrieben werden.\n",
                         qPrintable(Path));
            return 2;
        }
    }
    return 0;
}
