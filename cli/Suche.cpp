// kavrinto-suche: the ending search of the window on the command line, for scripts and pipes.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
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

// Writes the first limit hit lines in UTF-8, run by run; a surrogate without its partner becomes U+FFFD.
void WriteLines(TOutput& output, TWordList& list, const THits& hits, int32_t limit) {
    std::string line;
    for (const THitRange& run : hits.Runs) {
        if (limit <= 0)
            return;
        const int32_t last = run.Count() > limit ? run.FirstHit + limit - 1 : run.LastHit;
        limit -= last - run.FirstHit + 1;
        list.ConvertRangeToChars(list.LineStart[run.FirstHit], list.LineEnd[last]);
        for (int32_t i = run.FirstHit; i <= last; ++i) {
            const int32_t end = list.LineEnd[i];
            line.clear();
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
std::filesystem::path InstalledFile(const char* name) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return program.parent_path().parent_path() / "share" / "kavrinto" / name;
}

std::filesystem::path InstalledDataFile() {
    return InstalledFile(DataFileName);
}

// Without --file: the working directory's data file, else the installed one. A file that is there but
// cannot be read is reported, not passed over.
void LoadDefaultWordList(TWordList& list) {
    std::error_code error;
    const std::filesystem::path local = std::filesystem::current_path(error) / DataFileName;
    list.LoadWordList(local.string());
    if (list.LoadStatus != TLoadStatus::Missing)
        return;
    const std::filesystem::path installed = InstalledDataFile();
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

// The data file named by --file, else the default one; a failure ends the run with its message.
void LoadWordListOf(TWordList& list, const std::optional<std::string>& file) {
    if (file)
        list.LoadWordList(*file);
    else
        LoadDefaultWordList(list);
    if (!list.LoadError.empty())
        throw TError{list.LoadError};
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
    const std::filesystem::path installed = InstalledFile(LexiconFileName);
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

    const std::optional<std::u16string> ending = Utf8ToUtf16(*options.Ending);
    if (!ending)
        throw TError{"Die ENDUNG ist kein gültiger UTF-8-Text."};
    if (ending->size() > static_cast<std::size_t>(MaxInputChars))
        throw TError{"Die ENDUNG ist länger als " + std::to_string(MaxInputChars) + " Zeichen."};
    const std::vector<uint16_t> query = options.Keys ? QueryOfKeys(*ending) : QueryOfText(*ending);

    TWordList list;
    LoadWordListOf(list, options.File);

    const TFolding folding{options.IgnoreCase, options.YoAsYe};
    const THits hits = FindEndingHits(list, query.data(), folding);
    const int32_t limit = options.Limit.value_or(INT32_MAX);
    if (options.Breakdown)
        WriteBreakdown(output, BreakDownEnding(list, hits, query.data(), folding), limit);
    else if (options.Count)
        output.Write(std::to_string(hits.Count) + "\n");
    else
        WriteLines(output, list, hits, limit);
    output.Flush();
    return hits.Count > 0 ? 0 : 1;
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
