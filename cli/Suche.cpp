// kavrinto-suche: the ending search of the window on the command line, for scripts and pipes.
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "cli/SucheOptions.h"
#include "common/SystemError.h"
#include "common/Utf8.h"
#include "dictionary/Breakdown.h"
#include "dictionary/EndingSearch.h"
#include "dictionary/FoldedSearch.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "input/InputEditing.h"
#include "input/Zeitortf.h"
#include "lexicon/LemmaLink.h"
#include "lexicon/Lexicon.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/WordInfo.h"
#include "richtext/Codepage.h"
#include "richtext/ConvertError.h"
#include "richtext/Rtftounisort.h"

namespace {

constexpr std::string_view VersionText = "kavrinto-suche (Kavrinto) " KAVRINTO_VERSION "\n";

struct TError {
    std::string Message;
};

std::string Quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

// Standard output through our own buffer and write(2), so that every failure is seen where it happens,
// with its error number, and reported in German.
class TOutput {
public:
    TOutput() { Buffer.reserve(BufferSize); }

    void Write(std::string_view text) {
        Buffer += text;
        if (Buffer.size() >= BufferSize - 4096)
            Flush();
    }

    void Flush() {
        std::size_t done = 0;
        while (done < Buffer.size()) {
            const ssize_t n = ::write(STDOUT_FILENO, Buffer.data() + done, Buffer.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                Fail(n < 0 ? errno : EIO);
            done += static_cast<std::size_t>(n);
        }
        Buffer.clear();
    }

    // Asked before any work: with standard output closed, descriptor 1 would go to the next file opened.
    static void CheckOpen() {
        if (::fcntl(STDOUT_FILENO, F_GETFD) < 0)
            Fail(EBADF);
    }

private:
    static constexpr std::size_t BufferSize = 1 << 20;

    [[noreturn]] static void Fail(int errorNumber) {
        throw TError{"Die Ausgabe konnte nicht geschrieben werden: " + SystemErrorText(errorNumber) + "."};
    }

    std::string Buffer;
};

[[noreturn]] void RefuseTyped(const std::string& character, std::string_view why) {
    throw TError{"Das Zeichen " + Quoted(character) + " " + std::string(why) + " (Option " +
                 std::string(KeysOption) + ")."};
}

// The query for an ending typed on the German keyboard, by the window's road: each key's letter
// escape, or the character itself as the field writes it into its rich text; the body is then
// read back and decoded like the field's.
std::vector<uint16_t> QueryOfKeys(std::u16string_view typed) {
    const ZeiToRtf keyboard;
    std::string rtfText = " "; // the blank that follows "\fs20"
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char16_t ch = typed[i];
        const int byte = UnicodeToCp1252(ch);
        if (byte < 0) {
            std::size_t pos = i;
            std::string utf8;
            AppendUtf8(utf8, NextUtf16(typed.data(), typed.size(), pos));
            RefuseTyped(utf8, "gibt es auf der deutschen Tastatur nicht");
        }
        // The input field refuses these: in its rich text they would be read as control words.
        if (byte == '\\' || byte == '{' || byte == '}')
            RefuseTyped(std::string(1, static_cast<char>(byte)), "nimmt das Eingabefeld nicht an");
        const std::string escape = keyboard.CharToRtf(static_cast<char>(byte));
        if (escape != "no") {
            rtfText += escape;
            continue;
        }
        rtfText += static_cast<char>(byte);
    }
    RtfToUniSort decoder;
    const uint16_t* keys = decoder.RtfToSortKeys(StripRtfControls(rtfText));
    std::vector<uint16_t> query;
    while (*keys != 0)
        query.push_back(*keys++);
    query.push_back(0);
    return query;
}

// Writes the first limit hit lines in UTF-8, run by run, each after prefix; a surrogate without its
// partner becomes U+FFFD.
void WriteLines(TOutput& output, TWordList& list, const THits& hits, int32_t limit, std::string_view prefix) {
    std::string line;
    for (const THitRange& run : hits.Runs) {
        if (limit <= 0)
            return;
        const int32_t last = run.Count() > limit ? run.FirstHit + limit - 1 : run.LastHit;
        limit -= last - run.FirstHit + 1;
        list.ConvertRangeToChars(list.LineStart[run.FirstHit], list.LineEnd[last]);
        for (int32_t i = run.FirstHit; i <= last; ++i) {
            const int32_t end = list.LineEnd[i];
            line = prefix;
            AppendUtf16AsUtf8(line, list.DisplayText.data() + list.LineStart[i],
                              static_cast<std::size_t>(end - list.LineStart[i] + 1));
            line += '\n';
            output.Write(line);
        }
    }
}

// One line per row: the extended ending, a tab, its count.
void WriteBreakdown(TOutput& output, const std::vector<TBreakdownRow>& rows, int32_t limit) {
    for (const TBreakdownRow& row : rows) {
        if (limit-- <= 0)
            return;
        output.Write(Utf16ToUtf8(row.Ending) + "\t" + std::to_string(row.Count) + "\n");
    }
}

// A data file that comes with an installed kavrinto-suche: share/kavrinto beside the bin folder the
// program lies in (symbolic links followed), wherever the package was unpacked.
std::filesystem::path InstalledDataFile(const char* name) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return program.parent_path().parent_path() / "share" / "kavrinto" / name;
}

