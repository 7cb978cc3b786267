// The help viewer on chmlib: table of contents in a tree, pages in a text browser.
#include "platform/HelpViewer.h"

#include <chm_lib.h>

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>
#include <optional>
#include <vector>

#include "platform/HelpContents.h"

using namespace Qt::StringLiterals;

// One open CHM file.
class THelpViewer::TChm {
public:
    static std::unique_ptr<TChm> Open(const QString& Path) {
        chmFile* Handle = chm_open(QFile::encodeName(Path).constData());
        if (Handle == nullptr)
            return nullptr;
        return std::unique_ptr<TChm>(new TChm(Handle, QFileInfo(Path).absoluteFilePath()));
    }

    ~TChm() { chm_close(Handle); }
    TChm(const TChm&) = delete;
    TChm& operator=(const TChm&) = delete;

    // The object at Path (which begins with "/"), or nothing.
    std::optional<QByteArray> Read(const QString& Path) const {
        chmUnitInfo Unit{};
        const QByteArray Name = Path.toUtf8();
        if (Name.isEmpty() || Name.size() > CHM_MAX_PATHLEN ||
            chm_resolve_object(Handle, Name.constData(), &Unit) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        if (Unit.length > MaxObjectSize)
            return std::nullopt;
        QByteArray Data(static_cast<qsizetype>(Unit.length), Qt::Uninitialized);
        if (Unit.length == 0)
            return Data;
        const LONGINT64 Got =
            chm_retrieve_object(Handle, &Unit, reinterpret_cast<unsigned char*>(Data.data()), 0,
                                static_cast<LONGINT64>(Unit.length));
        if (Got != static_cast<LONGINT64>(Unit.length))
            return std::nullopt;
        return Data;
    }

    QString FilePath;

private:
    // No help object comes near this; a larger length means a damaged file.
    static constexpr LONGUINT64 MaxObjectSize = 64 * 1024 * 1024;

    TChm(chmFile* Handle, QString Path) : FilePath(std::move(Path)), Handle(Handle) {}

    chmFile* Handle;
};

namespace {

QPointer<THelpViewer> TheViewer;

// Help text in the encoding its meta tag names, UTF-8 without one.
QString DecodeHtml(const QByteArray& Data) {
    QStringDecoder Decoder = QStringDecoder::decoderForHtml(Data);
    if (!Decoder.isValid())
        return QString::fromLatin1(Data);
    return Decoder.decode(Data);
}

QString DecodeText(const QByteArray& Data) {
    QStringDecoder Decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString Text = Decoder.decode(Data);
    return Decoder.hasError() ? QString::fromLatin1(Data) : Text;
}

// The entries as tree items, nested by their levels.
QList<QTreeWidgetItem*> TreeItems(const std::vector<THelpEntry>& Entries) {
    QList<QTreeWidgetItem*> TopLevel;
    std::vector<QTreeWidgetItem*> Open; // the last item of each level above the current one
    for (const THelpEntry& Entry : Entries) {
        const QString Name = QString::fromStdU16String(Entry.Name);
        auto* Item = new QTreeWidgetItem(QStringList{Name});
        Item->setData(0, Qt::UserRole, QString::fromStdU16String(Entry.Local));
        Item->setToolTip(0, Name);
        Open.resize(static_cast<std::size_t>(Entry.Level));
        if (Open.empty())
            TopLevel.append(Item);
        else
            Open.back()->addChild(Item);
        Open.push_back(Item);
    }
    return TopLevel;
}

// The chm:/// address of a page named in the table of contents.
QUrl PageUrl(const QString& Local) {
    const THelpPage Page = PageOfLocal(Local.toStdU16String());
    QUrl Url(u"chm:///"_s);
    Url.setPath(QString::fromStdU16String(Page.Path));
    if (!Page.Fragment.empty())
        Url.setFragment(QString::fromStdU16String(Page.Fragment));
    return Url;
}

// The title and the table of contents of a file; no items when it has none.
struct TContents {
    QString Title;
    QList<QTreeWidgetItem*> Items;
};

TContents ReadContents(const THelpViewer::TChm& File) {
    const std::optional<QByteArray> System = File.Read(u"/#SYSTEM"_s);
    const THelpSystemInfo Info =
        System
            ? ParseSystemInfo(std::string_view(System->constData(), static_cast<std::size_t>(System->size())))
            : THelpSystemInfo();
    std::optional<QByteArray> Toc = File.Read(QString::fromStdU16String(ContentsPath(Info)));
    if (!Toc)
        Toc = File.Read(u"/toc.hhc"_s);
    if (!Toc)
        return {};
    return {Info.Title.empty() ? QFileInfo(File.FilePath).fileName() : QString::fromStdU16String(Info.Title),
            TreeItems(ParseSitemap(DecodeHtml(*Toc).toStdU16String()))};
}

// A text browser that takes chm:/// addresses from the open file and nothing from outside it.
class THelpBrowser : public QTextBrowser {
public:
    using TReader = std::function<std::optional<QByteArray>(const QString& Path)>;

    THelpBrowser(QWidget* Parent, TReader Reader) : QTextBrowser(Parent), Reader(std::move(Reader)) {}

