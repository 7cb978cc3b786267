// Tests of the menu "Suche": the lemma list and the forms list in the window, switched through the real
// widgets offscreen.
#include <QActionGroup>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

#include <filesystem>

#include "dictionary/WordListBuilder.h"
#include "lexicon/LemmaLink.h"
#include "tests/dictionary/TestDataFile.h"
#include "tests/gui/MainWindowFixture.h"

namespace {

// The real forms list of the bin folder, its characters in DisplayText.
const TWordList& RealFormsList() {
    static const TWordList List = [] {
        TWordList list;
        list.LoadWordList(FormsFileName);
        list.ConvertRangeToChars(0, list.FileSize);
        return list;
    }();
    return List;
}

QStringList TextsOf(const QList<QAction*>& Actions) {
    QStringList texts;
    for (const QAction* action : Actions)
        texts << action->text();
    return texts;
}

// The working directory for one test, the old one back at its end.
class TWorkingDirectory {
public:
    explicit TWorkingDirectory(const std::filesystem::path& Folder) {
        if (!QDir::setCurrent(QString::fromStdString(Folder.string())))
            qFatal("Cannot change into %s.", Folder.c_str());
    }
    ~TWorkingDirectory() { QDir::setCurrent(Home); }

private:
    QString Home = QDir::currentPath();
};

TEST_F(main_window_test, the_menu_suche_stands_between_programm_and_hilfe_and_starts_on_grundformen) {
    EXPECT_EQ(TextsOf(Window->menuBar()->actions()), (QStringList{u"Programm"_s, u"Suche"_s, u"Hilfe"_s}));
    auto* grundformen = Find<QAction>(*Window, "Grundformen1");
    auto* alleWortformen = Find<QAction>(*Window, "AlleWortformen1");
    EXPECT_EQ(TextsOf(Find<QMenu>(*Window, "Suche1")->actions()).mid(0, 2),
              (QStringList{u"Grundformen"_s, u"Alle Wortformen"_s}));
    EXPECT_TRUE(grundformen->isCheckable() && grundformen->isChecked());
    EXPECT_TRUE(alleWortformen->isCheckable() && !alleWortformen->isChecked());
    ASSERT_NE(grundformen->actionGroup(), nullptr);
    EXPECT_EQ(grundformen->actionGroup(), alleWortformen->actionGroup());
    EXPECT_EQ(grundformen->actionGroup()->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);

    // The third panel names the list; the two before it are as they were.
    EXPECT_EQ(Find<QLabel>(*Window, "Panel2")->text(), u"Grundformen"_s);
    EXPECT_EQ(Panel0->text(), u"Treffer:"_s);
    EXPECT_EQ(Panel0->width(), 50);
    EXPECT_EQ(Panel1->width(), 120);

    // Before the first search a switch loads the list and leaves the preset text.
    Trigger("AlleWortformen1");
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(LineCount(), RealFormsList().LineCount);
    EXPECT_EQ(Find<QLabel>(*Window, "Panel2")->text(), u"Wortformen"_s);
    EXPECT_EQ(ResultLines().size(), 14);
    EXPECT_EQ(Count(), u""_s);
}

TEST_F(main_window_test, switching_the_list_runs_the_last_search_again_on_it) {
    ASSERT_GT(RealFormsList().LineCount, 8 * LineCount());
    auto* listName = Find<QLabel>(*Window, "Panel2");
    Type(u"fvb"_s);
    EXPECT_EQ(Field(), u"ами"_s);
    Press(Qt::Key_Return);
    ExpectHits(LinesEndingIn(u"ами"));

    Trigger("AlleWortformen1");
    EXPECT_EQ(listName->text(), u"Wortformen"_s);
    EXPECT_TRUE(Find<QAction>(*Window, "AlleWortformen1")->isChecked());
    EXPECT_FALSE(Find<QAction>(*Window, "Grundformen1")->isChecked());
    EXPECT_EQ(LineCount(), RealFormsList().LineCount);
    ExpectHits(LinesEndingIn(u"ами", RealFormsList()));

    // A new search on the forms list, more hits than are shown; then letters typed without a search:
    // the switch back runs the search shown, not the field's new text.
    RE1->clear();
    Type(u"f"_s);
    Press(Qt::Key_Return);
    ExpectHits(LinesEndingIn(u"а", RealFormsList()));
    Type(u"l"_s);
    Trigger("Grundformen1");
    EXPECT_EQ(listName->text(), u"Grundformen"_s);
    EXPECT_EQ(LineCount(), RealWordList().LineCount);
    ExpectHits(LinesEndingIn(u"а"));
    EXPECT_EQ(Field(), u"ад"_s);

    // The checked list once more: nothing changes.
    Trigger("Grundformen1");
    EXPECT_EQ(listName->text(), u"Grundformen"_s);
    ExpectHits(LinesEndingIn(u"а"));
    EXPECT_TRUE(Messages.empty());
}

// A forms list that cannot be loaded gets the loader's message; the list searched, its hits, the menu
// and the panel stay. The same holds on the way back to the lemma list.
TEST(main_window_list_test, a_list_that_cannot_be_loaded_is_reported_and_the_current_list_stays) {
    std::vector<TMessage> messages;
    const TMessageHook previous =
        SetMessageHook([&messages](const TMessage& Message) { messages.push_back(Message); });
    TTestDir dir;
    const TDataFile lemmas = MakeDataFile({u"ад", u"сад", u"заклад", u"ба"});
    const TDataFile forms = MakeDataFile({u"ад", u"сад", u"сада", u"садами", u"заклад", u"заклады", u"ба"});
    ASSERT_EQ(lemmas.Error, "");
    ASSERT_EQ(forms.Error, "");
    const std::string lemmaPath = dir.WriteBytes(DataFileName, lemmas.Bytes);
    const std::string formsPath = dir.Path(FormsFileName);
    const TWorkingDirectory inDir(dir.Folder());
    {
        TForm1 window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* field = Find<TRichEdit>(window, "RE1");
        auto* list = Find<TRichMemo>(window, "RE2");
        auto* count = Find<QLabel>(window, "Panel1");
        auto* listName = Find<QLabel>(window, "Panel2");
        auto* grundformen = Find<QAction>(window, "Grundformen1");
        auto* alleWortformen = Find<QAction>(window, "AlleWortformen1");
        field->setText(u"ад"_s);
        QTest::keyClick(field, Qt::Key_Return);
        ASSERT_EQ(count->text(), u"3"_s);
        const QString lemmaHits = list->toPlainText();

        // The loader's own message for each file, taken from a load of its own.
        const auto loaderMessage = [&formsPath] {
            TWordList probe;
            probe.LoadWordList(formsPath);
            return QString::fromStdString(probe.LoadError);
        };
        const std::function<void()> damages[] = {
            [] {}, // none there
            [&] { std::filesystem::create_directory(formsPath); },
            [&] {
                dir.WriteBytes(FormsFileName, {'n', 'o', ' ', 'l', 'i', 's', 't', '!', '!', '!'});
            },
            [&] { dir.WriteBytes(FormsFileName, {}); },
        };
        for (std::size_t i = 0; i < std::size(damages); ++i) {
            SCOPED_TRACE(i);
            std::filesystem::remove_all(formsPath);
            damages[i]();
            const QString expected = loaderMessage();
            ASSERT_FALSE(expected.isEmpty());
            messages.clear();
            alleWortformen->trigger();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].Text, expected);
            EXPECT_TRUE(messages[0].Text.contains(QString::fromLatin1(FormsFileName)))
                << messages[0].Text.toStdString();
            EXPECT_EQ(messages[0].Caption, u"Kavrinto"_s);
            EXPECT_TRUE(grundformen->isChecked());
            EXPECT_FALSE(alleWortformen->isChecked());
            EXPECT_EQ(listName->text(), u"Grundformen"_s);
            EXPECT_EQ(window.LoadedWordList().LineCount, 4);
            EXPECT_EQ(list->toPlainText(), lemmaHits);
            EXPECT_EQ(count->text(), u"3"_s);
        }

