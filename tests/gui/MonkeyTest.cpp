// The monkey: thousands of random keys, pastes, clicks and short-cuts on the real window, offscreen,
// over a small word list. After every step the field is checked; after every search the count and the
// list are checked against a search made without the window.
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dictionary/EndingSearch.h"
#include "dictionary/WordListBuilder.h"
#include "input/InputEditing.h"
#include "input/Virttast.h"
#include "input/Zeitortf.h"
#include "platform/RichText.h"
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"
#include "richtext/Rtftounisort.h"
#include "tests/dictionary/TestDataFile.h"
#include "tests/gui/MainWindowFixture.h"

namespace {

constexpr uint32_t DefaultSeed = 20240611;
constexpr int DefaultSteps = 10000;
constexpr int MaxShownLines = 4001;
constexpr int MaxCopiedChars = 400;
constexpr char16_t CopiedMessage[] = u"Die markierten Vokabeln wurden in die Zwischenablage kopiert.";

// The offscreen platform warns at every change of the window's fixed height, that is at every Alt+T.
QtMessageHandler PreviousMessageHandler = nullptr;
void DropSizeHintWarnings(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
    if (!Message.contains(u"propagateSizeHints"_s))
        PreviousMessageHandler(Type, Context, Message);
}

uint32_t FromEnvironment(const char* Name, uint32_t Default) {
    const char* value = std::getenv(Name);
    return value && *value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : Default;
}

// The word list: 4096 words ending in а, so that "а" and the empty query have more hits than the list
// shows, and a few hundred mixed entries (other endings, capitals, Latin words, suffixes after the word).
std::vector<std::u16string> FixtureLines() {
    const std::u16string consonants = u"бвгдзклмнпрстфхш";
    std::vector<std::u16string> lines;
    for (std::size_t i = 0; i < 4096; ++i)
        lines.push_back({consonants[i >> 8], consonants[(i >> 4) & 15], consonants[i & 15], u'а'});

    const std::u16string letters = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБЁЖЯ";
    const std::u16string suffixes[] = {u"", u"", u"", u"²", u" (ugs.)", u", -а", u" 1"};
    std::mt19937 random(5);
    for (int i = 0; i < 400; ++i) {
        std::u16string word;
        for (uint32_t n = 1 + random() % 7; n > 0; --n)
            word += letters[random() % letters.size()];
        lines.push_back(word + suffixes[random() % std::size(suffixes)]);
    }
    for (const char16_t* fixed : {u"ад", u"сад", u"ёж", u"Ёлка", u"Straße", u"Hölle", u"Piano", u"café",
                                  u"123", u"ъъ", u"ї", u"ёжё", u"1а ß"})
        lines.emplace_back(fixed);
    return lines;
}

// What the field may hold: the letters of the letter table and the printable characters of code page
// 1252, except the rich text's own \, { and }.
bool IsFieldCharacter(char16_t Ch) {
    if (Ch == u'\\' || Ch == u'{' || Ch == u'}')
        return false;
    return ByteOfLetter(Ch) >= 0 || (Ch >= 0x20 && Ch != 0x7F && UnicodeToCp1252(Ch) >= 0);
}

// The field's text, caret and selection.
struct TFieldState {
    QString Text;
    int Cursor = 0;
    int SelStart = -1; // -1: nothing selected
    int SelLength = 0;

