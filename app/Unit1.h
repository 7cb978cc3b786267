// The main window: input field, result list, search button, keyboard picture and status bar.
#pragma once

#include <QMainWindow>

#include <array>
#include <memory>

#include "app/WordLists.h"
#include "dictionary/WordList.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class TBreakdownWindow;
class TCapNotice;
class TResultZoom;
class TImage;
class TInputCycle;
class TResultCopy;
class TRichEdit;
class TRichMemo;
class TSearch;
class TWordInfo;
class VirtTast;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* Owner = nullptr);
    ~TForm1() override;

    // For tests and benchmarks, which drive the window through its widgets (found by object name): the
    // word list loaded now, and the hits of the last search.
    const TWordList& LoadedWordList() const { return WordList; }
    const TSearch& LastSearch() const;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    // Key presses of the input field and the result list, before they handle them.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateControls();
    void CreateMenu();
    void CreateSearchMenu();
    void CreateZoomCommands();
    void CreateStatusBar();
    void CreateParts();
    void ConnectEvents();

    // Start-up and layout.
    void FormShow();
    void FormResize();
    // Height of the window: the menu bar and the client area below it, with or without the picture.
    int ClientHeight() const;

    // The search of the field's text, shown in the list and counted in the status bar.
    void Button1Click();
    bool RunSearch();
    void ShowHits();

    // The input field's change handler.
    void RE1Change();
    // The keyboard picture, in picture pixels.
    void Image1MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    // Marked result lines also become the X11 primary selection.
    void RE2SelectionChange();
    // The right button copies the marked result lines.
    void RE2MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    // The menu "Suche": the breakdown window, saving all hits, folding.
    void Endungaufschluesseln1Click();
    void AlleTrefferspeichern1Click();
    void FoldingClick();
    void ShowBreakdown();
    // Puts Ending into the input field and searches it, as Suchen does.
    void SearchEnding(const QString& Ending);

    // The menu commands.
    void Beenden1Click();
    void Eingabelschen1Click();
    void Eingabefensteraktivieren1Click();
    void Inhalt1Click();
    void Tastaturlayout1Click();
    void Programminformation1Click();
    void Grundformen1Click();
    void AlleWortformen1Click();
    // Loads the other list in place of the current one and shows the last search's hits in it; a list
    // that cannot be loaded is reported, and the current one stays.
    void SwitchWordList(TListKind Kind);
    // The menu item of the list.
    QAction* ListItem(TListKind Kind) const;

    // Controls.
    TRichEdit* RE1 = nullptr;
    QPushButton* Button1 = nullptr;
    TRichMemo* RE2 = nullptr;
    TImage* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 3> Panels{}; // "Treffer:", the hit count, the list searched
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Programm1 = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Eingabelschen1 = nullptr;            // hidden: not in the menu, its short-cut works
    QAction* Eingabefensteraktivieren1 = nullptr; // hidden
    QMenu* Suche1 = nullptr;
    QActionGroup* Wortliste1 = nullptr; // the two lists, one of them checked
    QAction* Grundformen1 = nullptr;
    QAction* AlleWortformen1 = nullptr;
    QAction* Endungaufschluesseln1 = nullptr;
    QAction* AlleTrefferspeichern1 = nullptr;
    QAction* Grossklein1 = nullptr; // check item: capitals as small letters
    QAction* Wortinfo1 = nullptr;
    QAction* EundYo1 = nullptr; // check item: ё as е
    // Hidden: the zoom of the result list, by short-cut only.
    QAction* Vergroessern1 = nullptr;
    QAction* Verkleinern1 = nullptr;
    QAction* Originalgroesse1 = nullptr;
    QMenu* Hilfe1 = nullptr;
    QAction* Inhalt1 = nullptr;
    QAction* Tastaturlayout1 = nullptr;
    QAction* Programminformation1 = nullptr;

    // The word list and the search over it.
    TWordList WordList;
    TListKind ListKind = TListKind::Lemmas;
    std::unique_ptr<TSearch> Search;

    // The input field's editing cycle and the copying of marked result lines.
    std::unique_ptr<TInputCycle> Input;
    std::unique_ptr<TResultCopy> Copy;
    std::unique_ptr<TCapNotice> CapNotice;
    std::unique_ptr<TResultZoom> Zoom;
    // The lexicon's facts on a hit: tool tip and "Wortinfo…".
    std::unique_ptr<TWordInfo> Info;

    bool KeyboardVisible = true;
    // The working directory at construction followed by "/HilfeKavrinto.chm".
    QString HelpPath;

    std::unique_ptr<VirtTast> Keyboard;
    // Made on first use; the window owns it.
    TBreakdownWindow* Breakdown1 = nullptr;
    bool Shown = false;
};

extern TForm1* Form1;
