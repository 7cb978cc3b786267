// What the lexicon database knows about a word: its lemmas, stress, word class and German glosses.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TWordFacts {
    std::string Word;
    std::vector<std::string> Lemmas;        // the word itself where it is a lemma; empty: in neither list
    std::vector<std::string> Stressed;      // the word with its stress mark, once per stress it can bear
    std::vector<std::string> LemmaStressed; // the same for its lemmas (other than the word)
    std::vector<std::string> Classes;       // festival's tags, of the word or else of its lemmas
    std::vector<std::string> Glosses;       // German, of the word and of its lemmas
    std::vector<std::string> Sources;       // "name version (licence)" of each source that said something

    bool InLists() const { return !Lemmas.empty(); }
    bool HasDetails() const {
        return !Stressed.empty() || !LemmaStressed.empty() || !Classes.empty() || !Glosses.empty();
    }
};

class TLexiconReader;

// What the window adds to the message of a failed database.
inline constexpr const char* WithoutLexiconText =
    "Angaben zu den Wörtern fehlen daher; die Suche geht weiter.";

// The database, opened read-only on the first lookup (not before: the window's start stays as fast as
// it was). When it is missing or damaged every lookup fails and the German message is handed out once.
class TLexicon {
public:
    explicit TLexicon(std::string Path);
    ~TLexicon();
    TLexicon(const TLexicon&) = delete;
    TLexicon& operator=(const TLexicon&) = delete;

    // False when the database cannot be used; then Facts is only the word.
    bool Lookup(std::string_view Word, TWordFacts& Facts);

    // The German message of the failure, the first time it is asked for after one; empty otherwise.
    std::string TakeError();

private:
    bool Open();
    void Fail(std::string Message);

    std::string Path;
    std::unique_ptr<TLexiconReader> Reader;
    bool Failed = false;
    bool ErrorTaken = false;
    std::string Error;
};

// The German name of one of festival's word classes ("n" → "Substantiv"); an unknown tag as it is.
std::string WordClassName(std::string_view Tag);
