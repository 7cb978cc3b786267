// The application object: the standard exception display and the font substitutes.
#include "platform/Application.h"

#include <QFont>

#include "platform/MessageBox.h"

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    RegisterFontSubstitutes();
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& E) {
        ShowException(E);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}

void TApplication::ShowException(const std::exception& E) {
    MessageBox(QString::fromUtf8(E.what()), applicationName(), QMessageBox::Critical);
}

void TApplication::ShowUnknownException() {
    MessageBox(QStringLiteral("Ein unbekannter Fehler ist aufgetreten."), applicationName(),
               QMessageBox::Critical);
}

void TApplication::RegisterFontSubstitutes() {
    // Liberation Sans has Arial's metrics and so comes closest to the Windows sans-serif fonts; DejaVu
    // Sans covers whatever it lacks.
    const QStringList substitutes = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const char* family : {"MS Sans Serif", "Arial Unicode MS", "Arial"})
        if (QFont::substitutes(QString::fromLatin1(family)).isEmpty())
            QFont::insertSubstitutions(QString::fromLatin1(family), substitutes);
}
