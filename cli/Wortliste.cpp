// kavrinto-wortliste: makes the enciphered data file VokKavrinto.dat from a UTF-8 word list.
#include "dictionary/WordListBuilder.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ExitError = 2;

const char* const HelpText =
    "Aufruf: kavrinto-wortliste [--hunspell] EINGABE AUSGABE\n"
    "\n"
    "Macht aus einer Wortliste die verschlüsselte Wörterbuchdatei (VokKavrinto.dat).\n"
    "\n"
    "EINGABE ist eine Textdatei in UTF-8 mit einem Eintrag je Zeile (Zeilenende LF oder CR LF).\n"
    "Leere Zeilen werden übersprungen, doppelte Einträge entfernt. Die Einträge werden nach dem\n"
    "rückwärts gelesenen Wort geordnet.\n"
    "\n"
    "Optionen:\n"
    "  --hunspell  EINGABE ist ein Hunspell-Wörterbuch (.dic): Die Wortzahl in der ersten Zeile\n"
    "              wird übersprungen, die Kennungen ab \"/\" nach jedem Wort werden abgeschnitten.\n"
    "  --help      zeigt diese Hilfe.\n"
    "\n"
    "Bei einem Fehler meldet das Programm ihn mit der Zeilennummer, legt keine Ausgabedatei an\n"
    "und endet mit dem Status 2.\n";

int Fail(const std::string& message) {
    std::cerr << "kavrinto-wortliste: " << message << "\n";
    return ExitError;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, n);
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes a temporary file beside the output and renames it, so that the output is either complete or
// not touched.
bool WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    TListFormat format = TListFormat::Plain;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << HelpText;
            return 0;
        }
        if (argument == "--hunspell")
            format = TListFormat::Hunspell;
        else if (argument.size() > 1 && argument[0] == '-')
            return Fail("Unbekannte Option " + argument + ". Hilfe: kavrinto-wortliste --help");
        else
            files.push_back(argument);
    }
    if (files.size() != 2)
        return Fail("Erwartet werden EINGABE und AUSGABE. Hilfe: kavrinto-wortliste --help");
    const std::string& input = files[0];
    const std::string& output = files[1];

    std::string text;
    if (!ReadWholeFile(input, text))
        return Fail("Die Eingabedatei " + input + " konnte nicht gelesen werden.");
    const TDataFile dataFile = BuildDataFile(text, format);
    if (!dataFile.Error.empty())
        return Fail(input + ": " + dataFile.Error);
    if (!WriteOutput(output, dataFile.Bytes))
        return Fail("Die Ausgabedatei " + output + " konnte nicht geschrieben werden.");
    std::cout << output << ": " << dataFile.EntryCount << " Einträge, " << dataFile.Bytes.size()
              << " Byte.\n";
    return 0;
}
