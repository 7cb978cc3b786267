// The notice where a capped result list ends: that the list is cut, how many hits it leaves out and
// how to get them all. A label over the list's viewport below the last line, not text of the list, so
// that marking and copying never take it.
#pragma once

#include <QObject>

#include <cstdint>

class QLabel;
class TRichMemo;

class TCapNotice : public QObject {
    Q_OBJECT
public:
    explicit TCapNotice(TRichMemo& List);

    // After every search, once the list holds its lines: shown when Count exceeds the Shown lines.
    void Update(int32_t Count, int32_t Shown);
    bool IsShown() const;
    QString Text() const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Below the last line, scrolled with the list; the document keeps room for it at its end.
    void Place();

    TRichMemo& RE2;
    QLabel* Label = nullptr;
    bool Active = false;
};
