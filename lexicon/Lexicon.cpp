// Looking words up in the lexicon database.
#include "lexicon/Lexicon.h"

#include "common/SystemError.h"
#include "common/Utf8.h"
#include "lexicon/FestivalLexicon.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/Sqlite.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <new>
#include <utility>

#include <sys/stat.h>

namespace {

struct TClassName {
    std::string_view Tag;
    std::string_view German;
};

// festival's tags as its lexicon uses them: "adv-j" marks participles, "adv-v" adverbial participles,
// "in" prepositions, "prp" parenthetic words, "aux" particles.
// clang-format off
constexpr std::array<TClassName, 21> ClassNames = {{
    {"n", "Substantiv"},            {"v", "Verb"},                   {"adj", "Adjektiv"},
    {"adv", "Adverb"},              {"adv-j", "Partizip"},           {"adv-v", "Adverbialpartizip"},
    {"pron", "Pronomen"},           {"pron-p", "Pronomen"},          {"pron-r", "Pronomen"},
    {"pps", "Possessivpronomen"},   {"det", "Demonstrativpronomen"}, {"num", "Numerale"},
    {"num-p", "Ordinalzahl"},       {"cc", "Konjunktion"},           {"in", "Präposition"},
    {"prp", "Schaltwort"},          {"aux", "Partikel"},             {"wp", "Funktionswort"},
    {"name", "Vorname"},            {"surname", "Familienname"},     {"sname", "Vatersname"},
}};
// clang-format on

void AddOnce(std::vector<std::string>& list, std::string_view item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.emplace_back(item);
}

// А–Я and Ё in small letters, everything else as it is.
std::string LowerCyrillic(std::string_view word) {
    std::string out;
    for (std::size_t pos = 0; pos < word.size();) {
        const std::optional<char32_t> c = DecodeUtf8(word, pos);
        if (!c)
            return std::string(word);
        AppendUtf8(out, *c >= U'А' && *c <= U'Я' ? *c + 0x20 : *c == U'Ё' ? U'ё' : *c);
    }
    return out;
}

std::string Quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

// Thrown for a sound SQLite file that is not ours: it would give wrong answers, not errors.
struct TForeignDatabase {};

TSqliteDatabase& CheckedOurs(TSqliteDatabase& db) {
    TSqliteStatement id(db, "PRAGMA application_id");
    TSqliteStatement version(db, "PRAGMA user_version");
    if (!id.Step() || id.Number(0) != LexiconApplicationId || !version.Step() ||
        version.Number(0) != LexiconSchemaVersion)
        throw TForeignDatabase{};
    return db;
}

} // namespace

// The open database and its statements, prepared once.
class TLexiconReader {
public:
    explicit TLexiconReader(const std::string& path)
        : Db(path, TSqliteDatabase::TMode::ReadOnly), Checked(CheckedOurs(Db)),
          LemmaOf(Db, "SELECT lemma.word FROM form JOIN lemma ON lemma.id = form.lemma WHERE form.word = ?1"),
          StressOf(Db, "SELECT vowel FROM stress WHERE word = ?1 ORDER BY vowel"),
          ClassOf(Db, "SELECT class FROM word_class WHERE word = ?1"),
          GlossOf(Db, "SELECT german FROM gloss WHERE word = ?1"),
          Source(Db, "SELECT name, version, licence FROM source WHERE id = ?1") {}

