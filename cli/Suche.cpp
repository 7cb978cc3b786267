// kavrinto-suche: the ending search of the window on the command line, for scripts and pipes.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Utf8.h"
#include "dictionary/EndingSearch.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "input/InputEditing.h"
#include "input/Zeitortf.h"
#include "richtext/Codepage.h"
#include "richtext/Rtftounisort.h"

namespace {

constexpr std::string_view HelpText =
    "Aufruf: kavrinto-suche [OPTIONEN] ENDUNG\n"
    "\n"
    "Listet jeden Eintrag des Wörterbuchs, dessen Wort auf ENDUNG endet, einen je Zeile,\n"
    "in der Reihenfolge des Wörterbuchs. ENDUNG ist Text in UTF-8, meist kyrillisch;\n"
    "Groß- und Kleinschreibung zählen, е und ё sind verschieden. Eine leere ENDUNG (\"\")\n"
    "listet alle Einträge.\n"
    "\n"
    "Optionen:\n"
    "  --keys        ENDUNG ist auf der deutschen Tastatur getippt: \"fl\" sucht „ад“,\n"
    "                Zeichen ohne kyrillischen Buchstaben bleiben, wie sie sind\n"
    "  --count       nur die Anzahl der Treffer ausgeben\n"
    "  --limit N     höchstens N Einträge ausgeben\n"
    "  --file PFAD   diese Wörterbuchdatei lesen (sonst VokKavrinto.dat im\n"
    "                Arbeitsverzeichnis und, liegt dort keine, die installierte\n"
    "                in ../share/kavrinto neben dem Ordner des Programms,\n"
    "                etwa /usr/share/kavrinto/VokKavrinto.dat)\n"
    "  --help        diese Hilfe zeigen\n"
    "  --            Ende der Optionen (für eine ENDUNG, die mit - beginnt)\n"
    "\n"
    "Exit-Status: 0 mit Treffern, 1 ohne Treffer, 2 bei einem Fehler.\n";

struct TOptions {
    bool Help = false;
    bool Keys = false;
    bool Count = false;
    std::optional<int32_t> Limit;
    std::optional<std::string> File;
    std::optional<std::string> Ending;
};

struct TUsageError {
    std::string Message;
};

struct TError {
    std::string Message;
};

std::string Quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

int32_t ParseLimit(std::string_view text) {
    int64_t value = 0;
    bool ok = !text.empty() && text.size() <= 10;
    for (char c : text) {
        if (c < '0' || c > '9') {
            ok = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (!ok || value > INT32_MAX)
        throw TUsageError{"--limit erwartet eine ganze Zahl ab 0, nicht " + Quoted(text) + "."};
    return static_cast<int32_t>(value);
}

TOptions ParseArguments(int argc, char** argv) {
    TOptions options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (options.Ending)
                throw TUsageError{"Nur eine ENDUNG ist erlaubt; zu viel: " + Quoted(arg) + "."};
            options.Ending = std::string(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // --name, --name=value or --name value
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        std::optional<std::string_view> value;
        if (equals != std::string_view::npos)
            value = arg.substr(equals + 1);
        const bool takesValue = name == "--limit" || name == "--file";
        if (name == "--help" || name == "--keys" || name == "--count") {
            if (value)
                throw TUsageError{"Die Option " + Quoted(name) + " nimmt keinen Wert."};
            if (name == "--help")
                options.Help = true;
            else if (name == "--keys")
                options.Keys = true;
            else
                options.Count = true;
        } else if (takesValue) {
            if (!value) {
                if (i + 1 >= argc)
                    throw TUsageError{"Die Option " + Quoted(name) + " braucht einen Wert."};
                value = argv[++i];
            }
            if (name == "--limit")
                options.Limit = ParseLimit(*value);
            else
                options.File = std::string(*value);
        } else {
            throw TUsageError{"Unbekannte Option " + Quoted(arg) + "."};
        }
    }
    if (!options.Help && !options.Ending)
        throw TUsageError{"Die ENDUNG fehlt."};
    return options;
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
            throw TError{"Das Zeichen " + Quoted(utf8) +
                         " gibt es auf der deutschen Tastatur nicht (Option --keys)."};
        }
        // The input field refuses these: in its rich text they would be read as control words.
        if (byte == '\\' || byte == '{' || byte == '}')
            throw TError{"Das Zeichen " + Quoted(std::string(1, static_cast<char>(byte))) +
                         " nimmt das Eingabefeld nicht an (Option --keys)."};
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

// Writes the shown lines in UTF-8; a surrogate without its partner becomes U+FFFD.
void WriteLines(TWordList& list, int32_t first, int32_t last) {
    if (first > last)
        return;
    list.ConvertRangeToChars(list.LineStart[first], list.LineEnd[last]);
    std::string out;
    out.reserve(1 << 20);
    for (int32_t i = first; i <= last; ++i) {
        const int32_t end = list.LineEnd[i];
        AppendUtf16AsUtf8(out, list.DisplayText.data() + list.LineStart[i],
                          static_cast<std::size_t>(end - list.LineStart[i] + 1));
        out += '\n';
        if (out.size() >= (1 << 20) - 4096) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

// The data file that comes with an installed kavrinto-suche: share/kavrinto beside the bin folder the
// program lies in (symbolic links followed), wherever the package was unpacked.
std::filesystem::path InstalledDataFile() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return program.parent_path().parent_path() / "share" / "kavrinto" / DataFileName;
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

int Run(int argc, char** argv) {
    const TOptions options = ParseArguments(argc, argv);
    if (options.Help) {
        std::fwrite(HelpText.data(), 1, HelpText.size(), stdout);
        return 0;
    }

    const std::optional<std::u16string> ending = Utf8ToUtf16(*options.Ending);
    if (!ending)
        throw TError{"Die ENDUNG ist kein gültiger UTF-8-Text."};
    if (ending->size() > static_cast<std::size_t>(MaxInputChars))
        throw TError{"Die ENDUNG ist länger als " + std::to_string(MaxInputChars) + " Zeichen."};
    const std::vector<uint16_t> query = options.Keys ? QueryOfKeys(*ending) : QueryOfText(*ending);

    TWordList list;
    if (options.File)
        list.LoadWordList(*options.File);
    else
        LoadDefaultWordList(list);
    if (!list.LoadError.empty())
        throw TError{list.LoadError};

    const THitRange hits = FindEndingRange(list, query.data());
    if (options.Count) {
        std::printf("%d\n", hits.Count());
    } else {
        int32_t last = hits.LastHit;
        if (options.Limit && hits.Count() > *options.Limit)
            last = hits.FirstHit + *options.Limit - 1;
        WriteLines(list, hits.FirstHit, last);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw TError{std::string("Die Ausgabe lässt sich nicht schreiben: ") + std::strerror(errno) + "."};
    return hits.Count() > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "kavrinto-suche: %s\nHilfe: kavrinto-suche --help\n", e.Message.c_str());
    } catch (const TError& e) {
        std::fprintf(stderr, "kavrinto-suche: %s\n", e.Message.c_str());
    } catch (const std::exception& e) {
        // EConvertError among them
        std::fprintf(stderr, "kavrinto-suche: %s\n", e.what());
    }
    return 2;
}
