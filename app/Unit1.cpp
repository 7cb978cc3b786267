// The main window: its widgets, menu and status bar, start-up and layout, and the wiring of the input
// field's editing cycle, the search, the copying of result lines and the keyboard picture.
#include "app/Unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

#include "app/BreakdownWindow.h"
#include "app/CapNotice.h"
#include "app/InputCycle.h"
#include "app/KeyboardPicture.h"
#include "app/ResultCopy.h"
#include "app/ResultZoom.h"
#include "app/Search.h"
#include "app/WordInfo.h"
#include "dialogs/DlgInfo.h"
#include "dialogs/DlgStart.h"
#include "dictionary/Breakdown.h"
#include "dictionary/HitFile.h"
#include "input/Virttast.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/WordInfo.h"
#include "platform/HelpViewer.h"
#include "platform/Image.h"
#include "platform/MessageBox.h"
#include "platform/RichEdit.h"
#include "platform/RichMemo.h"
#include "richtext/ResultDocument.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int ClientWidth = 309;
constexpr int ClientHeightWithPicture = 508;
constexpr int ClientHeightWithoutPicture = 383;
constexpr int StatusBarHeight = 19;
// The resize rule works on the outer width of a Windows frame: client width + 5.
constexpr int FrameExtra = 5;
constexpr int MinimumOuterWidth = ClientWidth + FrameExtra;

const char* const PresetLines[] = {
    "Geben Sie bitten Ihren Suchbegriff (Wort oder",
    "Endbuchstaben bzw.Endsilben) ein und bestä-",
    "tigen Sie Ihre Eingabe mit ENTER oder einem ",
    "Klick auf den Button Suchen.",
    "",
    "Bleiben Sie bei der Spracheinstellung De (in der",
    "Statuszeile), schalten Sie nicht auf Ru um!",
    "",
    "Klicken Sie im eingeblendeten Tastatur-Layout ",
    "den gewünschten russischen Buchstaben ein-",
    "mal mit der linken Maustaste an oder drücken ",
    "Sie auf den in Schwarz daneben dargestellten ",
    "deutschen Buchstaben auf Ihrer Tastatur.",
    " ",
};

QFont WindowsFont(const char* Family, int PixelHeight) {
    QFont font(QString::fromLatin1(Family));
    font.setPixelSize(PixelHeight);
    return font;
}

} // namespace

TForm1::TForm1(QWidget* Owner) : QMainWindow(Owner) {
    CreateControls();
    CreateMenu();
    CreateZoomCommands();
    CreateStatusBar();
    CreateParts();
    ConnectEvents();
    HelpPath = QDir::currentPath() + QStringLiteral("/HilfeKavrinto.chm");
    move(345, 112);
    resize(ClientWidth, ClientHeight());
    FormResize();
}

TForm1::~TForm1() = default;

const TSearch& TForm1::LastSearch() const {
    return *Search;
}

