// The options of kavrinto-suche, their parser and their usage text.
#include "cli/SucheOptions.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using TApplyResult = std::optional<std::string>;

constexpr std::string_view EndOfOptions = "--";
constexpr std::string_view FormsOption = "--forms";
constexpr std::string_view FileOption = "--file";

std::string Quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

TApplyResult ApplyLimit(TSucheOptions& options, std::string_view value) {
    int64_t number = 0;
    bool ok = !value.empty() && value.size() <= 10;
    for (char c : value) {
        if (c < '0' || c > '9') {
            ok = false;
            break;
        }
        number = number * 10 + (c - '0');
    }
    if (!ok || number > INT32_MAX)
        return "erwartet eine ganze Zahl ab 0, nicht " + Quoted(value);
    options.Limit = static_cast<int32_t>(number);
    return {};
}

TApplyResult ApplyFile(TSucheOptions& options, std::string_view value) {
    // An empty name would otherwise surface as an unreadable file without a name.
    if (value.empty())
        return "erwartet einen Dateinamen, angegeben wurde keiner";
    options.File = std::string(value);
    return {};
}

// The ENDUNG itself, for its breakdown instead of its hits.
TApplyResult ApplyBreakdown(TSucheOptions& options, std::string_view value) {
    if (options.Ending && !options.Breakdown)
        return "nimmt selbst die ENDUNG; eine zweite (" + Quoted(*options.Ending) + ") ist zu viel";
    options.Ending = std::string(value);
    options.Breakdown = true;
    return {};
}

TApplyResult ApplyInfo(TSucheOptions& options, std::string_view value) {
    if (value.empty())
        return "erwartet ein Wort, angegeben wurde keines";
    options.Info = std::string(value);
    return {};
}

// An option that only switches something on.
template <bool TSucheOptions::*Flag> TApplyResult SetFlag(TSucheOptions& options, std::string_view) {
    options.*Flag = true;
    return {};
}

// The order of the rows is the order of the usage text.
constexpr TOptionRow Rows[] = {
    // short, long, value, without ENDUNG, usage text, handling
    {"", KeysOption, "", false,
     "ENDUNG ist auf der deutschen Tastatur getippt: \"fl\" sucht „ад“,\n"
     "Zeichen ohne kyrillischen Buchstaben bleiben, wie sie sind",
     SetFlag<&TSucheOptions::Keys>},
    {"-i", "--ignore-case", "", false, "Groß- und Kleinschreibung gleich: „ад“ findet auch „Ад“",
     SetFlag<&TSucheOptions::IgnoreCase>},
    {"", "--yo", "", false, "е und ё gleich: „ед“ findet auch „мёд“", SetFlag<&TSucheOptions::YoAsYe>},
    {"", "--count", "", false, "nur die Anzahl der Treffer ausgeben", SetFlag<&TSucheOptions::Count>},
    {"", "--limit", "N", false, "höchstens N Einträge ausgeben", ApplyLimit},
    {"", BreakdownOption, "ENDUNG", false,
     "ENDUNG aufschlüsseln: je Zeichen davor eine Zeile\n"
     "ERWEITERTE_ENDUNG<TAB>ANZAHL, die häufigste zuerst",
     ApplyBreakdown},
    {"", FileOption, "PFAD", false,
     "diese Wörterbuchdatei lesen (sonst VokKavrinto.dat im\n"
     "Arbeitsverzeichnis und, liegt dort keine, die installierte\n"
     "in ../share/kavrinto neben dem Ordner des Programms,\n"
     "etwa /usr/share/kavrinto/VokKavrinto.dat)",
     ApplyFile},
    {"", FormsOption, "", false,
     "die Formenliste VokKavrintoFormen.dat mit allen Wortformen\n"
     "durchsuchen, gefunden wie VokKavrinto.dat",
     SetFlag<&TSucheOptions::Forms>},
    {"", StdinOption, "", true,
     "die Endungen von der Standardeingabe lesen, eine je Zeile\n"
     "(UTF-8; mit --keys getippt), und je Treffer ENDUNG<TAB>EINTRAG\n"
     "ausgeben, mit --count je Endung ENDUNG<TAB>ANZAHL;\n"
     "--limit zählt je Endung",
     SetFlag<&TSucheOptions::Stdin>},
    {"", InfoOption, "WORT", true,
     "statt zu suchen zeigen, was das Lexikon über WORT weiß:\n"
     "Grundform, Betonung, Wortart, deutsche Bedeutung, Quelle\n"
     "(Exit-Status 0, wenn WORT in einer der Wortlisten steht, sonst 1)",
     ApplyInfo},
    {"-h", HelpOption, "", true, "diese Hilfe zeigen", SetFlag<&TSucheOptions::Help>},
    {"", "--version", "", true, "die Version zeigen", SetFlag<&TSucheOptions::Version>},
};

// Every spelling is "--" and a name without "=", or "-" and one letter, and none stands twice: the parser
// relies on all three.
consteval bool SpellingsAreSound() {
    std::string_view spellings[2 * std::size(Rows)];
    std::size_t count = 0;
    for (const TOptionRow& row : Rows) {
        if (row.Long.size() < 3 || !row.Long.starts_with("--") ||
            row.Long.find('=') != std::string_view::npos)
            return false;
        if (!row.Short.empty() && (row.Short.size() != 2 || row.Short[0] != '-' || row.Short[1] == '-'))
            return false;
        spellings[count++] = row.Long;
        if (!row.Short.empty())
            spellings[count++] = row.Short;
    }
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (spellings[i] == spellings[j])
                return false;
    return true;
}
static_assert(SpellingsAreSound());

