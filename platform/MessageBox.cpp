// Message boxes with an OK button, and a hook through which tests answer them without a modal loop.
#include "platform/MessageBox.h"

#include <QApplication>

#include <utility>

namespace {

TMessageHook& Hook() {
    static TMessageHook hook;
    return hook;
}

} // namespace

void MessageBox(const QString& Text, const QString& Caption, QMessageBox::Icon Icon) {
    if (Hook()) {
        Hook()({Text, Caption, Icon});
        return;
    }
    QMessageBox box(Icon, Caption, Text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void ShowMessage(const QString& Text) {
    MessageBox(Text, QApplication::applicationName());
}

TMessageHook SetMessageHook(TMessageHook NewHook) {
    return std::exchange(Hook(), std::move(NewHook));
}