    void Lookup(std::string_view word, TWordFacts& facts) {
        std::vector<int64_t> sources;
        // Each query gives its texts and notes that its source said something; a stress is a vowel's
        // number, shown as the word with its mark.
        auto collect = [&](TSqliteStatement& query, std::string_view key, std::vector<std::string>& out,
                           int64_t sourceId, std::string_view spelling = {}) {
            query.Bind(1, key);
            while (query.Step()) {
                const std::string_view spelled = spelling.empty() ? key : spelling;
                AddOnce(out, &query == &StressOf
                                 ? StressedSpelling(spelled, static_cast<int32_t>(query.Number(0)))
                                 : std::string(query.Text(0)));
                if (std::find(sources.begin(), sources.end(), sourceId) == sources.end())
                    sources.push_back(sourceId);
            }
            query.Reset();
        };
        collect(LemmaOf, word, facts.Lemmas, LemmaSourceId);
        std::sort(facts.Lemmas.begin(), facts.Lemmas.end());
        collect(StressOf, word, facts.Stressed, StressSourceId);
        collect(ClassOf, word, facts.Classes, StressSourceId);
        // festival writes every word in small letters, names too.
        if (const std::string lower = LowerCyrillic(word); facts.Classes.empty() && lower != word) {
            collect(StressOf, lower, facts.Stressed, StressSourceId, word);
            collect(ClassOf, lower, facts.Classes, StressSourceId);
        }
        collect(GlossOf, word, facts.Glosses, GlossSourceId);
        for (const std::string& lemma : facts.Lemmas) {
            if (lemma == word)
                continue;
            collect(StressOf, lemma, facts.LemmaStressed, StressSourceId);
            collect(GlossOf, lemma, facts.Glosses, GlossSourceId);
        }
        // A form's class is its lemmas' where festival does not list the form itself.
        if (facts.Classes.empty())
            for (const std::string& lemma : facts.Lemmas)
                collect(ClassOf, lemma, facts.Classes, StressSourceId);
        std::sort(sources.begin(), sources.end());
        for (const int64_t id : sources) {
            Source.Bind(1, id);
            if (Source.Step())
                facts.Sources.push_back(std::string(Source.Text(0)) + " " + std::string(Source.Text(1)) +
                                        " (" + std::string(Source.Text(2)) + ")");
            Source.Reset();
        }
    }

private:
    TSqliteDatabase Db;
    TSqliteDatabase& Checked; // before the statements: a foreign file has none of our tables
    TSqliteStatement LemmaOf;
    TSqliteStatement StressOf;
    TSqliteStatement ClassOf;
    TSqliteStatement GlossOf;
    TSqliteStatement Source;
};

TLexicon::TLexicon(std::string Path) : Path(std::move(Path)) {}

TLexicon::~TLexicon() = default;

void TLexicon::Fail(std::string Message) {
    Reader.reset();
    Failed = true;
    Error = std::move(Message);
}

bool TLexicon::Open() {
    if (Reader)
        return true;
    if (Failed)
        return false;
    const std::string name = "Die Lexikon-Datenbank " + Quoted(Path);
    struct stat info {};
    if (::stat(Path.c_str(), &info) != 0) {
        Fail(name + (errno == ENOENT ? " fehlt." : " ist nicht lesbar: " + SystemErrorText(errno) + "."));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(name + " ist keine gewöhnliche Datei.");
        return false;
    }
    try {
        Reader = std::make_unique<TLexiconReader>(Path);
        return true;
    } catch (const TForeignDatabase&) {
        Fail(name + " ist keine Lexikon-Datenbank dieser Version von Kavrinto.");
    } catch (const TSqliteError& e) {
        Fail(name + " ist beschädigt (SQLite: " + e.Detail + ").");
    } catch (const std::bad_alloc&) {
        Fail(name + " konnte nicht geöffnet werden: Der Arbeitsspeicher reicht nicht aus.");
    }
    return false;
}

bool TLexicon::Lookup(std::string_view Word, TWordFacts& Facts) {
    Facts = TWordFacts{};
    Facts.Word = Word;
    if (!Open())
        return false;
    try {
        Reader->Lookup(Word, Facts);
        return true;
    } catch (const TSqliteError& e) {
        Fail("Die Lexikon-Datenbank " + Quoted(Path) + " ist beschädigt (SQLite: " + e.Detail + ").");
    } catch (const std::bad_alloc&) {
        // Memory may come back; the database itself is sound.
        Error = "Für die Angaben zum Wort reicht der Arbeitsspeicher nicht aus.";
        ErrorTaken = false;
    }
    Facts = TWordFacts{};
    Facts.Word = Word;
    return false;
}

std::string TLexicon::TakeError() {
    if (Error.empty() || ErrorTaken)
        return {};
    ErrorTaken = true;
    return Error;
}

std::string WordClassName(std::string_view Tag) {
    for (const TClassName& row : ClassNames)
        if (row.Tag == Tag)
            return std::string(row.German);
    return std::string(Tag);
}
