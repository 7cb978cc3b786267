// German causes of the system's error numbers.
#include "common/SystemError.h"

#include <cerrno>

namespace {

struct TCause {
    int Number;
    const char* Text;
};

// clang-format off
constexpr TCause Causes[] = {
    {EACCES,       "keine Berechtigung"},
    {EPERM,        "keine Berechtigung"},
    {ENOENT,       "nicht vorhanden"},
    {ENOTDIR,      "ein Teil des Pfades ist kein Ordner"},
    {EISDIR,       "ist ein Ordner"},
    {ENAMETOOLONG, "Name zu lang"},
    {ELOOP,        "zu viele Verweise"},
    {ENOSPC,       "Datenträger voll"},
    {EDQUOT,       "Speicherkontingent erschöpft"},
    {EFBIG,        "Datei zu groß"},
    {EROFS,        "Datenträger schreibgeschützt"},
    {EIO,          "Ein-/Ausgabefehler"},
    {EBADF,        "nicht geöffnet oder geschlossen"},
    {EPIPE,        "der Empfänger liest nicht mehr"},
    {ENOMEM,       "zu wenig Arbeitsspeicher"},
    {EMFILE,       "zu viele offene Dateien"},
    {ENFILE,       "zu viele offene Dateien"},
    {EBUSY,        "ist belegt"},
    {ETXTBSY,      "ist belegt"},
    {EEXIST,       "ist schon vorhanden"},
    {EXDEV,        "liegt auf einem anderen Dateisystem"},
    {ENXIO,        "kein solches Gerät"},
    {ENODEV,       "kein solches Gerät"},
    {EAGAIN,       "vorübergehend nicht verfügbar"},
    {EINTR,        "unterbrochen"},
    {EINVAL,       "ungültiger Aufruf"},
    {EOVERFLOW,    "Datei zu groß"},
};
// clang-format on

} // namespace

std::string SystemErrorText(int ErrorNumber) {
    for (const TCause& cause : Causes)
        if (cause.Number == ErrorNumber)
            return cause.Text;
    return "Systemfehler " + std::to_string(ErrorNumber);
}
