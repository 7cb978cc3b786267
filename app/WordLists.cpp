// The window's two word lists.
#include "app/WordLists.h"

#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#include "lexicon/LemmaLink.h"

const char* ListFileName(TListKind Kind) {
    return Kind == TListKind::Forms ? FormsFileName : DataFileName;
}

const char* ListName(TListKind Kind) {
    return Kind == TListKind::Forms ? "Wortformen" : "Grundformen";
}

std::string ReplaceWordList(TWordList& List, TListKind Kind) {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    // A second list, so that a file that cannot be loaded leaves the first one whole; the loader would
    // empty a list it failed to fill.
    TWordList Loaded;
    const std::string path = (directory / ListFileName(Kind)).string();
    try {
        Loaded.LoadWordList(path);
    } catch (const std::bad_alloc&) {
        // Not even the loader's empty list fitted. Said here, the failure never unwinds through Qt.
        return "Die Wörterbuchdatei " + path + " ist zu groß für den freien Arbeitsspeicher.";
    }
    if (!Loaded.LoadError.empty())
        return Loaded.LoadError;
    List = std::move(Loaded);
    return {};
}
