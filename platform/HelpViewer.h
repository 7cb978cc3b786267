// The help viewer: one window with a CHM help file's table of contents and its pages.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

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
    // already shows this file, and returns at once (the viewer is not modal). When MainWindow closes or
    // is destroyed, the viewer closes with it.
    static ShowResult ShowContents(const QString& Path, QWidget* MainWindow = nullptr);

    // The open viewer, or nullptr.
    static THelpViewer* Instance();

    // Closes and destroys the viewer, if one is open.
    static void CloseViewer();

    ~THelpViewer() override;

    // The table of contents, nested as in the file; each item's Qt::UserRole holds its page.
    QTreeWidget* Contents;
    QTextBrowser* Page;

    // The absolute path of the shown file.
    QString FilePath() const;

    class TChm;

private:
    THelpViewer();
    void Open(std::unique_ptr<TChm> File, const QString& Title, const QList<QTreeWidgetItem*>& Items);
    void ShowItem(QTreeWidgetItem* Item);
    void SelectItemOf(const QUrl& Source);

    std::unique_ptr<TChm> Chm;
};