// Without --file: the working directory's data file of that name, else the installed one. A file that is
// there but cannot be read is reported, not passed over.
void LoadDefaultWordList(TWordList& list, const char* name) {
    std::error_code error;
    const std::filesystem::path local = std::filesystem::current_path(error) / name;
    list.LoadWordList(local.string());
    if (list.LoadStatus != TLoadStatus::Missing)
        return;
    const std::filesystem::path installed = InstalledDataFile(name);
    if (!installed.empty()) {
        list.LoadWordList(installed.string());
        if (list.LoadStatus != TLoadStatus::Missing)
            return;
    }
    throw TError{"Weder im Arbeitsverzeichnis noch bei den installierten Dateien liegt eine "
                 "Wörterbuchdatei: " +
                 local.string() + " und " + (installed.empty() ? "../share/kavrinto" : installed.string()) +
                 " fehlen. Eine andere Datei nennt --file PFAD."};
}

// The data file named by --file, else the default lemma or forms list; a failure ends the run with its
// message.
void LoadWordListOf(TWordList& list, const TSucheOptions& options) {
    if (options.File)
        list.LoadWordList(*options.File);
    else
        LoadDefaultWordList(list, options.Forms ? FormsFileName : DataFileName);
    if (!list.LoadError.empty())
        throw TError{list.LoadError};
}

// The query of an ending in UTF-8, as text or as typed keys; throws TError when it is none.
std::vector<uint16_t> QueryOfEnding(std::string_view text, bool keys) {
    const std::optional<std::u16string> ending = Utf8ToUtf16(text);
    if (!ending)
        throw TError{"Die ENDUNG ist kein gültiger UTF-8-Text."};
    if (ending->size() > static_cast<std::size_t>(MaxInputChars))
        throw TError{"Die ENDUNG ist länger als " + std::to_string(MaxInputChars) + " Zeichen."};
    // The query ends at its first zero: the ending would be cut short there.
    if (ending->find(u'\0') != std::u16string::npos)
        throw TError{"Die ENDUNG enthält ein Nullzeichen."};
    return keys ? QueryOfKeys(*ending) : QueryOfText(*ending);
}

// The hits of one ending as the options ask for them: the count, or the entries up to --limit, each
// after prefix.
void WriteHits(TOutput& output, TWordList& list, const THits& hits, const TSucheOptions& options,
               std::string_view prefix) {
    if (options.Count) {
        output.Write(std::string(prefix) + std::to_string(hits.Count) + "\n");
        return;
    }
    WriteLines(output, list, hits, options.Limit.value_or(INT32_MAX), prefix);
}

// Standard input, line by line through read(2). Before it waits for more input, the output written so
// far goes out, so that a caller that types endings sees each answer at once.
class TInputLines {
public:
    // The longest line kept whole: more bytes than this are more than MaxInputChars characters.
    static constexpr std::size_t MaxKept = 3 * MaxInputChars + 3;

    explicit TInputLines(TOutput& output) : Output(output) {}

    // The next line without its LF (and a CR before it); Overlong when it had more than MaxKept bytes,
    // of which Line holds the first. False at the end of the input.
    bool Next() {
        Line.clear();
        Overlong = false;
        bool any = false;
        for (;;) {
            if (Pos == Filled && !Fill())
                break;
            any = true;
            const char* begin = Buffer + Pos;
            const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', Filled - Pos));
            const std::size_t length = (lf ? lf : Buffer + Filled) - begin;
            Keep(begin, length);
            Pos += length;
            if (lf) {
                ++Pos;
                break;
            }
        }
        if (!Overlong && Line.ends_with('\r'))
            Line.pop_back();
        return any;
    }

    // Asked before the data file is opened: with standard input closed, descriptor 0 would be that file.
    static void CheckOpen() {
        if (::fcntl(STDIN_FILENO, F_GETFD) < 0)
            Fail(EBADF);
    }

    std::string Line;
    bool Overlong = false;

private:
    void Keep(const char* text, std::size_t length) {
        const std::size_t room = MaxKept + 1 - std::min(Line.size(), MaxKept + 1);
        Line.append(text, std::min(length, room));
        Overlong = Overlong || Line.size() > MaxKept;
    }

    bool Fill() {
        Output.Flush();
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, Buffer, sizeof Buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                Fail(errno);
            Pos = 0;
            Filled = static_cast<std::size_t>(n);
            return n > 0;
        }
    }

    [[noreturn]] static void Fail(int errorNumber) {
        throw TError{"Die Standardeingabe konnte nicht gelesen werden: " + SystemErrorText(errorNumber) +
                     "."};
    }

    TOutput& Output;
    char Buffer[1 << 16];
    std::size_t Pos = 0;
    std::size_t Filled = 0;
};