void TForm1::CreateControls() {
    setWindowTitle(QStringLiteral("Kavrinto"));
    setFont(WindowsFont("MS Sans Serif", 11));
    setMinimumWidth(ClientWidth);
    auto* client = new QWidget(this);
    setCentralWidget(client);
    // MS Sans Serif is a bitmap font: asked for a height of 15 pixels, Windows shows its 10-point size,
    // whose letters are 13 pixels high. A scalable substitute at 15 pixels would not fit the lines of
    // the preset text into the list.
    const QFont fieldFont = WindowsFont("MS Sans Serif", 13);

    RE1 = new TRichEdit(client);
    RE1->setObjectName(QStringLiteral("RE1"));
    RE1->setGeometry(4, 8, 214, 25);
    RE1->setFont(fieldFont);
    RE1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    RE1->setAccessibleName(QStringLiteral("Eingabefeld"));
    RE1->setAccessibleDescription(
        QStringLiteral("Russische Endung oder Wort, getippt auf der deutschen Tastatur; Enter sucht"));

    Button1 = new QPushButton(QStringLiteral("Suchen"), client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(224, 0, 75, 25);
    Button1->setFocusPolicy(Qt::ClickFocus);
    Button1->setAccessibleName(QStringLiteral("Suchen"));
    Button1->setAccessibleDescription(QStringLiteral("Sucht alle Wörter mit der eingegebenen Endung"));

    RE2 = new TRichMemo(client);
    RE2->setObjectName(QStringLiteral("RE2"));
    RE2->setGeometry(3, 32, 301, 337);
    RE2->setFont(fieldFont);
    RE2->setReadOnly(true);
    RE2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Lines are laid out across the viewport's width, unwrapped, so that the right-aligned endings stand
    // at its right edge. The list's own no-wrap mode would measure the first list against its own
    // widest line until a scroll bar made it lay out again.
    RE2->setLineWrapMode(QTextEdit::WidgetWidth);
    RE2->setWordWrapMode(QTextOption::NoWrap);
    RE2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RE2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette listColours = RE2->palette();
    listColours.setColor(QPalette::Text, Qt::red);
    // The marking stays visible when the list loses the focus.
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        listColours.setColor(QPalette::Inactive, role, listColours.color(QPalette::Active, role));
    RE2->setPalette(listColours);
    QStringList preset;
    for (const char* line : PresetLines)
        preset << QString::fromUtf8(line);
    RE2->setPlainText(preset.join(QLatin1Char('\n')));
    RE2->setAccessibleName(QStringLiteral("Trefferliste"));
    RE2->setAccessibleDescription(QStringLiteral("Alle Wörter mit der gesuchten Endung, rechtsbündig"));

    Image1 = new TImage(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(3, 368);
    Image1->SetPicture(KeyboardPicture());
    Image1->setAccessibleName(QStringLiteral("Tastatur-Layout"));
    Image1->setAccessibleDescription(
        QStringLiteral("Deutsche Tastatur mit den russischen Buchstaben; ein Klick auf eine Taste tippt "
                       "ihren Buchstaben ins Eingabefeld"));

    setTabOrder(RE1, RE2);
    RE1->setFocus();
}

void TForm1::CreateMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    Programm1 = MainMenu1->addMenu(QStringLiteral("Programm"));
    Programm1->setObjectName(QStringLiteral("Programm1"));
    Beenden1 = Programm1->addAction(QStringLiteral("Beenden"));
    Beenden1->setObjectName(QStringLiteral("Beenden1"));
    Beenden1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    // The two hidden commands act through their short-cuts only: an action that is not visible fires
    // none, so they belong to the window, not to the menu.
    Eingabelschen1 = new QAction(QStringLiteral("Eingabe löschen"), this);
    Eingabelschen1->setObjectName(QStringLiteral("Eingabelschen1"));
    Eingabelschen1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    addAction(Eingabelschen1);
    Eingabefensteraktivieren1 = new QAction(QStringLiteral("Eingabefenster aktivieren"), this);
    Eingabefensteraktivieren1->setObjectName(QStringLiteral("Eingabefensteraktivieren1"));
    Eingabefensteraktivieren1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    addAction(Eingabefensteraktivieren1);

    CreateSearchMenu();

    Hilfe1 = MainMenu1->addMenu(QStringLiteral("Hilfe"));
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Inhalt1 = Hilfe1->addAction(QStringLiteral("Inhalt"));
    Inhalt1->setObjectName(QStringLiteral("Inhalt1"));
    Inhalt1->setShortcut(QKeySequence(Qt::Key_F1));
    Tastaturlayout1 = Hilfe1->addAction(QStringLiteral("Tastaturlayout"));
    Tastaturlayout1->setObjectName(QStringLiteral("Tastaturlayout1"));
    Tastaturlayout1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_T));
    Hilfe1->addSeparator();
    Programminformation1 = Hilfe1->addAction(QStringLiteral("Programminformation"));
    Programminformation1->setObjectName(QStringLiteral("Programminformation1"));
    Programminformation1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_I));
}

