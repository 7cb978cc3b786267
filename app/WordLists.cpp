// The window's two word lists.
#include "app/WordLists.h"

#include <filesystem>
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
    Loaded.LoadWordList((directory / ListFileName(Kind)).string());
    if (!Loaded.LoadError.empty())
        return Loaded.LoadError;
    List = std::move(Loaded);
    return {};
}
