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
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>
#include <optional>
#include <vector>

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

// The attributes of one tag, names in lower case, values with their entities resolved.
QHash<QString, QString> TagAttributes(QStringView Tag) {
    QHash<QString, QString> Attributes;
    qsizetype I = 0;
    const qsizetype N = Tag.size();
    while (I < N && !Tag[I].isSpace())
        ++I;
    while (I < N) {
        while (I < N && (Tag[I].isSpace() || Tag[I] == u'/'))
            ++I;
        const qsizetype NameStart = I;
        while (I < N && !Tag[I].isSpace() && Tag[I] != u'=' && Tag[I] != u'/')
            ++I;
        const QString Name = Tag.mid(NameStart, I - NameStart).toString().toLower();
        while (I < N && Tag[I].isSpace())
            ++I;
        QString Value;
        if (I < N && Tag[I] == u'=') {
            ++I;
            while (I < N && Tag[I].isSpace())
                ++I;
            if (I < N && (Tag[I] == u'"' || Tag[I] == u'\'')) {
                const QChar Quote = Tag[I++];
                const qsizetype ValueStart = I;
                while (I < N && Tag[I] != Quote)
                    ++I;
                Value = Tag.mid(ValueStart, I - ValueStart).toString();
                if (I < N)
                    ++I;
            } else {
                const qsizetype ValueStart = I;
                while (I < N && !Tag[I].isSpace())
                    ++I;
                Value = Tag.mid(ValueStart, I - ValueStart).toString();
            }
        }
        if (Value.contains(u'&'))
            Value = QTextDocumentFragment::fromHtml(Value).toPlainText();
        if (!Name.isEmpty())
            Attributes.insert(Name, Value);
    }
    return Attributes;
}

// Deeper lists are flattened into the deepest level: a damaged file cannot nest without end.
constexpr std::size_t MaxDepth = 32;

// The entries of a sitemap (the .hhc table of contents): every <OBJECT type="text/sitemap"> with its
// "Name" and "Local" parameters; an <UL> after an entry holds that entry's children.
QList<QTreeWidgetItem*> ParseSitemap(const QString& Html) {
    QList<QTreeWidgetItem*> TopLevel;
    std::vector<QTreeWidgetItem*> Parents; // one per open <UL>; nullptr for the top level
    QTreeWidgetItem* Last = nullptr;
    bool InEntry = false;
    QString Name, Local;

    qsizetype Pos = 0;
    while ((Pos = Html.indexOf(u'<', Pos)) >= 0) {
        if (QStringView(Html).mid(Pos, 4) == u"<!--") {
            const qsizetype End = Html.indexOf(u"-->", Pos + 4);
            if (End < 0)
                break;
            Pos = End + 3;
            continue;
        }
        // The tag ends at the first '>' outside quotes.
        qsizetype End = Pos + 1;
        QChar Quote;
        for (; End < Html.size(); ++End) {
            const QChar C = Html[End];
            if (!Quote.isNull()) {
                if (C == Quote)
                    Quote = QChar();
            } else if (C == u'"' || C == u'\'') {
                Quote = C;
            } else if (C == u'>') {
                break;
            }
        }
        if (End >= Html.size())
            break;
        const QStringView Tag = QStringView(Html).mid(Pos + 1, End - Pos - 1).trimmed();
        Pos = End + 1;

        const bool Closing = Tag.startsWith(u'/');
        const QStringView Body = Closing ? Tag.mid(1).trimmed() : Tag;
        qsizetype NameEnd = 0;
        while (NameEnd < Body.size() && Body[NameEnd].isLetterOrNumber())
            ++NameEnd;
        const QString TagName = Body.left(NameEnd).toString().toLower();

        if (TagName == u"ul") {
            if (!Closing) {
                QTreeWidgetItem* Parent = Parents.empty() ? nullptr : Parents.back();
                if (Last != nullptr && Parents.size() < MaxDepth)
                    Parent = Last;
                Parents.push_back(Parent);
                Last = nullptr;
            } else if (!Parents.empty()) {
                Last = Parents.back();
                Parents.pop_back();
            }
        } else if (TagName == u"object") {
            if (!Closing) {
                InEntry =
                    TagAttributes(Body).value(u"type"_s).compare(u"text/sitemap", Qt::CaseInsensitive) == 0;
                Name.clear();
                Local.clear();
            } else if (InEntry) {
                InEntry = false;
                if (!Name.isEmpty()) {
                    auto* Item = new QTreeWidgetItem(QStringList{Name});
                    Item->setData(0, Qt::UserRole, Local);
                    Item->setToolTip(0, Name);
                    if (!Parents.empty() && Parents.back() != nullptr)
                        Parents.back()->addChild(Item);
                    else
                        TopLevel.append(Item);
                    Last = Item;
                }
            }
        } else if (TagName == u"param" && InEntry) {
            const QHash<QString, QString> Attributes = TagAttributes(Body);
            const QString Param = Attributes.value(u"name"_s).toLower();
            if (Param == u"name" && Name.isEmpty())
                Name = Attributes.value(u"value"_s).trimmed();
            else if (Param == u"local" && Local.isEmpty())
                Local = Attributes.value(u"value"_s).trimmed();
        }
    }
    return TopLevel;
}

