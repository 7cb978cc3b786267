-- Coverage of the lexicon database: lemmas and forms with a gloss, a stress, a class.
-- Run in build/bin: sqlite3 KavrintoLexikon.sqlite < ../../bench/lexicon-coverage.sql
SELECT 'lemmas', count(*) FROM lemma;
SELECT 'lemmas with gloss', count(*) FROM lemma WHERE EXISTS (SELECT 1 FROM gloss g WHERE g.word = lemma.word);
SELECT 'lemmas with stress', count(*) FROM lemma WHERE EXISTS (SELECT 1 FROM stress s WHERE s.word = lemma.word);
SELECT 'lemmas with class', count(*) FROM lemma WHERE EXISTS (SELECT 1 FROM word_class c WHERE c.word = lemma.word);
SELECT 'forms', count(DISTINCT word) FROM form;
SELECT 'forms with gloss (own or lemma)', count(*) FROM (SELECT DISTINCT f.word FROM form f JOIN lemma l ON l.id = f.lemma
  WHERE EXISTS (SELECT 1 FROM gloss g WHERE g.word = f.word OR g.word = l.word));
SELECT 'forms with own stress', count(*) FROM (SELECT DISTINCT word FROM form) f WHERE EXISTS (SELECT 1 FROM stress s WHERE s.word = f.word);
SELECT 'forms with class (own or lemma)', count(*) FROM (SELECT DISTINCT f.word FROM form f JOIN lemma l ON l.id = f.lemma
  WHERE EXISTS (SELECT 1 FROM word_class c WHERE c.word = f.word OR c.word = l.word));
