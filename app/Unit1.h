// The main window: input field, result list, search button, keyboard picture and status bar.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "dictionary/WordList.h"
#include "richtext/Unitortf.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class RtfToUniSort;
class TImage;
class TRichEdit;
class TRichMemo;
class VirtTast;
class ZeiToRtf;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* Owner = nullptr);
    ~TForm1() override;

    // Controls.
    TRichEdit* RE1;
    QPushButton* Button1;
    TRichMemo* RE2;
    TImage* Image1;
    QStatusBar* StatusBar1;
    std::array<QLabel*, 2> Panels; // "Treffer:" and the hit count
    QMenuBar* MainMenu1;
    QMenu* Programm1;
    QAction* Beenden1;
    QAction* Eingabelschen1;            // hidden: not in the menu, its short-cut works
    QAction* Eingabefensteraktivieren1; // hidden
    QMenu* Hilfe1;
    QAction* Inhalt1;
    QAction* Tastaturlayout1;
    QAction* Programminformation1;

    // Start-up and layout.
    void FormShow();
    void FormResize();

    // The search.
    void Button1Click();
    bool RunSearch();
    bool FindEndingRange();
    void ShowHits(int32_t First, int32_t Last);

    // The input field's editing cycle; Key is one character of code page 1252.
    void RE1KeyPress(char& Key);
    void RE1Change();

    // The keyboard picture, in picture pixels.
    void Image1MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    // Copying marked result lines.
    void RE2KeyPress(char& Key);
    void RE2MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    bool TrimSelectionToLines();

    // The menu commands.
    void Beenden1Click();
    void Eingabelschen1Click();
    void Eingabefensteraktivieren1Click();
    void Inhalt1Click();
    void Tastaturlayout1Click();
    void Programminformation1Click();

    // The word list and the search state.
    TWordList WordList;
    const uint16_t* Query = nullptr;
    int32_t FirstHit = 0;
    int32_t LastHit = -1;
    char HitCountText[16] = {};

    // The editing state of the input field.
    std::string InputBody;
    std::string InputRtf;
    std::string KeyRtf;
    int32_t CaretPos = 1;
    bool ReloadPending = false;
    bool KeyUnmapped = false;

    bool KeyboardVisible = true;
    // The working directory at construction followed by "/HilfeKavrinto.chm".
    QString HelpPath;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void CreateControls();
    void CreateMenu();
    void CreateStatusBar();
    void CreateConverters();
    void ConnectEvents();

    // Height of the window: the menu bar and the client area below it, with or without the picture.
    int ClientHeight() const;
    // The field's body and caret, read before every key.
    void ReadInputField();
    // Inserts KeyRtf into the body at the caret and prepares the field's new document.
    void PrepareReload();
    // Turns a key event of the field into the key-press path; sets Consumed when the field must not
    // handle the event itself.
    void RE1KeyEvent(QKeyEvent* Event, bool& Consumed);
    // A Cyrillic letter that arrived as such (a Russian layout, an input method).
    void RE1LetterPress(char16_t Letter);
    // Ctrl+C in the result list as the key-press event's character 3.
    void RE2KeyEvent(QKeyEvent* Event, bool& Consumed);
    // Puts the marked lines on the clipboard as plain text, one entry per line; false when nothing is
    // marked.
    bool CopySelection();

    std::unique_ptr<ZeiToRtf> KeyMapping;
    std::unique_ptr<RtfToUniSort> QueryDecoder;
    std::unique_ptr<VirtTast> Keyboard;
    UniToRtf ResultEncoder;
    bool Shown = false;
};

extern TForm1* Form1;
