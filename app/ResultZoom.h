// Zoom of the result list's text: Ctrl++, Ctrl+−, Ctrl+0 and Ctrl with the mouse wheel. The size
// lasts until the program ends; every list loaded keeps it.
#pragma once

#include <QObject>

class TRichMemo;

class TResultZoom : public QObject {
    Q_OBJECT
public:
    explicit TResultZoom(TRichMemo& List);

    void ZoomIn() { Change(Steps + 1); }
    void ZoomOut() { Change(Steps - 1); }
    void Reset() { Change(0); }
    // After every load of the list, which brings its own size.
    void Apply();
    // Points added to the size the list's document sets.
    int ZoomSteps() const { return Steps; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Change(int NewSteps);

    TRichMemo& RE2;
    int Steps = 0;
    qreal BaseSize = 0; // the loaded document's own point size
};
