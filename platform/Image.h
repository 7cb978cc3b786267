// The image control: shows a picture at its own size and reports every press of a mouse button.
#pragma once

#include <QLabel>

class QImage;
class QMouseEvent;

class TImage : public QLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget* Parent = nullptr);

    // Shows Picture and takes its size.
    void SetPicture(const QImage& Picture);

signals:
    // Any button, in picture pixels; the second press of a double click is a press of its own.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
};
