// The application object: the standard exception display and the font substitutes.
#include "platform/Application.h"

#include <QFont>

#include <cstdio>
#include <new>
#include <system_error>

#include "common/SystemError.h"
#include "platform/MessageBox.h"
#include "richtext/ConvertError.h"

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

QString TApplication::ExceptionText(const std::exception& E) {
    // The conversion error is ours and says in German what went wrong.
    if (dynamic_cast<const EConvertError*>(&E) != nullptr)
        return QString::fromUtf8(E.what());
    if (dynamic_cast<const std::bad_alloc*>(&E) != nullptr)
        return QStringLiteral("Der freie Arbeitsspeicher reicht für diesen Schritt nicht aus.");
    if (const auto* System = dynamic_cast<const std::system_error*>(&E);
        System != nullptr && (System->code().category() == std::generic_category() ||
                              System->code().category() == std::system_category()))
        return QStringLiteral("Ein Aufruf des Betriebssystems ist gescheitert: %1.")
            .arg(QString::fromStdString(SystemErrorText(System->code().value())));
    // Everything else comes from a library and speaks English: a German sentence first, the library's
    // words after it for whoever looks into the fault.
    QString Text = QStringLiteral("Ein unerwarteter Fehler ist aufgetreten.");
    const QString Technical = QString::fromUtf8(E.what()).trimmed();
    if (!Technical.isEmpty())
        Text += QStringLiteral("\n\nTechnische Angabe: ") + Technical;
    return Text;
}

void TApplication::ShowException(const std::exception& E) {
    ShowError([&E] { return ExceptionText(E); });
}

void TApplication::ShowUnknownException() {
    ShowError([] { return QStringLiteral("Ein unbekannter Fehler ist aufgetreten."); });
}

void TApplication::ShowError(const std::function<QString()>& Text) {
    // Short of memory, the box itself may fail to build; then the message goes to the terminal, and
    // nothing leaves the event loop.
    try {
        MessageBox(Text(), applicationName(), QMessageBox::Critical);
    } catch (...) {
        std::fputs(
            "Kavrinto: Ein Fehler ist aufgetreten, und der Arbeitsspeicher reicht nicht, ihn anzuzeigen.\n",
            stderr);
    }
}

void TApplication::RegisterFontSubstitutes() {
    // Liberation Sans has Arial's metrics and so comes closest to the Windows sans-serif fonts; DejaVu
    // Sans covers whatever it lacks.
    const QStringList substitutes = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const char* family : {"MS Sans Serif", "Arial Unicode MS", "Arial"})
        if (QFont::substitutes(QString::fromLatin1(family)).isEmpty())
            QFont::insertSubstitutions(QString::fromLatin1(family), substitutes);
}
