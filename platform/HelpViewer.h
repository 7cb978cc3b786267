// The help viewer: one window with a CHM help file's table of contents and its pages.
#pragma once

#include <QString>
#include <QWidget>

#include "platform/HelpStream.h"

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class THelpViewer : public QWidget {
    Q_OBJECT
public:
    enum class ShowResult {
        Opened,     // the viewer shows the file's table of contents
        NotFound,   // no file at that path; no viewer is opened
        Unreadable, // the file cannot be read, or is no CHM file with a table of contents; nothing opened
    };

    // Opens the CHM file at Path in the one viewer window, or brings that window to the front when it
    // already shows this file, and returns once the file is read (the viewer is not modal). The file is
    // read whole by kavrinto-hilfeleser in a process of its own: its crash, its failure, its running
    // past the time limit or output that is no stream of objects make the file Unreadable, and this
    // program goes on. When MainWindow closes or is destroyed, the viewer closes with it.
    static ShowResult ShowContents(const QString& Path, QWidget* MainWindow = nullptr);

    // The open viewer, or nullptr.
    static THelpViewer* Instance();

    // Closes and destroys the viewer, if one is open.
    static void CloseViewer();

    // For tests and for a program that does not lie beside the reader: the reader program to run and
    // how long to wait for it. An empty Program restores kavrinto-hilfeleser beside the running program.
    static constexpr int DefaultTimeLimitMs = 5000;
    static void SetReader(const QString& Program, int TimeLimitMs = DefaultTimeLimitMs);

    ~THelpViewer() override;

    // The table of contents, nested as in the file; each item's Qt::UserRole holds its page.
    QTreeWidget* Contents;
    QTextBrowser* Page;

    // The absolute path of the shown file.
    QString FilePath() const;

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    THelpViewer();
    void Open(const QString& Path, THelpObjects Objects, const QString& Title,
              const QList<QTreeWidgetItem*>& Items);
    void ShowItem(QTreeWidgetItem* Item);
    void SelectItemOf(const QUrl& Source);

    QString ShownPath;
    THelpObjects Objects;
};
