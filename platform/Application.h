// The application object: the standard display of exceptions that leave an event handler, and the
// font substitutes that let the window's Windows font names render.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& Argc, char** Argv);

    // An exception that leaves the handling of an event is shown, and the program goes on.
    bool notify(QObject* Receiver, QEvent* Event) override;

    // The standard exception display: the exception's message in a box with the application's title,
    // an error icon and OK.
    static void ShowException(const std::exception& E);
    static void ShowUnknownException();

    // What the display says: always German. The conversion error's own message as it is; out of memory
    // and system errors in our words; any other exception a German sentence with its English text after.
    static QString ExceptionText(const std::exception& E);

    // "MS Sans Serif", "Arial Unicode MS" and "Arial" are Windows fonts: map them to fonts that exist here
    // and cover Latin and Cyrillic.
    static void RegisterFontSubstitutes();

private:
    static void ShowError(const std::function<QString()>& Text);
};
