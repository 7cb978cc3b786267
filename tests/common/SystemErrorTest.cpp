// Tests of the German causes of system errors.
#include "common/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(system_error_test, names_the_cause_in_german_whatever_the_locale) {
    struct TCase {
        int Number;
        const char* Text;
    };
    const TCase cases[] = {
        {EACCES, "keine Berechtigung"},  {ENOSPC, "Datenträger voll"},
        {EISDIR, "ist ein Ordner"},      {ENAMETOOLONG, "Name zu lang"},
        {ELOOP, "zu viele Verweise"},    {EIO, "Ein-/Ausgabefehler"},
        {ENOENT, "nicht vorhanden"},     {EPIPE, "der Empfänger liest nicht mehr"},
        {123456, "Systemfehler 123456"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SystemErrorText(c.Number), c.Text) << c.Number;
}

} // namespace
