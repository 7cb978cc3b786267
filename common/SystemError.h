// Why a file could not be opened, read or written, in German: our own words for the system's error
// numbers, so that no message depends on the system's locale or falls back to English.
#pragma once

#include <string>

// "keine Berechtigung", "Datenträger voll", "ist ein Ordner", …; an error number without a row of its
// own gives "Systemfehler N".
std::string SystemErrorText(int ErrorNumber);