// The menu "Suche", between "Programm" and "Hilfe": which list is searched, the breakdown, saving, folding.
void TForm1::CreateSearchMenu() {
    Suche1 = MainMenu1->addMenu(QStringLiteral("Suche"));
    Suche1->setObjectName(QStringLiteral("Suche1"));
    Wortliste1 = new QActionGroup(this);
    Wortliste1->setExclusive(true);
    Grundformen1 = Suche1->addAction(QStringLiteral("Grundformen"));
    Grundformen1->setObjectName(QStringLiteral("Grundformen1"));
    AlleWortformen1 = Suche1->addAction(QStringLiteral("Alle Wortformen"));
    AlleWortformen1->setObjectName(QStringLiteral("AlleWortformen1"));
    for (QAction* item : {Grundformen1, AlleWortformen1}) {
        item->setCheckable(true);
        Wortliste1->addAction(item);
    }
    Grundformen1->setChecked(true);
    Suche1->addSeparator();
    Endungaufschluesseln1 = Suche1->addAction(QStringLiteral("Endung aufschlüsseln…"));
    Endungaufschluesseln1->setObjectName(QStringLiteral("Endungaufschluesseln1"));
    AlleTrefferspeichern1 = Suche1->addAction(QStringLiteral("Alle Treffer speichern…"));
    AlleTrefferspeichern1->setObjectName(QStringLiteral("AlleTrefferspeichern1"));
    AlleTrefferspeichern1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Wortinfo1 = Suche1->addAction(QStringLiteral("Wortinfo…"));
    Wortinfo1->setObjectName(QStringLiteral("Wortinfo1"));
    Suche1->addSeparator();
    // Both off at start: the dictionary's own rule.
    Grossklein1 = Suche1->addAction(QStringLiteral("Groß- und Kleinschreibung gleich"));
    Grossklein1->setObjectName(QStringLiteral("Grossklein1"));
    Grossklein1->setCheckable(true);
    EundYo1 = Suche1->addAction(QStringLiteral("е und ё gleich"));
    EundYo1->setObjectName(QStringLiteral("EundYo1"));
    EundYo1->setCheckable(true);
}

void TForm1::CreateZoomCommands() {
    // The platform's zoom keys, and Ctrl with the + or − key wherever they are not among them.
    const auto command = [this](const char* Name, const char* Text, QList<QKeySequence> Keys,
                                const QKeySequence& Own) {
        if (!Keys.contains(Own))
            Keys.prepend(Own);
        auto* action = new QAction(QString::fromUtf8(Text), this);
        action->setObjectName(QString::fromLatin1(Name));
        action->setShortcuts(Keys);
        addAction(action);
        return action;
    };
    Vergroessern1 =
        command("Vergroessern1", "Trefferliste vergrößern", QKeySequence::keyBindings(QKeySequence::ZoomIn),
                QKeySequence(Qt::CTRL | Qt::Key_Plus));
    Verkleinern1 =
        command("Verkleinern1", "Trefferliste verkleinern", QKeySequence::keyBindings(QKeySequence::ZoomOut),
                QKeySequence(Qt::CTRL | Qt::Key_Minus));
    Originalgroesse1 =
        command("Originalgroesse1", "Trefferliste in Originalgröße", {}, QKeySequence(Qt::CTRL | Qt::Key_0));
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(StatusBarHeight);
    Panels[0] = new QLabel(QStringLiteral("Treffer:"));
    Panels[0]->setObjectName(QStringLiteral("Panel0"));
    Panels[0]->setFixedWidth(50);
    Panels[1] = new QLabel;
    Panels[1]->setObjectName(QStringLiteral("Panel1"));
    Panels[1]->setFixedWidth(120);
    // The count is the panel's text, and so its accessible name.
    Panels[1]->setAccessibleDescription(QStringLiteral("Anzahl der Treffer"));
    Panels[2] = new QLabel(QString::fromLatin1(ListName(ListKind)));
    Panels[2]->setObjectName(QStringLiteral("Panel2"));
    Panels[2]->setAccessibleDescription(QStringLiteral("Durchsuchte Wortliste"));
    for (QLabel* panel : Panels) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1->addWidget(panel);
    }
    setStatusBar(StatusBar1);
}