    QVariant loadResource(int Type, const QUrl& Url) override {
        if (Url.scheme() != u"chm")
            return {};
        const std::optional<QByteArray> Data = Reader(Url.path());
        if (!Data)
            return {};
        if (Type == QTextDocument::HtmlResource)
            return DecodeHtml(*Data);
        if (Type == QTextDocument::StyleSheetResource)
            return DecodeText(*Data);
        return *Data;
    }

private:
    TReader Reader;
};

// The watcher is found again by its name: without Q_OBJECT, findChild<TMainWindowWatcher*> would take
// any child (a QMainWindow's layout) for one.
const QString WatcherName = QStringLiteral("KavrintoHelpViewerWatcher");

// Closes the viewer when the main window closes or goes away.
class TMainWindowWatcher : public QObject {
public:
    explicit TMainWindowWatcher(QWidget* MainWindow) : QObject(MainWindow) {
        setObjectName(WatcherName);
        MainWindow->installEventFilter(this);
    }
    ~TMainWindowWatcher() override { THelpViewer::CloseViewer(); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Close)
            THelpViewer::CloseViewer();
        return QObject::eventFilter(Watched, Event);
    }
};

void WatchMainWindow(QWidget* MainWindow) {
    if (MainWindow == nullptr || MainWindow->findChild<QObject*>(WatcherName, Qt::FindDirectChildrenOnly))
        return;
    new TMainWindowWatcher(MainWindow);
}

} // namespace

THelpViewer::ShowResult THelpViewer::ShowContents(const QString& Path, QWidget* MainWindow) {
    const QFileInfo Info(Path);
    if (!Info.exists())
        return ShowResult::NotFound;
    WatchMainWindow(MainWindow);
    // A viewer that the user has closed waits for its deferred deletion; it is not brought back.
    if (TheViewer && !TheViewer->isVisible())
        CloseViewer();
    if (TheViewer && TheViewer->FilePath() == Info.absoluteFilePath()) {
        if (TheViewer->isMinimized())
            TheViewer->showNormal();
        TheViewer->raise();
        TheViewer->activateWindow();
        return ShowResult::Opened;
    }
    if (!Info.isFile() || !Info.isReadable())
        return ShowResult::Unreadable;
    std::unique_ptr<TChm> File = TChm::Open(Path);
    if (!File)
        return ShowResult::Unreadable;
    const TContents Toc = ReadContents(*File);
    if (Toc.Items.isEmpty())
        return ShowResult::Unreadable;

    if (!TheViewer)
        TheViewer = new THelpViewer;
    TheViewer->Open(std::move(File), Toc.Title, Toc.Items);
    TheViewer->show();
    TheViewer->raise();
    TheViewer->activateWindow();
    return ShowResult::Opened;
}

THelpViewer* THelpViewer::Instance() {
    return TheViewer.data();
}

void THelpViewer::CloseViewer() {
    delete TheViewer.data();
}

THelpViewer::THelpViewer() : QWidget(nullptr, Qt::Window) {
    setObjectName(u"HelpViewer"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // The viewer never keeps the program alive once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(920, 600);

    auto* Back = new QToolButton(this);
    Back->setText(u"Zurück"_s);
    Back->setEnabled(false);
    auto* Forward = new QToolButton(this);
    Forward->setText(u"Vorwärts"_s);
    Forward->setEnabled(false);
    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(Back);
    Buttons->addWidget(Forward);
    Buttons->addStretch();

    auto* Splitter = new QSplitter(this);
    Contents = new QTreeWidget(Splitter);
    Contents->setObjectName(u"Contents"_s);
    Contents->setHeaderHidden(true);
    Page = new THelpBrowser(Splitter, [this](const QString& Path) {
        return Chm ? Chm->Read(Path) : std::optional<QByteArray>();
    });
    Page->setObjectName(u"Page"_s);
    Page->setOpenExternalLinks(true);
    Splitter->addWidget(Contents);
    Splitter->addWidget(Page);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({320, 600});

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Buttons);
    Layout->addWidget(Splitter);

    connect(Back, &QToolButton::clicked, Page, &QTextBrowser::backward);
    connect(Forward, &QToolButton::clicked, Page, &QTextBrowser::forward);
    connect(Page, &QTextBrowser::backwardAvailable, Back, &QToolButton::setEnabled);
    connect(Page, &QTextBrowser::forwardAvailable, Forward, &QToolButton::setEnabled);
    connect(Contents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* Item) { ShowItem(Item); });
    connect(Page, &QTextBrowser::sourceChanged, this, &THelpViewer::SelectItemOf);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &THelpViewer::CloseViewer);
}

THelpViewer::~THelpViewer() = default;

QString THelpViewer::FilePath() const {
    return Chm ? Chm->FilePath : QString();
}

void THelpViewer::Open(std::unique_ptr<TChm> File, const QString& Title,
                       const QList<QTreeWidgetItem*>& Items) {
    const QSignalBlocker Blocker(Contents);
    Contents->clear();
    Page->clear();
    Page->clearHistory();
    Chm = std::move(File);
    Contents->addTopLevelItems(Items);
    Contents->expandAll();
    setWindowTitle(Title);

    // The first entry that names a page opens.
    for (QTreeWidgetItemIterator It(Contents); *It; ++It) {
        if (!(*It)->data(0, Qt::UserRole).toString().isEmpty()) {
            Contents->setCurrentItem(*It);
            ShowItem(*It);
            break;
        }
    }
}

void THelpViewer::ShowItem(QTreeWidgetItem* Item) {
    if (Item == nullptr)
        return;
    const QString Local = Item->data(0, Qt::UserRole).toString();
    if (!Local.isEmpty())
        Page->setSource(PageUrl(Local));
}

void THelpViewer::SelectItemOf(const QUrl& Source) {
    const QString Path = Source.path();
    QTreeWidgetItem* Current = Contents->currentItem();
    if (Current != nullptr && PageUrl(Current->data(0, Qt::UserRole).toString()).path() == Path)
        return;
    for (QTreeWidgetItemIterator It(Contents); *It; ++It) {
        if (PageUrl((*It)->data(0, Qt::UserRole).toString()).path() == Path) {
            const QSignalBlocker Blocker(Contents);
            Contents->setCurrentItem(*It);
            return;
        }
    }
}
