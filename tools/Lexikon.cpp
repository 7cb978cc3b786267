// kavrinto_lexikon: makes the lexicon database KavrintoLexikon.sqlite at build time from the forms list
// and its lemma link, FreeDict's German-Russian dictionary and festvox-ru's lexicon.
#include "common/SystemError.h"
#include "lexicon/FestivalLexicon.h"
#include "lexicon/Freedict.h"
#include "lexicon/LexiconBuild.h"
#include "tools/ReadWholeFile.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <map>
#include <new>
#include <string>
#include <string_view>

namespace {

constexpr const char* Usage =
    "Aufruf: kavrinto_lexikon --formen DATEI --grundformen DATEI --lemmata DATEI --index DATEI\n"
    "         --dict DATEI --festival DATEI --hunspell-version V --freedict-version V\n"
    "         --festvox-version V AUSGABE\n"
    "  --formen, --grundformen, --lemmata  die Formenliste, die Grundformenliste und ihre Verknüpfung\n"
    "  --index     der dictd-Index von FreeDict Deutsch-Russisch\n"
    "  --dict      dessen entpackte .dict-Datei\n"
    "  --festival  msu_ru_nsh_dict.scm aus festvox-ru\n";

int Fail(const std::string& message) {
    std::cerr << "kavrinto_lexikon: " << message << "\n";
    return 2;
}

int Run(int argc, char** argv) {
    std::map<std::string, std::string> options;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--") && i + 1 < argc)
            options[std::string(arg.substr(2))] = argv[++i];
        else if (output.empty() && !arg.starts_with("--"))
            output = arg;
        else
            return Fail(std::string("unerwartetes Argument „") + argv[i] + "“.\n" + Usage);
    }
    for (const char* name : {"formen", "grundformen", "lemmata", "index", "dict", "festival",
                             "hunspell-version", "freedict-version", "festvox-version"})
        if (!options.contains(name))
            return Fail(std::string("--") + name + " fehlt.\n" + Usage);
    if (output.empty())
        return Fail(std::string("AUSGABE fehlt.\n") + Usage);

    std::map<std::string, std::string> texts;
    for (const char* name : {"index", "dict", "festival"}) {
        const std::string& path = options[name];
        errno = 0;
        if (!ReadWholeFile(path, texts[name]))
            return Fail(path + " ist nicht lesbar: " + SystemErrorText(errno != 0 ? errno : EIO) + ".");
    }

    TLexiconSources sources;
    sources.LemmaSource = {"hunspell-ru (Formen von unmunch)", options["hunspell-version"], "BSD-artig"};
    sources.GlossSource = {"FreeDict Deutsch-Russisch", options["freedict-version"], "CC-BY-SA 3.0"};
    sources.StressSource = {"festvox-ru (msu_ru_nsh_dict.scm)", options["festvox-version"],
                            "BSD-artig, bearbeitet"};

    TFormLemmas formLemmas = FormLemmasOfLink(options["formen"], options["grundformen"], options["lemmata"]);
    if (!formLemmas.Error.empty())
        return Fail(formLemmas.Error);
    sources.FormLemmas = std::move(formLemmas.Rows);

    const TDictdIndex index = ParseDictdIndex(texts["index"]);
    if (!index.Error.empty())
        return Fail(options["index"] + ": " + index.Error);
    TFreedictGlosses glosses = InvertFreedict(index, texts["dict"]);
    if (!glosses.Error.empty())
        return Fail(options["dict"] + ": " + glosses.Error);
    sources.Glosses = std::move(glosses.Glosses);

    TFestivalLexicon festival = ParseFestivalLexicon(texts["festival"]);
    if (!festival.Error.empty())
        return Fail(options["festival"] + ": " + festival.Error);
    if (festival.StressesBeyondWord > 0)
        std::cout << "kavrinto_lexikon: " << festival.StressesBeyondWord
                  << " Einträge von festvox-ru betonen einen Vokal, den ihr Wort nicht hat; sie bleiben ohne "
                     "Betonung.\n";
    sources.Festival = std::move(festival.Entries);

    texts.clear();
    const std::string error = BuildLexiconDatabase(sources, output);
    if (!error.empty())
        return Fail(error);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("Der Arbeitsspeicher reicht nicht aus.");
    }
}
