// The program's entry: the application object, the main window, the message loop.
#include <QIcon>
#include <QPixmap>

#include "app/MessageLoop.h"
#include "app/Unit1.h"
#include "dialogs/DlgInfo.h"
#include "dialogs/DlgPictures.h"
#include "dialogs/DlgStart.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
    TApplication Application(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Kavrinto"));
    // The desktop entry kavrinto.desktop belongs to this program (task bars group its windows by it).
    TApplication::setDesktopFileName(QStringLiteral("kavrinto"));
    const int Code = RunMessageLoop([] {
        // Frames and task bars show 16 to 64 pixels and scale from the nearest size; the large ones cost
        // most of the drawing time at every start, and the installed menu takes its icon from the theme.
        QIcon Icon;
        for (const int Size : ProgramIconSizes)
            if (Size <= 64)
                Icon.addPixmap(QPixmap::fromImage(ProgramIcon(Size)));
        TApplication::setWindowIcon(Icon);
        Form1 = new TForm1;
        DlgStart = new TDlgStart(Form1);
        DlgInfo = new TDlgInfo(Form1);
        // The first show loads the word list; closing the window ends the loop.
        Form1->show();
    });
    // The dialogs go with their owner.
    delete Form1;
    Form1 = nullptr;
    DlgStart = nullptr;
    DlgInfo = nullptr;
    return Code;
}