    // Where a typed letter goes: where the selection starts, whichever end the cursor is at.
    int InsertAt() const { return SelStart >= 0 ? SelStart : Cursor; }
    QString WithoutSelection() const {
        return SelStart >= 0 ? QString(Text).remove(SelStart, SelLength) : Text;
    }
};

// How a character typed on a German keyboard arrives under X11: its key, text and modifiers.
struct TKeyStroke {
    int Key;
    QString Text;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
};

// The key stroke that delivers byte Code of code page 1252: control characters as their keys (Enter,
// Backspace, Tab, Escape, Delete) or as Ctrl+letter, the five bytes without a character as C1 controls.
TKeyStroke StrokeOf(uint8_t Code) {
    const QString text(QChar(Code >= 0x80 ? Cp1252ToUnicode(Code) : char16_t{Code}));
    switch (Code) {
    case 0x00:
        return {Qt::Key_At, text, Qt::ControlModifier};
    case 0x08:
        return {Qt::Key_Backspace, text};
    case 0x09:
        return {Qt::Key_Tab, text};
    case 0x0D:
        return {Qt::Key_Return, text};
    case 0x1B:
        return {Qt::Key_Escape, text};
    case 0x1C:
        return {Qt::Key_Backslash, text, Qt::ControlModifier};
    case 0x1D:
        return {Qt::Key_BracketRight, text, Qt::ControlModifier};
    case 0x1E:
        return {Qt::Key_AsciiCircum, text, Qt::ControlModifier};
    case 0x1F:
        return {Qt::Key_Underscore, text, Qt::ControlModifier};
    case 0x7F:
        return {Qt::Key_Delete, text};
    default:
        break;
    }
    if (Code < 0x20)
        return {Qt::Key_A + Code - 1, text, Qt::ControlModifier};
    if (text[0] == QChar::ReplacementCharacter)
        return {Qt::Key_unknown, QString(QChar(char16_t{Code}))};
    const QChar ch = text[0];
    return {ch.toUpper().unicode(), text, ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier};
}

class monkey_test : public menu_clipboard_test {
protected:
    void SetUp() override {
        const TDataFile data = MakeDataFile(FixtureLines());
        ASSERT_EQ(data.Error, "");
        const std::string path = Dir.WriteBytes(DataFileName, data.Bytes);
        Oracle.LoadWordList(path);
        ASSERT_EQ(Oracle.LoadError, "");
        Oracle.ConvertRangeToChars(0, Oracle.FileSize);
        AllLines = LinesEndingIn(u"", Oracle);
        for (int code = 0xFF; code >= 0x20; --code)
            if (const char16_t letter = LetterOf(static_cast<char>(code)); letter != 0)
                KeyOfLetter[letter] = static_cast<uint8_t>(code);

        PreviousMessageHandler = qInstallMessageHandler(DropSizeHintWarnings);
        // The window loads the data file of the working directory when it is first shown.
        const QString home = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Dir.Folder().string())));
        menu_clipboard_test::SetUp();
        QDir::setCurrent(home);
        // Ctrl+S, typed as byte 0x13, opens the modal save dialog: the monkey cancels it at once.
        QObject::connect(&DialogCanceller, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        DialogCanceller.start(10);
        ASSERT_EQ(LineCount(), Oracle.LineCount);
        ASSERT_GT(Oracle.LineCount, MaxShownLines);
    }

    void TearDown() override {
        DialogCanceller.stop();
        menu_clipboard_test::TearDown();
        qInstallMessageHandler(PreviousMessageHandler);
    }

    TFieldState FieldState() const {
        TFieldState state{Field(), RE1->cursorPosition()};
        if (RE1->hasSelectedText()) {
            state.SelStart = RE1->selectionStart();
            state.SelLength = static_cast<int>(RE1->selectedText().size());
        }
        return state;
    }

    // The field after a letter typed, or a character that stays as typed: it replaces the marking,
    // unless the field has no room for it even then.
    static QString WithLetter(const TFieldState& Before, char16_t Letter) {
        const QString kept = Before.WithoutSelection();
        if (kept.size() >= MaxInputChars)
            return Before.Text;
        return QString(kept).insert(Before.InsertAt(), QChar(Letter));
    }
    // The Cyrillic letter that the German character Typed types, or 0 when it is unmapped.
    char16_t LetterOf(char Typed) const {
        const std::string rtf = KeyMapping.CharToRtf(Typed);
        if (rtf == "no")
            return 0;
        return LetterOfByte(static_cast<uint8_t>(std::stoi(rtf.substr(2), nullptr, 16)));
    }

    void Stroke(const TKeyStroke& S) {
        QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key(S.Key), S.Text, S.Modifiers);
    }

    // The search made without the window, on the field's current text, by the road of the field's
    // content: its rich text, the body, the query.
    void ExpectSearchOfField() {
        const std::string rtf = WriteRichText(InputHeader, Field().toStdU16String());
        const uint16_t* query =
            Decoder.RtfToSortKeys(StripRtfControls(CutInputBody(rtf)), TQueryMarker::Keep);
        const THitRange hits = FindEndingRange(Oracle, query);
        ++Searches;
        if (hits.Count() > 0)
            ++SearchesWithHits;
        if (hits.Count() > MaxShownLines)
            ++SearchesBeyondList;
        const auto first = AllLines.begin() + hits.FirstHit;
        ExpectHits(std::vector<std::u16string>(first, first + hits.Count()));
    }

    // One random step: what it did, the field that it must leave (none for the field's own short-cuts)
    // and whether it searched.
    struct TStep {
        std::string Event;
        std::optional<QString> Field;
        bool Searched = false;
    };
    TStep Step();
    TStep PressPicture(const TFieldState& Before);
    TStep PasteMix(const TFieldState& Before);
    TStep TypeQuery();
    std::string WorkOnList();

    // The German key that types each Cyrillic letter.
    std::map<char16_t, uint8_t> KeyOfLetter;

    uint32_t Next(uint32_t Bound) { return Random() % Bound; }

    TTestDir Dir;
    TWordList Oracle;
    std::vector<std::u16string> AllLines;
    RtfToUniSort Decoder;
    ZeiToRtf KeyMapping;
    VirtTast Keyboard;
    std::mt19937 Random;
    int Searches = 0, SearchesWithHits = 0, SearchesBeyondList = 0, FullField = 0, Copies = 0;
    QTimer DialogCanceller;
};