void TForm1::CreateParts() {
    Input = std::make_unique<TInputCycle>(*RE1, [this] { RunSearch(); });
    Search = std::make_unique<TSearch>(WordList);
    Copy = std::make_unique<TResultCopy>(*RE2);
    CapNotice = std::make_unique<TCapNotice>(*RE2);
    Zoom = std::make_unique<TResultZoom>(*RE2);
    Info = std::make_unique<TWordInfo>(*RE2, *this,
                                       QDir::currentPath() + u'/' + QLatin1StringView(LexiconFileName),
                                       [this] { return Search->AllHits().Count > 0; });
    Keyboard = std::make_unique<VirtTast>();
}

void TForm1::ConnectEvents() {
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    RE1->installEventFilter(this);
    RE2->installEventFilter(this);
    // A key that the field handled without a change of its text leaves no reload pending.
    connect(RE1, &TRichEdit::KeyPressed, this, &TForm1::RE1Change);
    connect(RE1, &QLineEdit::textChanged, this, &TForm1::RE1Change);
    connect(Image1, &TImage::MouseDown, this, &TForm1::Image1MouseDown);
    connect(RE2, &TRichMemo::MouseDown, this, &TForm1::RE2MouseDown);
    connect(RE2, &QTextEdit::selectionChanged, this, &TForm1::RE2SelectionChange);
    connect(Beenden1, &QAction::triggered, this, &TForm1::Beenden1Click);
    connect(Eingabelschen1, &QAction::triggered, this, &TForm1::Eingabelschen1Click);
    connect(Eingabefensteraktivieren1, &QAction::triggered, this, &TForm1::Eingabefensteraktivieren1Click);
    connect(Endungaufschluesseln1, &QAction::triggered, this, &TForm1::Endungaufschluesseln1Click);
    connect(AlleTrefferspeichern1, &QAction::triggered, this, &TForm1::AlleTrefferspeichern1Click);
    connect(Wortinfo1, &QAction::triggered, Info.get(), &TWordInfo::Show);
    connect(Grossklein1, &QAction::triggered, this, &TForm1::FoldingClick);
    connect(EundYo1, &QAction::triggered, this, &TForm1::FoldingClick);
    connect(Vergroessern1, &QAction::triggered, Zoom.get(), &TResultZoom::ZoomIn);
    connect(Verkleinern1, &QAction::triggered, Zoom.get(), &TResultZoom::ZoomOut);
    connect(Originalgroesse1, &QAction::triggered, Zoom.get(), &TResultZoom::Reset);
    connect(Inhalt1, &QAction::triggered, this, &TForm1::Inhalt1Click);
    connect(Tastaturlayout1, &QAction::triggered, this, &TForm1::Tastaturlayout1Click);
    connect(Programminformation1, &QAction::triggered, this, &TForm1::Programminformation1Click);
    connect(Grundformen1, &QAction::triggered, this, &TForm1::Grundformen1Click);
    connect(AlleWortformen1, &QAction::triggered, this, &TForm1::AlleWortformen1Click);
}

// ---- Start-up and layout ----

void TForm1::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    // The start dialog first; the window appears once it is closed and the list is loaded.
    if (DlgStart)
        DlgStart->exec();
    WordList.LoadWordList();
    Search->ListLoaded();
    if (!WordList.LoadError.empty())
        MessageBox(QString::fromStdString(WordList.LoadError), QApplication::applicationName(),
                   QMessageBox::Warning);
}

int TForm1::ClientHeight() const {
    int menuHeight = 0;
    if (const QWidget* menu = menuWidget()) {
        // As the main window's layout measures it.
        menuHeight = menu->heightForWidth(width());
        if (menuHeight < 0)
            menuHeight = menu->sizeHint().height();
    }
    return menuHeight + (KeyboardVisible ? ClientHeightWithPicture : ClientHeightWithoutPicture);
}