// One ending from the command line.
int RunOne(TOutput& output, const TSucheOptions& options) {
    const std::vector<uint16_t> query = QueryOfEnding(*options.Ending, options.Keys);
    TWordList list;
    LoadWordListOf(list, options);
    const TFolding folding{options.IgnoreCase, options.YoAsYe};
    const THits hits = FindEndingHits(list, query.data(), folding);
    if (options.Breakdown)
        WriteBreakdown(output, BreakDownEnding(list, hits, query.data(), folding),
                       options.Limit.value_or(INT32_MAX));
    else
        WriteHits(output, list, hits, options, {});
    output.Flush();
    return hits.Count > 0 ? 0 : 1;
}

// --stdin: every line of standard input against the list, read once. A line that is no ending is
// reported with its number and skipped; the run goes on and ends with 2.
int RunLines(TOutput& output, const TSucheOptions& options) {
    TInputLines input(output);
    TInputLines::CheckOpen();
    TWordList list;
    LoadWordListOf(list, options);
    // Folded hits may lie in several runs, which the bisecting index does not find: then one pass a line.
    const TFolding folding{options.IgnoreCase, options.YoAsYe};
    const std::optional<TEndingIndex> index =
        folding.Any() ? std::nullopt : std::optional<TEndingIndex>(std::in_place, list);
    bool anyHit = false;
    bool anyInvalid = false;
    std::string prefix;
    for (int64_t number = 1; input.Next(); ++number) {
        std::string refusal;
        std::vector<uint16_t> query;
        try {
            if (input.Overlong)
                throw TError{"Die ENDUNG ist länger als " + std::to_string(MaxInputChars) + " Zeichen."};
            query = QueryOfEnding(input.Line, options.Keys);
        } catch (const TError& e) {
            refusal = e.Message;
        } catch (const EConvertError& e) {
            refusal = e.what();
        }
        if (!refusal.empty()) {
            // The answers so far first, so that the message stands where its line would have answered.
            output.Flush();
            std::fprintf(stderr, "kavrinto-suche: Zeile %lld: %s\n", static_cast<long long>(number),
                         refusal.c_str());
            anyInvalid = true;
            continue;
        }
        THits hits;
        if (index) {
            const THitRange run = index->Find(query.data());
            hits.Count = run.Count();
            if (hits.Count > 0)
                hits.Runs.push_back(run);
        } else {
            hits = FindEndingHits(list, query.data(), folding);
        }
        anyHit = anyHit || hits.Count > 0;
        prefix = input.Line;
        prefix += '\t';
        WriteHits(output, list, hits, options, prefix);
    }
    output.Flush();
    return anyInvalid ? 2 : anyHit ? 0 : 1;
}

// The lexicon database in the working directory, else the installed one. One that is there but cannot
// be used is reported, not passed over.
std::filesystem::path LexiconPath() {
    const auto exists = [](const std::filesystem::path& path) {
        std::error_code error;
        return !path.empty() &&
               std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
    };
    std::error_code error;
    const std::filesystem::path local = std::filesystem::current_path(error) / LexiconFileName;
    const std::filesystem::path installed = InstalledDataFile(LexiconFileName);
    return !exists(local) && exists(installed) ? installed : local;
}

// --info: 0 when the word is in one of the lists, 1 when not; without a usable database an error.
int RunInfo(TOutput& output, const std::string& word) {
    if (!Utf8ToUtf16(word))
        throw TError{"Das WORT ist kein gültiger UTF-8-Text."};
    TLexicon lexicon(LexiconPath().string());
    TWordFacts facts;
    if (!lexicon.Lookup(word, facts))
        throw TError{lexicon.TakeError()};
    output.Write(InfoLines(facts));
    output.Flush();
    return facts.InLists() ? 0 : 1;
}

int Run(const TSucheOptions& options) {
    TOutput output;
    TOutput::CheckOpen();
    if (options.Help || options.Version) {
        output.Write(options.Help ? SucheUsageText() : VersionText);
        output.Flush();
        return 0;
    }
    if (options.Info)
        return RunInfo(output, *options.Info);
    return options.Stdin ? RunLines(output, options) : RunOne(output, options);
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        return Run(ParseSucheArguments(arguments));
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "kavrinto-suche: %s\nHilfe: kavrinto-suche %.*s\n", e.Message.c_str(),
                     static_cast<int>(HelpOption.size()), HelpOption.data());
    } catch (const TError& e) {
        std::fprintf(stderr, "kavrinto-suche: %s\n", e.Message.c_str());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kavrinto-suche: Der Arbeitsspeicher reicht nicht aus.\n");
    } catch (const EConvertError& e) {
        std::fprintf(stderr, "kavrinto-suche: %s\n", e.what());
    } catch (const std::exception& e) {
        // Not expected: German first, the library's own text only as a detail.
        std::fprintf(stderr, "kavrinto-suche: Unerwarteter Fehler (%s).\n", e.what());
    }
    return 2;
}