monkey_test::TStep monkey_test::PressPicture(const TFieldState& Before) {
    static constexpr Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                  Qt::MiddleButton, Qt::BackButton};
    const int x = static_cast<int>(Next(KeyboardPictureWidth));
    int y = static_cast<int>(Next(KeyboardPictureHeight));
    // QTest takes the point (0,0) for the widget's centre.
    if (x == 0 && y == 0)
        y = 1;
    const Qt::MouseButton button = Buttons[Next(std::size(Buttons))];
    const bool twice = Next(8) == 0;
    const std::string event = "press on the picture at " + std::to_string(x) + "," + std::to_string(y) +
                              ", button " + std::to_string(button) + (twice ? ", double click" : "");
    const QPoint at(x, y);
    QTest::mouseClick(Image1, button, Qt::NoModifier, at);
    if (twice) {
        // The second press of a double click reaches a widget as the double click itself.
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, Image1->mapToGlobal(at), button, button,
                                Qt::NoModifier);
        QApplication::sendEvent(Image1, &doubleClick);
        QTest::mouseRelease(Image1, button, Qt::NoModifier, at);
    }

    const char16_t letter = Image1->isVisible() ? LetterOf(Keyboard.KeyAtPoint(x, y)) : 0;
    if (letter == 0)
        return {event, Before.Text};
    TFieldState after = Before;
    after.Text = WithLetter(Before, letter);
    if (twice && after.Text != Before.Text) {
        after.Cursor = after.InsertAt() + 1;
        after.SelStart = -1;
        after.Text = WithLetter(after, letter);
    }
    return {event, after.Text};
}

