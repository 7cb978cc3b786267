// Zoom of the result list's text.
#include "app/ResultZoom.h"

#include <QTextDocument>
#include <QWheelEvent>

#include <algorithm>

#include "platform/RichMemo.h"

namespace {

constexpr qreal SmallestSize = 6;
constexpr qreal LargestSize = 48;

} // namespace

TResultZoom::TResultZoom(TRichMemo& List) : RE2(List) {
    RE2.viewport()->installEventFilter(this);
    Apply();
}

void TResultZoom::Apply() {
    BaseSize = RE2.document()->defaultFont().pointSizeF();
    Change(Steps);
}

void TResultZoom::Change(int NewSteps) {
    if (BaseSize <= 0)
        return;
    // One point per step, within readable bounds.
    const qreal size = std::clamp(BaseSize + NewSteps, SmallestSize, LargestSize);
    Steps = static_cast<int>(size - BaseSize);
    QFont font = RE2.document()->defaultFont();
    if (font.pointSizeF() == size)
        return;
    font.setPointSizeF(size);
    RE2.document()->setDefaultFont(font);
}

bool TResultZoom::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == RE2.viewport() && Event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(Event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0)
                ZoomIn();
            else if (delta < 0)
                ZoomOut();
            // The list's own zoom would change the widget's font, which the document does not use.
            return true;
        }
    }
    return QObject::eventFilter(Watched, Event);
}
