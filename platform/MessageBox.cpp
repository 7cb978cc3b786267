// Message boxes with an OK button, and a hook through which tests answer them without a modal loop.
#include "platform/MessageBox.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPushButton>

#include <utility>

namespace {

TMessageHook& Hook() {
    static TMessageHook hook;
    return hook;
}

// The flags leave minimise and maximise out of the Motif hints, but openbox keeps both boxes on a dialog
// whatever those say; it leaves them off a tool window. So the window calls itself a tool bar first and a
// dialog second, as the X11 window-type list allows. The type lives on the native window, which Qt may
// make anew for a later showing: it is set at every showing, before the window is mapped.
class TToolWindowType : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Show) {
            auto* Window = static_cast<QWidget*>(Watched);
            // Set anew: an attribute that is already on does not reach the native window again.
            Window->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, false);
            Window->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, true);
        }
        return false;
    }
};

} // namespace

void MessageBox(const QString& Text, const QString& Caption, QMessageBox::Icon Icon) {
    if (Hook()) {
        Hook()({Text, Caption, Icon});
        return;
    }
    QMessageBox box(Icon, Caption, Text, QMessageBox::NoButton, QApplication::activeWindow());
    SetDialogFrame(&box);
    // Like the dialogs' OK buttons: the text alone, without the icon some styles add.
    box.addButton(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

void SetDialogFrame(QWidget* Dialog) {
    Dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Dialog->installEventFilter(new TToolWindowType(Dialog));
}

void ShowMessage(const QString& Text) {
    MessageBox(Text, QApplication::applicationName());
}

TMessageHook SetMessageHook(TMessageHook NewHook) {
    return std::exchange(Hook(), std::move(NewHook));
}