monkey_test::TStep monkey_test::PasteMix(const TFieldState& Before) {
    static const char16_t* const Pieces[] = {
        u"ад",     u"сад", u"Hölle", u"Straße", u"а",  u"ка",   u"жаба\n", u"\r\n", u"\u2029",
        u"\u2028", u"123", u" ",     u"€",      u"\\", u"{",    u"}",      u"中",   u"\t",
        u"ѐ",      u"ї",   u"Piano", u"no",     u"ё",  u"Ёлка", u"fl",     u"\x01", u"\U0001F600"};
    QString text;
    if (Next(6) == 0) {
        // Long: around the field's limit.
        const int length = 150 + static_cast<int>(Next(100));
        while (text.size() < length)
            text += QChar(u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"[Next(33)]);
        text.truncate(length);
    } else {
        for (uint32_t n = 1 + Next(4); n > 0; --n)
            text += QString::fromUtf16(Pieces[Next(std::size(Pieces))]);
    }
    QApplication::clipboard()->setText(text);
    Stroke({Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier});

    // The line breaks go; the whole paste is refused if the field would hold too much or a character
    // that it does not take.
    QString kept = text;
    kept.remove(u'\r').remove(u'\n').remove(QChar(0x2028)).remove(QChar(0x2029));
    const QString after = Before.WithoutSelection().insert(Before.InsertAt(), kept);
    const bool refused =
        after.size() > MaxInputChars ||
        !std::all_of(after.begin(), after.end(), [](QChar Ch) { return IsFieldCharacter(Ch.unicode()); });
    return {"paste of " + text.toStdString(), refused ? Before.Text : after};
}

monkey_test::TStep monkey_test::TypeQuery() {
    // The end of a word of the list, so that the search finds something.
    const auto line = static_cast<int32_t>(Next(static_cast<uint32_t>(Oracle.LineCount)));
    const int32_t wordLength = Oracle.WordEnd[line] - Oracle.LineStart[line] + 1;
    const std::u16string& text = AllLines[static_cast<std::size_t>(line)];
    // Two letters or more: one is mostly "а", which nearly every line ends with.
    const auto length = std::min<int32_t>(wordLength, static_cast<int32_t>(2 + Next(3)));
    const std::u16string ending =
        text.substr(static_cast<std::size_t>(wordLength - length), static_cast<std::size_t>(length));

    Shortcut(Qt::Key_C);
    QString typed;
    for (const char16_t ch : ending) {
        // A letter by its German key, else as a Russian layout delivers it; a Western character that
        // types no letter as itself; anything else is left out.
        if (const auto key = KeyOfLetter.find(ch); key != KeyOfLetter.end())
            Stroke(StrokeOf(key->second));
        else if (ByteOfLetter(ch) >= 0 || (IsFieldCharacter(ch) && ch >= 0x80 &&
                                           LetterOf(static_cast<char>(UnicodeToCp1252(ch))) == 0))
            Stroke({QChar(ch).toUpper().unicode(), QString(QChar(ch)),
                    QChar(ch).isUpper() ? Qt::ShiftModifier : Qt::NoModifier});
        else
            continue;
        typed += QChar(ch);
    }
    Press(Qt::Key_Return);
    return {"query " + typed.toStdString() + " typed into the emptied field", typed, true};
}

std::string monkey_test::WorkOnList() {
    TRichMemo* list = RE2;
    const int end = list->document()->characterCount() - 1;
    switch (Next(7)) {
    case 0:
    case 1: {
        const int anchor = static_cast<int>(Next(static_cast<uint32_t>(end) + 1));
        const int position = static_cast<int>(Next(static_cast<uint32_t>(end) + 1));
        Mark(anchor, position);
        return "mark the list from " + std::to_string(anchor) + " to " + std::to_string(position);
    }
    case 2: {
        static constexpr Qt::Key Keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End,
                                           Qt::Key_Right};
        const Qt::Key key = Keys[Next(std::size(Keys))];
        QTest::keyClick(list, key, Qt::ShiftModifier);
        return "Shift+key " + std::to_string(key) + " in the list";
    }
    case 3:
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        return "Ctrl+A in the list";
    case 4: {
        const QPoint at(static_cast<int>(Next(static_cast<uint32_t>(list->viewport()->width()))),
                        static_cast<int>(Next(static_cast<uint32_t>(list->viewport()->height()))));
        const bool shift = Next(2) == 0;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier, at);
        return std::string(shift ? "Shift+click" : "click") + " in the list at " + std::to_string(at.x()) +
               "," + std::to_string(at.y());
    }
    default: {
        // A copy, by key or by the right button: at most 400 characters, cut back to whole lines.
        const QTextCursor before = list->textCursor();
        const bool byKey = Next(2) == 0;
        const std::size_t messages = Messages.size();
        byKey ? CtrlC() : ClickList(Qt::RightButton);
        const QTextCursor after = list->textCursor();
        EXPECT_LE(after.selectionEnd() - after.selectionStart(), MaxCopiedChars);
        EXPECT_EQ(after.selectionStart(), before.selectionStart());
        if (before.selectionEnd() - before.selectionStart() <= MaxCopiedChars) {
            EXPECT_EQ(after.selectionEnd(), before.selectionEnd());
        }
        const bool copied = after.hasSelection();
        if (copied) {
            ++Copies;
            QString lines = after.selectedText();
            lines.replace(QChar::ParagraphSeparator, u'\n');
            EXPECT_EQ(Clipboard(), lines);
        }
        // Only the right button reports, and only what it copied.
        EXPECT_EQ(Messages.size(), messages + (!byKey && copied ? 1 : 0));
        if (Messages.size() > messages) {
            EXPECT_EQ(Messages.back().Text, QString::fromUtf16(CopiedMessage));
            Messages.pop_back();
        }
        return byKey ? "Ctrl+C in the list" : "right click in the list";
    }
    }
}