void TForm1::resizeEvent(QResizeEvent* Event) {
    QMainWindow::resizeEvent(Event);
    FormResize();
}

void TForm1::FormResize() {
    const int height = ClientHeight();
    if (minimumHeight() != height || maximumHeight() != height)
        setFixedHeight(height);
    const int W = width() + FrameExtra;
    if (W < MinimumOuterWidth) {
        RE1->resize(222, RE1->height());
        RE2->resize(294, RE2->height());
        Button1->move(231, Button1->y());
        Image1->move(3, Image1->y());
        resize(ClientWidth, height);
        return;
    }
    RE1->resize(W - 92, RE1->height());
    RE2->resize(W - 20, RE2->height());
    Button1->move(W - 83, Button1->y());
    // At the narrowest width the picture would start left of the window and lose the ё key.
    Image1->move(std::max(3, W - 320), Image1->y());
}

// ---- The search ----

void TForm1::Button1Click() {
    // The button searches what the field shows, exactly as Enter does, and gives the field its focus
    // back for the next letters.
    Input->ReadInputField();
    RunSearch();
    RE1->setFocus();
}

bool TForm1::RunSearch() {
    Search->RunSearch(Input->Body());
    ShowHits();
    Panels[1]->setText(QString::fromLatin1(Search->HitCount()));
    return true;
}

void TForm1::ShowHits() {
    RE2->LoadRichText(Search->ResultDocument());
    Zoom->Apply();
    const int32_t count = Search->AllHits().Count;
    CapNotice->Update(count, std::min(count, MaxShownLines));
    // The breakdown follows every search, whatever the list or the folding.
    if (Breakdown1 && Breakdown1->isVisible())
        ShowBreakdown();
}

void TForm1::SearchEnding(const QString& Ending) {
    RE1->setText(Ending);
    Button1Click();
}

// ---- The menu "Suche" ----

void TForm1::Endungaufschluesseln1Click() {
    if (!Breakdown1) {
        Breakdown1 = new TBreakdownWindow(this);
        connect(Breakdown1, &TBreakdownWindow::EndingChosen, this, &TForm1::SearchEnding);
    }
    // The breakdown of what the field shows.
    Input->ReadInputField();
    Breakdown1->show();
    RunSearch();
    Breakdown1->raise();
    Breakdown1->activateWindow();
}

void TForm1::ShowBreakdown() {
    const TFolding folding = Search->CurrentFolding();
    const THits& hits = Search->AllHits();
    Breakdown1->ShowBreakdown(Search->LastEnding(),
                              BreakDownEnding(WordList, hits, Search->LastQuery().data(), folding),
                              hits.Count);
}

void TForm1::AlleTrefferspeichern1Click() {
    const std::u16string ending = Search->LastEnding();
    const QString suggested = QDir::home().filePath(
        QStringLiteral("Treffer-%1.txt")
            .arg(ending.empty() ? QStringLiteral("alle") : QString::fromStdU16String(ending)));
    // Plain entries, or a table with what the lexicon knows about each.
    const QString plain = QStringLiteral("Textdatei, ein Eintrag je Zeile (*.txt)");
    const QString table = QStringLiteral("Tabelle mit Betonung, Wortart und Deutsch (*.tsv *.txt)");
    QString chosen = plain;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Alle Treffer speichern"), suggested,
                                     plain + QStringLiteral(";;") + table, &chosen);
    if (path.isEmpty())
        return;
    const std::string file = QFile::encodeName(path).toStdString();
    const std::string error =
        chosen == table ? SaveHits(WordList, Search->AllHits(), file, TableHeader,
                                   [this](const std::string& Entry) { return Info->TableColumnsFor(Entry); })
                        : SaveHits(WordList, Search->AllHits(), file);
    if (!error.empty()) {
        MessageBox(QString::fromStdString(error), QApplication::applicationName(), QMessageBox::Warning);
        return;
    }
    if (const QString lexicon = Info->TakeError(); !lexicon.isEmpty())
        MessageBox(lexicon + u' ' + QString::fromUtf8(WithoutLexiconText), QApplication::applicationName(),
                   QMessageBox::Warning);
}

