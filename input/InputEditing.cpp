// The input field's body: cut out of the field's rich text, cleaned of control words, a letter inserted.
#include "input/InputEditing.h"

#include <cstddef>

namespace {

// 199 letter escapes of four bytes each.
constexpr std::size_t MaxBodyBytes = 798;

} // namespace

std::string CutInputBody(std::string_view rtf) {
    constexpr std::string_view Start = "\\fs20";
    constexpr std::string_view End = "\\par }";
    const std::size_t start = rtf.find(Start);
    const std::size_t end = rtf.find(End);
    if (start == std::string_view::npos || end == std::string_view::npos || end < start + Start.size())
        return {};
    return std::string(rtf.substr(start + Start.size(), end - start - Start.size()));
}

std::string StripRtfControls(std::string_view body) {
    body = body.substr(0, MaxBodyBytes);

    // The blank at position 0 is the delimiter after "\fs20".
    std::string text;
    text.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if ((i == 0 && c == ' ') || c == '\r' || c == '\n')
            continue;
        text += c;
    }

    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\\' || (i + 1 < text.size() && text[i + 1] == '\'')) {
            out += text[i++];
            continue;
        }
        // A control word: the backslash, at least the character after it, then up to and including a
        // blank, or up to the next backslash.
        ++i;
        if (i < text.size() && text[i++] == ' ')
            continue;
        while (i < text.size() && text[i] != '\\')
            if (text[i++] == ' ')
                break;
    }
    return out;
}

std::string InsertLetter(std::string_view body, std::string_view letter, int32_t caretPos) {
    // Compared before subtracting, so that no caret position overflows.
    if (caretPos <= 1)
        return std::string(letter) + std::string(body);
    const int32_t n = caretPos - 1;

    // End position (1-based) of the n-th counted character: a plain byte, or a "\'hh" escape as one.
    // A control word counts as no character. The scan stops there, so any body and caret are safe.
    const auto size = static_cast<int32_t>(body.size());
    int32_t count = 0;
    int32_t e = -1;
    int32_t p = 1;
    while (p <= size && count < n) {
        if (body[p - 1] != '\\') {
            e = p;
            ++count;
            ++p;
        } else if (p < size && body[p] == '\'') {
            e = p + 3;
            ++count;
            p += 4;
        } else {
            ++p;
            while (p <= size && body[p - 1] != ' ' && body[p - 1] != '\\')
                ++p;
            if (p <= size && body[p - 1] == ' ')
                ++p;
        }
    }

    if (count < n)
        return std::string(letter);
    // An escape cut short at the end of the body ends past it.
    const auto cut = static_cast<std::size_t>(e < size ? e : size);
    std::string out(body.substr(0, cut));
    out += letter;
    out += body.substr(cut);
    return out;
}