monkey_test::TStep monkey_test::Step() {
    const TFieldState before = FieldState();

    // Out of 100: 28 typed characters, 7 Cyrillic letters, 3 dead keys, 10 Backspace or Delete, 9 caret
    // keys, 4 pastes, 5 Enter, 3 "Suchen", 3 queries typed into the emptied field, 10 presses on the
    // picture, 3 Alt+C, 1 Alt+S, 13 selections and copies in the result list, 1 Alt+T. The picture comes
    // back soon after it was hidden.
    uint32_t kind = Next(100);
    if (!Image1->isVisible() && Next(10) == 0)
        kind = 99;

    if (kind < 28) {
        const auto code = static_cast<uint8_t>(Next(256));
        TKeyStroke stroke = StrokeOf(code);
        const bool control = code < 0x20 || code == 0x7F;
        // Now and then with Alt or Meta held (Alt+C, Alt+S, Alt+T and Alt+I are the window's short-cuts).
        const bool command = !control && Next(10) == 0;
        if (command) {
            const bool shortcut = stroke.Key == Qt::Key_C || stroke.Key == Qt::Key_S ||
                                  stroke.Key == Qt::Key_T || stroke.Key == Qt::Key_I;
            stroke.Modifiers |= shortcut || Next(2) == 0 ? Qt::MetaModifier : Qt::AltModifier;
        }
        char event[40];
        std::snprintf(event, sizeof event, "type byte 0x%02X%s", code,
                      !command                             ? ""
                      : stroke.Modifiers & Qt::AltModifier ? " with Alt"
                                                           : " with Meta");
        Stroke(stroke);
        const char16_t ch = stroke.Text[0].unicode();
        if (code == 0x0D)
            return {event, before.Text, true};
        // Alt or Meta with a character key types nothing, as under Windows.
        if (command || stroke.Key == Qt::Key_unknown || ch == u'\\' || ch == u'{' || ch == u'}')
            return {event, before.Text};
        // Control characters are the field's short-cuts (copy, cut, paste, undo ...): only the invariants.
        if (control)
            return {event, std::nullopt};
        if (const char16_t letter = LetterOf(static_cast<char>(code)); letter != 0)
            return {event, WithLetter(before, letter)};
        return {event, WithLetter(before, ch)};
    }
    if (kind < 35) {
        // A Cyrillic letter as a Russian layout delivers it; a few are no letters of the table.
        const char16_t ch = Next(8) == 0 ? static_cast<char16_t>(0x0460 + Next(0xA0))
                                         : static_cast<char16_t>(0x0400 + Next(0x60));
        Stroke({QChar(ch).toUpper().unicode(), QString(QChar(ch)),
                QChar(ch).isUpper() ? Qt::ShiftModifier : Qt::NoModifier});
        return {"Cyrillic " + QString(QChar(ch)).toStdString(),
                ByteOfLetter(ch) >= 0 ? WithLetter(before, ch) : before.Text};
    }
    if (kind < 38) {
        // Dead keys: the circumflex types ё at once, the others type nothing.
        const bool circumflex = Next(3) != 0;
        Stroke({circumflex ? Qt::Key_Dead_Circumflex : Qt::Key_Dead_Acute, QString()});
        return {circumflex ? "dead circumflex" : "dead acute",
                circumflex ? WithLetter(before, u'ё') : before.Text};
    }
    if (kind < 48) {
        const bool back = Next(3) != 0;
        Press(back ? Qt::Key_Backspace : Qt::Key_Delete);
        QString after = before.WithoutSelection();
        if (before.SelStart < 0 && back && before.Cursor > 0)
            after.remove(before.Cursor - 1, 1);
        else if (before.SelStart < 0 && !back)
            after.remove(before.Cursor, 1);
        return {back ? "Backspace" : "Delete", after};
    }
    if (kind < 57) {
        // By key or by a click into the field, with or without Shift.
        static constexpr Qt::Key Keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
        const Qt::KeyboardModifiers shift = Next(2) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        if (Next(5) == 0) {
            const QPoint at(1 + static_cast<int>(Next(static_cast<uint32_t>(RE1->width() - 1))),
                            RE1->height() / 2);
            QTest::mouseClick(RE1, Qt::LeftButton, shift, at);
            return {(shift ? "Shift+click" : "click") + std::string(" into the field at ") +
                        std::to_string(at.x()),
                    before.Text};
        }
        const Qt::Key key = Keys[Next(std::size(Keys))];
        QTest::keyClick(RE1, key, shift);
        return {(shift ? "Shift+" : "") + std::string("caret key ") + std::to_string(key), before.Text};
    }
    if (kind < 61)
        return PasteMix(before);
    if (kind < 66) {
        Press(Next(4) == 0 ? Qt::Key_Enter : Qt::Key_Return);
        return {"Enter", before.Text, true};
    }
    if (kind < 69) {
        QTest::mouseClick(Button1, Qt::LeftButton);
        return {"Suchen", before.Text, true};
    }
    if (kind < 72)
        return TypeQuery();
    if (kind < 82)
        return PressPicture(before);
    if (kind < 85) {
        Shortcut(Qt::Key_C);
        EXPECT_EQ(QApplication::focusWidget(), RE1);
        return {"Alt+C", QString()};
    }
    if (kind < 86) {
        Shortcut(Qt::Key_S);
        EXPECT_EQ(QApplication::focusWidget(), RE1);
        return {"Alt+S", before.Text};
    }
    if (kind < 99)
        return {WorkOnList(), before.Text};
    const bool visible = Image1->isVisible();
    const int height = Window->minimumHeight();
    Shortcut(Qt::Key_T);
    EXPECT_NE(Image1->isVisible(), visible);
    // The window is as much lower or higher as the picture is high, its frame included.
    EXPECT_EQ(Window->minimumHeight() - height, visible ? -125 : 125);
    return {"Alt+T", before.Text};
}

