// The lexicon's facts as text.
#include "lexicon/WordInfo.h"

#include <algorithm>

namespace {

constexpr std::string_view Separator = " · ";

std::string Joined(const std::vector<std::string>& items, std::string_view between) {
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty())
            out += between;
        out += item;
    }
    return out;
}

// Several tags can share one German name (the kinds of pronoun).
std::vector<std::string> ClassNamesOf(const TWordFacts& facts) {
    std::vector<std::string> names;
    for (const std::string& tag : facts.Classes) {
        std::string name = WordClassName(tag);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

// The lemmas other than the word itself.
std::vector<std::string> OtherLemmas(const TWordFacts& facts) {
    std::vector<std::string> lemmas;
    for (const std::string& lemma : facts.Lemmas)
        if (lemma != facts.Word)
            lemmas.push_back(lemma);
    return lemmas;
}

} // namespace

std::string ToolTipText(const TWordFacts& Facts) {
    const std::vector<std::string> lemmas = OtherLemmas(Facts);
    std::string text = Facts.Word;
    if (!lemmas.empty())
        text += " → " + Joined(lemmas, ", ");
    if (!Facts.HasDetails())
        return lemmas.empty() ? std::string(NothingKnownText)
                              : text + std::string(Separator) + NothingKnownText;
    if (const std::vector<std::string> classes = ClassNamesOf(Facts); !classes.empty())
        text += std::string(Separator) + Joined(classes, ", ");
    const std::vector<std::string>& stressed = Facts.Stressed.empty() ? Facts.LemmaStressed : Facts.Stressed;
    if (!stressed.empty())
        text += std::string(Separator) + "Betonung: " + Joined(stressed, ", ");
    if (!Facts.Glosses.empty())
        text += std::string(Separator) + "Deutsch: " + Joined(Facts.Glosses, "; ");
    return text;
}

std::string InfoLines(const TWordFacts& Facts) {
    std::string text = "Wort: " + Facts.Word + "\n";
    for (const std::string& lemma : Facts.Lemmas)
        text += "Grundform: " + lemma + "\n";
    if (!Facts.Stressed.empty())
        text += "Betonung: " + Joined(Facts.Stressed, ", ") + "\n";
    if (const std::vector<std::string> classes = ClassNamesOf(Facts); !classes.empty())
        text += "Wortart: " + Joined(classes, ", ") + "\n";
    if (!Facts.Glosses.empty())
        text += "Deutsch: " + Joined(Facts.Glosses, "; ") + "\n";
    for (const std::string& source : Facts.Sources)
        text += "Quelle: " + source + "\n";
    return text;
}

std::string TableColumns(const TWordFacts& Facts) {
    return Joined(Facts.Stressed, ", ") + "\t" + Joined(ClassNamesOf(Facts), ", ") + "\t" +
           Joined(Facts.Glosses, "; ");
}

std::string WordInfoText(const TWordFacts& Facts) {
    std::string text = InfoLines(Facts);
    if (!Facts.HasDetails())
        text += std::string(NothingKnownText) + "\n";
    return text;
}