void TForm1::FoldingClick() {
    Search->SetFolding({Grossklein1->isChecked(), EundYo1->isChecked()});
    // A list already shown follows at once.
    if (!Panels[1]->text().isEmpty())
        RunSearch();
}

// ---- The input field and the keyboard picture ----

void TForm1::RE1Change() {
    Input->Change();
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(Event);
        if (Watched == RE1)
            return Input->KeyEvent(*key);
        if (Watched == RE2)
            return Copy->KeyEvent(*key);
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TForm1::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    if (!KeyboardVisible || Input->FieldFull())
        return;
    // No real key reached the field, so the change handler is called directly.
    char key = Keyboard->KeyAtPoint(X, Y);
    Input->KeyPress(key);
    Input->Change();
}

void TForm1::RE2SelectionChange() {
    QClipboard* clipboard = QApplication::clipboard();
    const QString marked = RE2->textCursor().selectedText();
    // A middle click pastes the marking, keyboard-made ones too; the clipboard keeps its own rules.
    if (!clipboard->supportsSelection() || marked.isEmpty())
        return;
    QString lines = marked;
    lines.replace(QChar::ParagraphSeparator, u'\n');
    clipboard->setText(lines, QClipboard::Selection);
}

void TForm1::RE2MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers, int, int) {
    Copy->RE2MouseDown(Button);
}

// ---- The menu commands ----

void TForm1::Beenden1Click() {
    close();
}

void TForm1::Eingabelschen1Click() {
    // The stored query text stays; the next key or search reads the field again.
    RE1->clear();
    RE1->setFocus();
}

void TForm1::Eingabefensteraktivieren1Click() {
    RE1->setFocus();
}

void TForm1::Inhalt1Click() {
    const QString notFound = QStringLiteral("Die Hilfedatei wurde nicht gefunden!");
    if (!QFileInfo::exists(HelpPath)) {
        ShowMessage(notFound);
        return;
    }
    switch (THelpViewer::ShowContents(HelpPath, this)) {
    case THelpViewer::ShowResult::Opened:
        break;
    case THelpViewer::ShowResult::NotFound:
        ShowMessage(notFound);
        break;
    case THelpViewer::ShowResult::Unreadable:
        ShowMessage(QStringLiteral("Die Hilfedatei konnte nicht gelesen werden."));
        break;
    }
}

void TForm1::Tastaturlayout1Click() {
    KeyboardVisible = !KeyboardVisible;
    Image1->setVisible(KeyboardVisible);
    FormResize();
}

void TForm1::Programminformation1Click() {
    if (DlgInfo)
        DlgInfo->exec();
}

void TForm1::Grundformen1Click() {
    SwitchWordList(TListKind::Lemmas);
}

void TForm1::AlleWortformen1Click() {
    SwitchWordList(TListKind::Forms);
}

QAction* TForm1::ListItem(TListKind Kind) const {
    return Kind == TListKind::Forms ? AlleWortformen1 : Grundformen1;
}

void TForm1::SwitchWordList(TListKind Kind) {
    if (Kind == ListKind)
        return;
    // The menu marks the list searched: the new one only once it is loaded, also when the load throws.
    ListItem(ListKind)->setChecked(true);
    const std::string error = ReplaceWordList(WordList, Kind);
    if (!error.empty()) {
        MessageBox(QString::fromStdString(error), QApplication::applicationName(), QMessageBox::Warning);
        return;
    }
    ListKind = Kind;
    ListItem(ListKind)->setChecked(true);
    Search->ListLoaded();
    Panels[2]->setText(QString::fromLatin1(ListName(ListKind)));
    if (Search->Searched()) {
        ShowHits();
        Panels[1]->setText(QString::fromLatin1(Search->HitCount()));
    }
}
