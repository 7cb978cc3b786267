// Making the lexicon database.
#include "lexicon/LexiconBuild.h"

#include "common/SystemError.h"
#include "common/Utf8.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "lexicon/LemmaLink.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/Sqlite.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void InsertSource(TSqliteDatabase& db, TLexiconSourceId id, const TLexiconSource& source) {
    TSqliteStatement insert(db, "INSERT INTO source (id, name, version, licence) VALUES (?1, ?2, ?3, ?4)");
    insert.Bind(1, static_cast<int64_t>(id));
    insert.Bind(2, source.Name);
    insert.Bind(3, source.Version);
    insert.Bind(4, source.Licence);
    insert.Step();
}

// Rows in key order make the tables' B-trees grow at their end.
template <typename T, typename Key> std::vector<const T*> SortedBy(const std::vector<T>& rows, Key key) {
    std::vector<const T*> sorted;
    sorted.reserve(rows.size());
    for (const T& row : rows)
        sorted.push_back(&row);
    std::sort(sorted.begin(), sorted.end(), [&](const T* a, const T* b) { return key(*a) < key(*b); });
    return sorted;
}

void Fill(TSqliteDatabase& db, const TLexiconSources& sources) {
    db.Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
    db.Execute("BEGIN");
    db.Execute(LexiconSchema);
    db.Execute(("PRAGMA application_id = " + std::to_string(LexiconApplicationId) +
                "; PRAGMA user_version = " + std::to_string(LexiconSchemaVersion))
                   .c_str());
    InsertSource(db, LemmaSourceId, sources.LemmaSource);
    InsertSource(db, GlossSourceId, sources.GlossSource);
    InsertSource(db, StressSourceId, sources.StressSource);

    // Lemmas are numbered in their sorted order.
    std::vector<std::string_view> lemmas;
    lemmas.reserve(sources.FormLemmas.size() / 8);
    for (const TFormLemma& row : sources.FormLemmas)
        lemmas.push_back(row.Lemma);
    std::sort(lemmas.begin(), lemmas.end());
    lemmas.erase(std::unique(lemmas.begin(), lemmas.end()), lemmas.end());
    TSqliteStatement lemma(db, "INSERT INTO lemma (id, word, source) VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < lemmas.size(); ++i) {
        lemma.Bind(1, static_cast<int64_t>(i + 1));
        lemma.Bind(2, lemmas[i]);
        lemma.Bind(3, int64_t{LemmaSourceId});
        lemma.Step();
        lemma.Reset();
    }
    // Each form with its lemma's number, found once, in key order.
    std::vector<std::pair<std::string_view, int64_t>> forms;
    forms.reserve(sources.FormLemmas.size());
    for (const TFormLemma& row : sources.FormLemmas)
        forms.emplace_back(row.Form,
                           std::lower_bound(lemmas.begin(), lemmas.end(), row.Lemma) - lemmas.begin() + 1);
    std::sort(forms.begin(), forms.end());
    TSqliteStatement form(db, "INSERT OR IGNORE INTO form (word, lemma) VALUES (?1, ?2)");
    for (const auto& [word, lemmaId] : forms) {
        form.Bind(1, word);
        form.Bind(2, lemmaId);
        form.Step();
        form.Reset();
    }

    TSqliteStatement gloss(db, "INSERT OR IGNORE INTO gloss (word, german, source) VALUES (?1, ?2, ?3)");
    for (const TGloss* row : SortedBy(sources.Glosses, [](const TGloss& r) {
             return std::pair<std::string_view, std::string_view>(r.Word, r.German);
         })) {
        gloss.Bind(1, row->Word);
        gloss.Bind(2, row->German);
        gloss.Bind(3, int64_t{GlossSourceId});
        gloss.Step();
        gloss.Reset();
    }

    TSqliteStatement stress(db, "INSERT OR IGNORE INTO stress (word, vowel, source) VALUES (?1, ?2, ?3)");
    TSqliteStatement wordClass(db,
                               "INSERT OR IGNORE INTO word_class (word, class, source) VALUES (?1, ?2, ?3)");
    for (const TFestivalEntry* row :
         SortedBy(sources.Festival, [](const TFestivalEntry& r) { return std::string_view(r.Word); })) {
        if (row->StressedVowel > 0) {
            stress.Bind(1, row->Word);
            stress.Bind(2, int64_t{row->StressedVowel});
            stress.Bind(3, int64_t{StressSourceId});
            stress.Step();
            stress.Reset();
        }
        wordClass.Bind(1, row->Word);
        wordClass.Bind(2, row->WordClass);
        wordClass.Bind(3, int64_t{StressSourceId});
        wordClass.Step();
        wordClass.Reset();
    }
    db.Execute("COMMIT");
}

bool IsRegularOrMissing(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

} // namespace

std::string BuildLexiconDatabase(const TLexiconSources& Sources, const std::string& Path) {
    const std::string failed = "Die Lexikon-Datenbank " + Path + " konnte nicht angelegt werden: ";
    if (!IsRegularOrMissing(Path))
        return failed + "an ihrer Stelle liegt etwas anderes als eine gewöhnliche Datei.";
    std::string temporary = Path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return failed + SystemErrorText(errno) + ".";
    // mkstemp makes the file readable only for its owner; the database is for everyone.
    ::fchmod(fd, 0644);
    ::close(fd);
    std::string error;
    try {
        TSqliteDatabase db(temporary, TSqliteDatabase::TMode::Create);
        Fill(db, Sources);
    } catch (const TSqliteError& e) {
        error = failed + "SQLite meldet „" + e.Detail + "“.";
    } catch (const std::bad_alloc&) {
        error = failed + "Der Arbeitsspeicher reicht nicht aus.";
    }
    if (error.empty() && ::rename(temporary.c_str(), Path.c_str()) != 0)
        error = failed + SystemErrorText(errno) + ".";
    if (!error.empty())
        ::unlink(temporary.c_str());
    return error;
}

TFormLemmas FormLemmasOfLink(const std::string& FormsPath, const std::string& LemmasPath,
                             const std::string& LinkPath) {
    TFormLemmas result;
    TWordList forms;
    TWordList lemmas;
    forms.LoadWordList(FormsPath);
    lemmas.LoadWordList(LemmasPath);
    for (const TWordList* list : {&forms, &lemmas})
        if (!list->LoadError.empty()) {
            result.Error = list->LoadError;
            return result;
        }
    TLemmaLink link;
    if (!link.Load(LinkPath)) {
        result.Error = link.LoadError;
        return result;
    }
    if (std::string mismatch = link.MismatchWith(forms, lemmas); !mismatch.empty()) {
        result.Error = std::move(mismatch);
        return result;
    }
    const SortRus keys;
    const auto lineText = [&](const TWordList& list, int32_t line) {
        std::u16string text;
        for (int32_t k = list.LineStart[line]; k <= list.LineEnd[line]; ++k)
            text.push_back(static_cast<char16_t>(keys.SortKeyToChar(list.KeyText[k])));
        return Utf16ToUtf8(text);
    };
    std::vector<std::string> lemmaTexts;
    lemmaTexts.reserve(static_cast<std::size_t>(lemmas.LineCount));
    for (int32_t i = 0; i < lemmas.LineCount; ++i)
        lemmaTexts.push_back(lineText(lemmas, i));
    result.Rows.reserve(link.Lemma.size());
    for (int32_t i = 0; i < forms.LineCount; ++i) {
        const std::string form = lineText(forms, i);
        for (const uint32_t lemma : link.LemmasOf(i))
            result.Rows.push_back({form, lemmaTexts[lemma]});
    }
    return result;
}
