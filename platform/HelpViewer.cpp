// The help viewer: table of contents in a tree, pages in a text browser, the file's objects read by
// kavrinto-hilfeleser in a process of its own.
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "platform/HelpContents.h"

using namespace Qt::StringLiterals;

namespace {

QPointer<THelpViewer> TheViewer;

QString ReaderProgram;
int ReaderTimeLimitMs = THelpViewer::DefaultTimeLimitMs;

QString FromU16(const std::u16string& Text) {
    return QString::fromStdU16String(Text);
}

QByteArray Bytes(const std::string& Data) {
    return QByteArray(Data.data(), static_cast<qsizetype>(Data.size()));
}

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

// Every object of the file at Path, read by the reader program; nothing when it did not start, crashed,
// failed, ran past the time limit or wrote what is no stream of objects.
std::optional<THelpObjects> RunReader(const QString& Path) {
    QElapsedTimer Clock;
    Clock.start();
    QProcess Reader;
    Reader.setProgram(ReaderProgram.isEmpty()
                          ? QCoreApplication::applicationDirPath() + u"/kavrinto-hilfeleser"_s
                          : ReaderProgram);
    Reader.setArguments({Path});
    Reader.setStandardInputFile(QProcess::nullDevice());
    Reader.setStandardErrorFile(QProcess::nullDevice());
    Reader.start(QIODevice::ReadOnly);

    const auto Stop = [&Reader] {
        Reader.kill();
        Reader.waitForFinished(1000);
        return std::nullopt;
    };
    if (!Reader.waitForStarted(ReaderTimeLimitMs))
        return Stop();
    QByteArray Stream;
    for (;;) {
        const qint64 Left = ReaderTimeLimitMs - Clock.elapsed();
        if (Left <= 0)
            return Stop();
        const bool Ready = Reader.waitForReadyRead(static_cast<int>(Left));
        Stream += Reader.readAllStandardOutput();
        if (static_cast<std::size_t>(Stream.size()) > MaxHelpStreamBytes)
            return Stop();
        if (!Ready && Reader.state() == QProcess::NotRunning)
            break;
    }
    Stream += Reader.readAllStandardOutput();
    if (Reader.exitStatus() != QProcess::NormalExit || Reader.exitCode() != 0)
        return std::nullopt;
    return ReadHelpStream(std::string_view(Stream.constData(), static_cast<std::size_t>(Stream.size())));
}

const std::string* FindObject(const THelpObjects& Objects, const QString& Path) {
    return Objects.Find(Path.toStdString());
}

// The entries as tree items, nested by their levels.
QList<QTreeWidgetItem*> TreeItems(const std::vector<THelpEntry>& Entries) {
    QList<QTreeWidgetItem*> TopLevel;
    std::vector<QTreeWidgetItem*> Open; // the last item of each level above the current one
    for (const THelpEntry& Entry : Entries) {
        auto* Item = new QTreeWidgetItem(QStringList{FromU16(Entry.Name)});
        Item->setData(0, Qt::UserRole, FromU16(Entry.Local));
        Item->setToolTip(0, FromU16(Entry.Name));
        // The parser never lets a level jump; a jump would nest under the deepest open item.
        Open.resize(std::min(Open.size(), static_cast<std::size_t>(Entry.Level)));
        if (Open.empty())
            TopLevel.append(Item);
        else
            Open.back()->addChild(Item);
        Open.push_back(Item);
    }
    return TopLevel;
}

// The title and the table of contents of a file; no items when it has none.
struct TContents {
    QString Title;
    QList<QTreeWidgetItem*> Items;
};

TContents ReadContents(const THelpObjects& Objects, const QString& Path) {
    const std::string* System = Objects.Find("/#SYSTEM");
    const THelpSystemInfo Info = System ? ParseSystemInfo(*System) : THelpSystemInfo();
    const std::string* Toc = FindObject(Objects, FromU16(ContentsPath(Info)));
    if (Toc == nullptr)
        Toc = Objects.Find("/toc.hhc");
    if (Toc == nullptr)
        return {};
    const QString Sitemap = DecodeHtml(Bytes(*Toc));
    return {Info.Title.empty() ? QFileInfo(Path).fileName() : FromU16(Info.Title),
            TreeItems(ParseSitemap(Sitemap.toStdU16String()))};
}

// The chm:/// address of a page named in the table of contents.
QUrl PageUrl(const QString& Local) {
    const THelpPage Page = PageOfLocal(Local.toStdU16String());
    QUrl Url(u"chm:///"_s);
    Url.setPath(FromU16(Page.Path));
    if (!Page.Fragment.empty())
        Url.setFragment(FromU16(Page.Fragment));
    return Url;
}

// A text browser that takes chm:/// addresses from the open file and nothing from outside it.
class THelpBrowser : public QTextBrowser {
public:
    using TReader = std::function<const std::string*(const QString& Path)>;

    THelpBrowser(QWidget* Parent, TReader Reader) : QTextBrowser(Parent), Reader(std::move(Reader)) {}

    QVariant loadResource(int Type, const QUrl& Url) override {
        if (Url.scheme() != u"chm")
            return {};
        const std::string* Data = Reader(Url.path());
        if (Data == nullptr)
            return {};
        if (Type == QTextDocument::HtmlResource)
            return DecodeHtml(Bytes(*Data));
        if (Type == QTextDocument::StyleSheetResource)
            return DecodeText(Bytes(*Data));
        return Bytes(*Data);
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
    std::optional<THelpObjects> Objects = RunReader(Info.absoluteFilePath());
    if (!Objects)
        return ShowResult::Unreadable;
    const TContents Toc = ReadContents(*Objects, Info.absoluteFilePath());
    if (Toc.Items.isEmpty())
        return ShowResult::Unreadable;

    if (!TheViewer)
        TheViewer = new THelpViewer;
    TheViewer->Open(Info.absoluteFilePath(), *std::move(Objects), Toc.Title, Toc.Items);
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

void THelpViewer::SetReader(const QString& Program, int TimeLimitMs) {
    ReaderProgram = Program;
    ReaderTimeLimitMs = TimeLimitMs;
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
    Page = new THelpBrowser(Splitter, [this](const QString& Path) { return FindObject(Objects, Path); });
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
    return ShownPath;
}

void THelpViewer::keyPressEvent(QKeyEvent* Event) {
    // Escape closes the viewer, as it closes a dialog; the tree and the page pass it up to here.
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void THelpViewer::Open(const QString& Path, THelpObjects NewObjects, const QString& Title,
                       const QList<QTreeWidgetItem*>& Items) {
    const QSignalBlocker Blocker(Contents);
    Contents->clear();
    Page->clear();
    Page->clearHistory();
    ShownPath = Path;
    Objects = std::move(NewObjects);
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