// The chm:/// address of a page named in the table of contents ("seite.html#teil",
// "/seite.html" or "ms-its:datei.chm::/seite.html").
QUrl PageUrl(QString Local) {
    const qsizetype Separator = Local.indexOf(u"::"_s);
    if (Separator >= 0)
        Local = Local.mid(Separator + 2);
    QString Fragment;
    const qsizetype Hash = Local.indexOf(u'#');
    if (Hash >= 0) {
        Fragment = Local.mid(Hash + 1);
        Local.truncate(Hash);
    }
    if (!Local.startsWith(u'/'))
        Local.prepend(u'/');
    QUrl Url(u"chm:///"_s);
    Url.setPath(Local);
    if (!Fragment.isEmpty())
        Url.setFragment(Fragment);
    return Url;
}

// The #SYSTEM object holds tagged records after a 4-byte version: 2-byte code, 2-byte length, data.
// Code 0 is the contents file, code 3 the title.
struct TSystemInfo {
    QString ContentsFile;
    QString Title;
};

TSystemInfo ReadSystemInfo(const THelpViewer::TChm& File) {
    TSystemInfo Info;
    const std::optional<QByteArray> Data = File.Read(u"/#SYSTEM"_s);
    if (!Data)
        return Info;
    const auto Byte = [&](qsizetype I) {
        return static_cast<unsigned>(static_cast<unsigned char>((*Data)[I]));
    };
    qsizetype Pos = 4;
    while (Pos + 4 <= Data->size()) {
        const unsigned Code = Byte(Pos) | Byte(Pos + 1) << 8;
        const qsizetype Length = Byte(Pos + 2) | Byte(Pos + 3) << 8;
        Pos += 4;
        if (Pos + Length > Data->size())
            break;
        QByteArray Value = Data->mid(Pos, Length);
        const qsizetype Zero = Value.indexOf('\0');
        if (Zero >= 0)
            Value.truncate(Zero);
        if (Code == 0)
            Info.ContentsFile = DecodeText(Value);
        else if (Code == 3)
            Info.Title = DecodeText(Value);
        Pos += Length;
    }
    return Info;
}

// The title and the table of contents of a file; no items when it has none.
struct TContents {
    QString Title;
    QList<QTreeWidgetItem*> Items;
};

TContents ReadContents(const THelpViewer::TChm& File) {
    const TSystemInfo Info = ReadSystemInfo(File);
    QString ContentsFile = Info.ContentsFile.isEmpty() ? u"/toc.hhc"_s : Info.ContentsFile;
    if (!ContentsFile.startsWith(u'/'))
        ContentsFile.prepend(u'/');
    std::optional<QByteArray> Toc = File.Read(ContentsFile);
    if (!Toc)
        Toc = File.Read(u"/toc.hhc"_s);
    if (!Toc)
        return {};
    return {Info.Title.isEmpty() ? QFileInfo(File.FilePath).fileName() : Info.Title,
            ParseSitemap(DecodeHtml(*Toc))};
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