TEST_F(monkey_test, random_input_never_breaks_the_field_or_the_search) {
    const uint32_t seed = FromEnvironment("KAVRINTO_MONKEY_SEED", DefaultSeed);
    const int steps = static_cast<int>(FromEnvironment("KAVRINTO_MONKEY_STEPS", DefaultSteps));
    Random.seed(seed);
    int hiddenSteps = 0;
    int step = 0;
    for (; step < steps && !HasFailure(); ++step) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
        const TStep done = Step();
        QCoreApplication::processEvents();
        SCOPED_TRACE(done.Event);

        const QString field = Field();
        ASSERT_LE(field.size(), MaxInputChars);
        for (const QChar ch : field)
            ASSERT_TRUE(IsFieldCharacter(ch.unicode())) << "U+" << std::hex << static_cast<int>(ch.unicode());
        if (done.Field) {
            EXPECT_EQ(field, *done.Field);
        }
        if (done.Searched)
            ExpectSearchOfField();
        // No message but the report of a copy, which the list's check has taken; no exception shown.
        for (const TMessage& message : Messages)
            ADD_FAILURE() << "message: " << message.Text.toStdString();
        Messages.clear();
        FullField += field.size() == MaxInputChars;
        hiddenSteps += !Image1->isVisible();
    }
    std::printf("monkey: seed %u, %d steps, %d searches (%d with hits, %d beyond the list's %d lines), "
                "%d steps with a full field, %d copies, %d steps without the picture\n",
                seed, step, Searches, SearchesWithHits, SearchesBeyondList, MaxShownLines, FullField, Copies,
                hiddenSteps);
}

} // namespace
