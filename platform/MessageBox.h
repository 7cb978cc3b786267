// Message boxes with an OK button, and a hook through which tests answer them without a modal loop.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

struct TMessage {
    QString Text;
    QString Caption;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

using TMessageHook = std::function<void(const TMessage& Message)>;

// A modal box with Text, Caption, Icon and an OK button; returns when it is closed. While a hook is
// set, the hook gets the message instead and no box is shown.
void MessageBox(const QString& Text, const QString& Caption, QMessageBox::Icon Icon = QMessageBox::NoIcon);

// The simple message: the application's title as caption, no icon.
void ShowMessage(const QString& Text);

// Sets the hook (an empty one shows boxes again) and returns the previous one.
TMessageHook SetMessageHook(TMessageHook Hook);

// The frame of every dialog and message box: a title bar with a close box, no minimise or maximise box.
void SetDialogFrame(QWidget* Dialog);
