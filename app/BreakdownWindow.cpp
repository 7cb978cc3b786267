// The breakdown window.
#include "app/BreakdownWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString EndingText(const std::u16string& Ending) {
    return Ending.empty() ? QStringLiteral("(leere Endung)") : QString::fromStdU16String(Ending);
}

} // namespace

TBreakdownWindow::TBreakdownWindow(QWidget* Owner) : QWidget(Owner, Qt::Window) {
    CreateControls();
    ConnectEvents();
}

void TBreakdownWindow::CreateControls() {
    setObjectName(QStringLiteral("BreakdownWindow"));
    setWindowTitle(QStringLiteral("Endung aufschlüsseln"));
    resize(300, 420);
    Heading = new QLabel(this);
    Heading->setObjectName(QStringLiteral("Heading"));
    Table = new QTableWidget(0, 3, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setHorizontalHeaderLabels(
        {QStringLiteral("Endung"), QStringLiteral("Anzahl"), QStringLiteral("Anteil")});
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    // The endings take the room; count and share as wide as their numbers.
    Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->setAccessibleName(QStringLiteral("Aufschlüsselung"));
    Table->setAccessibleDescription(
        QStringLiteral("Je Buchstabe vor der Endung die Anzahl der Treffer; Enter sucht die längere Endung"));
    Back = new QPushButton(QStringLiteral("Zurück"), this);
    Back->setObjectName(QStringLiteral("Back"));
    Back->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Heading);
    layout->addWidget(Table);
    layout->addWidget(Back, 0, Qt::AlignRight);
}

void TBreakdownWindow::ConnectEvents() {
    connect(Table, &QTableWidget::cellDoubleClicked, this, [this](int Row, int) { ChooseRow(Row); });
    connect(Back, &QPushButton::clicked, this, &TBreakdownWindow::BackClick);
    Table->installEventFilter(this);
}

void TBreakdownWindow::ShowBreakdown(const std::u16string& Ending, const std::vector<TBreakdownRow>& Rows,
                                     int32_t Count) {
    if (!Asking || Ending != Asked)
        WayBack.clear();
    Asking = false;
    Current = Ending;
    Shown = Rows;
    Heading->setText(QStringLiteral("%1: %2 Treffer").arg(EndingText(Ending)).arg(Count));
    Table->setRowCount(static_cast<int>(Rows.size()));
    for (int i = 0; i < static_cast<int>(Rows.size()); ++i) {
        const TBreakdownRow& row = Rows[static_cast<size_t>(i)];
        auto* ending = new QTableWidgetItem(EndingText(row.Ending));
        ending->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (row.WholeWord)
            ending->setToolTip(QStringLiteral("Wörter, die selbst die Endung sind"));
        auto* count = new QTableWidgetItem(QString::number(row.Count));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // A single word among thousands is no 0.0 per cent.
        const QString percent =
            row.Share < 0.05 ? QStringLiteral("< 0,1") : QLocale(QLocale::German).toString(row.Share, 'f', 1);
        auto* share = new QTableWidgetItem(percent + QStringLiteral(" %"));
        share->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Table->setItem(i, 0, ending);
        Table->setItem(i, 1, count);
        Table->setItem(i, 2, share);
    }
    if (!Rows.empty())
        Table->setCurrentCell(0, 0);
    Back->setEnabled(!WayBack.empty());
}

bool TBreakdownWindow::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Table && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ChooseRow(Table->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TBreakdownWindow::ChooseRow(int Row) {
    if (Row < 0 || Row >= static_cast<int>(Shown.size()) || Shown[static_cast<size_t>(Row)].WholeWord)
        return;
    WayBack.push_back(Current);
    Asked = Shown[static_cast<size_t>(Row)].Ending;
    Asking = true;
    emit EndingChosen(QString::fromStdU16String(Asked));
}

void TBreakdownWindow::BackClick() {
    if (WayBack.empty())
        return;
    Asked = WayBack.back();
    WayBack.pop_back();
    Asking = true;
    emit EndingChosen(QString::fromStdU16String(Asked));
}
