// The tables of KavrintoLexikon.sqlite, shared by the program that makes it and the reader.
#pragma once

#include <cstdint>

inline constexpr const char* LexiconFileName = "KavrintoLexikon.sqlite";

// PRAGMA application_id ("KAVL") and user_version: the reader takes no other file for its own.
inline constexpr int32_t LexiconApplicationId = 0x4B41564C;
inline constexpr int32_t LexiconSchemaVersion = 1;

// The rows of the table source.
enum TLexiconSourceId : int64_t { LemmaSourceId = 1, GlossSourceId = 2, StressSourceId = 3 };

// Each fact names its source; the primary keys start with the word, so every lookup is one index search.
// A form points to its lemmas by number: 1.3 million forms would otherwise hold their lemma's text too.
// stress.vowel counts the word's vowels from its start, 1 = first.
inline constexpr const char* LexiconSchema = R"sql(
CREATE TABLE source (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  version TEXT NOT NULL,
  licence TEXT NOT NULL
);
CREATE TABLE lemma (
  id INTEGER PRIMARY KEY,
  word TEXT NOT NULL UNIQUE,
  source INTEGER NOT NULL REFERENCES source(id)
);
CREATE TABLE form (
  word TEXT NOT NULL,
  lemma INTEGER NOT NULL REFERENCES lemma(id),
  PRIMARY KEY (word, lemma)
) WITHOUT ROWID;
CREATE VIEW form_lemma (form, lemma) AS
  SELECT form.word, lemma.word FROM form JOIN lemma ON lemma.id = form.lemma;
CREATE TABLE stress (
  word TEXT NOT NULL,
  vowel INTEGER NOT NULL CHECK (vowel > 0),
  source INTEGER NOT NULL REFERENCES source(id),
  PRIMARY KEY (word, vowel)
) WITHOUT ROWID;
CREATE TABLE word_class (
  word TEXT NOT NULL,
  class TEXT NOT NULL,
  source INTEGER NOT NULL REFERENCES source(id),
  PRIMARY KEY (word, class)
) WITHOUT ROWID;
CREATE TABLE gloss (
  word TEXT NOT NULL,
  german TEXT NOT NULL,
  source INTEGER NOT NULL REFERENCES source(id),
  PRIMARY KEY (word, german)
) WITHOUT ROWID;
)sql";
