// The lexicon's facts about a word as text: the tool tip on a hit, the lines of "Wortinfo…" and of
// kavrinto-suche --info.
#pragma once

#include "lexicon/Lexicon.h"

#include <string>

inline constexpr const char* NothingKnownText = "Keine Angaben im Lexikon.";

// One line: "кровью → кровь · Substantiv · Betonung: кро́вью · Deutsch: Blut". The stress is the word's,
// or its lemma's where the word's is unknown; "Keine Angaben im Lexikon." when nothing is known.
std::string ToolTipText(const TWordFacts& Facts);

// "Wort: …", one "Grundform: …" per lemma, "Betonung: …", "Wortart: …", "Deutsch: …" (glosses joined
// by "; "), one "Quelle: …" per source; a line whose fact is unknown is left out. Each line ends in '\n'.
std::string InfoLines(const TWordFacts& Facts);

// The columns of a saved table of hits: stress, word class, German (as in InfoLines), tab-separated;
// an unknown one stays empty. TableHeader names them, with the entry first.
inline constexpr const char* TableHeader = "Eintrag\tBetonung\tWortart\tDeutsch";
std::string TableColumns(const TWordFacts& Facts);

// The lines, and "Keine Angaben im Lexikon." below the word when there is nothing else to say.
std::string WordInfoText(const TWordFacts& Facts);