        // Memory that runs out at any of the load's buffers, even before the loader's empty list, gives the
        // loader's message, and the window stays as it was.
        std::filesystem::remove_all(formsPath);
        dir.WriteBytes(FormsFileName, forms.Bytes);
        for (int buffers = 0; buffers < 10; ++buffers) {
            SCOPED_TRACE(buffers);
            messages.clear();
            FailListBufferAfter(buffers);
            alleWortformen->trigger();
            FailListBufferAfter(-1);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].Text,
                      QString::fromStdString("Die Wörterbuchdatei " + formsPath +
                                             " ist zu groß für den freien Arbeitsspeicher."));
            EXPECT_TRUE(grundformen->isChecked());
            EXPECT_FALSE(alleWortformen->isChecked());
            EXPECT_EQ(listName->text(), u"Grundformen"_s);
            EXPECT_EQ(window.LoadedWordList().LineCount, 4);
            EXPECT_EQ(list->toPlainText(), lemmaHits);
        }

        field->setText(u"а"_s);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(count->text(), u"1"_s); // the lemma list still searched

        // A sound forms list loads; without a lemma file the way back fails the same way.
        messages.clear();
        alleWortformen->trigger();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(listName->text(), u"Wortformen"_s);
        EXPECT_EQ(count->text(), u"2"_s); // сада, ба
        const QString formHits = list->toPlainText();
        std::filesystem::remove(lemmaPath);
        grundformen->trigger();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].Text.contains(u"VokKavrinto.dat"_s)) << messages[0].Text.toStdString();
        EXPECT_TRUE(messages[0].Text.contains(u"nicht gefunden"_s)) << messages[0].Text.toStdString();
        EXPECT_TRUE(alleWortformen->isChecked());
        EXPECT_EQ(listName->text(), u"Wortformen"_s);
        EXPECT_EQ(window.LoadedWordList().LineCount, 7);
        EXPECT_EQ(list->toPlainText(), formHits);
    }
    SetMessageHook(previous);
}

} // namespace