const TOptionRow* FindRow(std::string_view spelling) {
    const auto row = std::find_if(std::begin(Rows), std::end(Rows), [&](const TOptionRow& r) {
        return r.Long == spelling || (!r.Short.empty() && r.Short == spelling);
    });
    return row == std::end(Rows) ? nullptr : row;
}

// The left column of a row: "  -h, --help", "      --limit N".
std::string Spellings(const TOptionRow& row) {
    std::string text = "  ";
    text += row.Short.empty() ? std::string_view("    ") : row.Short;
    text += row.Short.empty() ? "" : ", ";
    text += row.Long;
    if (!row.ValueName.empty()) {
        text += ' ';
        text += row.ValueName;
    }
    return text;
}

void AppendOption(std::string& out, const std::string& spellings, std::string_view help, std::size_t column) {
    out += spellings;
    out.append(column - spellings.size(), ' ');
    for (char c : help) {
        out += c;
        if (c == '\n')
            out.append(column, ' ');
    }
    out += '\n';
}

} // namespace

std::span<const TOptionRow> SucheOptionTable() {
    return Rows;
}

TSucheOptions ParseSucheArguments(std::span<const std::string_view> Arguments) {
    TSucheOptions options;
    bool optionsEnded = false;
    bool endingNeeded = true;
    for (std::size_t i = 0; i < Arguments.size(); ++i) {
        const std::string_view arg = Arguments[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (options.Ending)
                throw TUsageError{"Nur eine ENDUNG ist erlaubt; zu viel: " + Quoted(arg) + "."};
            options.Ending = std::string(arg);
            continue;
        }
        if (arg == EndOfOptions) {
            optionsEnded = true;
            continue;
        }
        // --name, --name=value or --name value; a short option stands alone.
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (arg.starts_with("--")) {
            if (const std::size_t equals = arg.find('='); equals != std::string_view::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
        }
        const TOptionRow* row = FindRow(name);
        if (row == nullptr)
            throw TUsageError{"Unbekannte Option " + Quoted(arg) + "."};
        if (row->ValueName.empty() && value)
            throw TUsageError{"Die Option " + Quoted(name) + " nimmt keinen Wert."};
        if (!row->ValueName.empty() && !value) {
            if (i + 1 >= Arguments.size())
                throw TUsageError{"Die Option " + Quoted(name) + " braucht einen Wert."};
            value = Arguments[++i];
        }
        if (const TApplyResult wrong = row->Apply(options, value.value_or("")))
            throw TUsageError{std::string(name) + " " + *wrong + "."};
        endingNeeded = endingNeeded && !row->WithoutEnding;
    }
    if (endingNeeded && !options.Ending)
        throw TUsageError{"Die ENDUNG fehlt."};
    if (options.Info && options.Ending)
        throw TUsageError{"Mit " + std::string(InfoOption) +
                          " ist keine ENDUNG erlaubt; zu viel: " + Quoted(*options.Ending) + "."};
    if (options.Breakdown && options.Count)
        throw TUsageError{"Die Optionen „--count“ und " + Quoted(BreakdownOption) +
                          " schließen einander aus."};
    if (options.Stdin && options.Breakdown)
        throw TUsageError{"Die Optionen " + Quoted(StdinOption) + " und " + Quoted(BreakdownOption) +
                          " schließen einander aus."};
    if (options.Stdin && options.Ending)
        throw TUsageError{
            "Mit " + std::string(StdinOption) +
            " kommen die Endungen von der Standardeingabe; zu viel: " + Quoted(*options.Ending) + "."};
    if (options.Forms && options.File)
        throw TUsageError{"Die Optionen " + Quoted(FormsOption) + " und " + Quoted(FileOption) +
                          " schließen einander aus."};
    return options;
}

std::string SucheUsageText() {
    std::size_t column = 0;
    for (const TOptionRow& row : Rows)
        column = std::max(column, Spellings(row).size());
    column += 2;

    std::string out =
        "Aufruf: kavrinto-suche [OPTIONEN] ENDUNG\n"
        "       kavrinto-suche [OPTIONEN] --breakdown ENDUNG\n"
        "       kavrinto-suche [OPTIONEN] --stdin\n"
        "       kavrinto-suche --info WORT\n"
        "\n"
        "Listet jeden Eintrag des Wörterbuchs, dessen Wort auf ENDUNG endet, einen je Zeile,\n"
        "in der Reihenfolge des Wörterbuchs. ENDUNG ist Text in UTF-8, meist kyrillisch;\n"
        "Groß- und Kleinschreibung zählen, е und ё sind verschieden (außer mit -i und --yo).\n"
        "Eine leere ENDUNG (\"\") listet alle Einträge. Mit --stdin kommen die Endungen von der\n"
        "Standardeingabe; eine ungültige Zeile wird mit ihrer Nummer gemeldet und übersprungen.\n"
        "\n"
        "Optionen:\n";
    for (const TOptionRow& row : Rows)
        AppendOption(out, Spellings(row), row.Help, column);
    AppendOption(out, "      " + std::string(EndOfOptions),
                 "Ende der Optionen (für eine ENDUNG, die mit - beginnt)", column);
    out += "\n"
           "Exit-Status: 0 mit Treffern, 1 ohne Treffer, 2 bei einem Fehler.\n";
    return out;
}
