// The image control.
#include "platform/Image.h"

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>

TImage::TImage(QWidget* Parent) : QLabel(Parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TImage::SetPicture(const QImage& Picture) {
    setPixmap(QPixmap::fromImage(Picture));
    resize(Picture.size());
}

void TImage::mousePressEvent(QMouseEvent* Event) {
    const QPoint at = Event->position().toPoint();
    emit MouseDown(Event->button(), Event->modifiers(), at.x(), at.y());
}

void TImage::mouseDoubleClickEvent(QMouseEvent* Event) {
    mousePressEvent(Event);
}
