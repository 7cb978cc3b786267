// The breakdown window: the rows of the current ending (extended ending, count, share), non-modal.
// Enter or a double click on a row asks for that longer ending; "Zurück" for the one before.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "dictionary/Breakdown.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TBreakdownWindow : public QWidget {
    Q_OBJECT
public:
    explicit TBreakdownWindow(QWidget* Owner);

    // Shows the rows of Ending, whose search had Count hits. An ending that this window did not ask for
    // starts a new way back.
    void ShowBreakdown(const std::u16string& Ending, const std::vector<TBreakdownRow>& Rows, int32_t Count);

signals:
    // The ending the main window is to search.
    void EndingChosen(const QString& Ending);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateControls();
    void ConnectEvents();
    void ChooseRow(int Row);
    void BackClick();

    QLabel* Heading = nullptr;
    QTableWidget* Table = nullptr;
    QPushButton* Back = nullptr;

    std::vector<TBreakdownRow> Shown;
    std::u16string Current;
    // The shorter endings drilled down from, the last one on top.
    std::vector<std::u16string> WayBack;
    // The ending this window asked for and has not yet been shown.
    std::u16string Asked;
    bool Asking = false;
};
