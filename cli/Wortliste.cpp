// kavrinto-wortliste: makes the enciphered data file VokKavrinto.dat from a UTF-8 word list.
#include "common/FileHandle.h"
#include "common/SystemError.h"
#include "dictionary/WordListBuilder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ExitError = 2;

constexpr std::string_view HelpText =
    "Aufruf: kavrinto-wortliste [--hunspell] EINGABE AUSGABE\n"
    "\n"
    "Macht aus einer Wortliste die verschlüsselte Wörterbuchdatei (VokKavrinto.dat).\n"
    "\n"
    "EINGABE ist eine Textdatei in UTF-8 mit einem Eintrag je Zeile (Zeilenende LF oder CR LF).\n"
    "Leere Zeilen (auch solche nur aus Leerzeichen und Tabulatoren) werden übersprungen und gezählt,\n"
    "doppelte Einträge entfernt. Ein Eintrag hat höchstens 1000 Zeichen; Steuerzeichen außer dem\n"
    "Tabulator sind nicht erlaubt. Die Einträge werden nach dem rückwärts gelesenen Wort geordnet.\n"
    "\n"
    "AUSGABE ist eine gewöhnliche Datei, die ersetzt wird und ihre Zugriffsrechte behält, oder\n"
    "entsteht neu. Ein symbolischer Verweis bleibt, sein Ziel wird geschrieben.\n"
    "\n"
    "Optionen:\n"
    "  --hunspell  EINGABE ist ein Hunspell-Wörterbuch (.dic): Die Wortzahl in der ersten Zeile\n"
    "              wird übersprungen, die Kennungen ab \"/\" nach jedem Wort werden abgeschnitten.\n"
    "  --help, -h  zeigt diese Hilfe.\n"
    "\n"
    "Bei einem Fehler oder Abbruch meldet das Programm den Grund (bei der Eingabe mit der\n"
    "Zeilennummer), lässt AUSGABE, wie sie war, und endet mit dem Status 2.\n";

// A wrong call; the message is followed by the way to the help.
struct TUsageError {
    std::string Message;
};

// Anything else that stops the program, in German.
struct TError {
    std::string Message;
};

// Beyond the limit that ulimit -f sets, writing fails with EFBIG.
std::string Cause(int errorNumber) {
    if (errorNumber == EFBIG)
        return "Datei zu groß für die erlaubte Dateigröße (ulimit -f)";
    return SystemErrorText(errorNumber);
}

// What the signal handler removes: the temporary file, while it has a name in the output's folder.
volatile std::sig_atomic_t TemporaryNamed = 0;
int TemporaryFolder = -1;
char TemporaryName[64];

const char* SignalText(int number) {
    switch (number) {
    case SIGINT:
        return "kavrinto-wortliste: Abgebrochen (Unterbrechung, SIGINT); die Ausgabedatei bleibt, wie sie "
               "war.\n";
    case SIGTERM:
        return "kavrinto-wortliste: Abgebrochen (Aufforderung zum Beenden, SIGTERM); die Ausgabedatei "
               "bleibt, wie sie war.\n";
    default:
        return "kavrinto-wortliste: Abgebrochen (Terminal geschlossen, SIGHUP); die Ausgabedatei bleibt, "
               "wie sie war.\n";
    }
}

extern "C" void OnSignal(int number) {
    if (TemporaryNamed != 0)
        ::unlinkat(TemporaryFolder, TemporaryName, 0);
    const char* text = SignalText(number);
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text, std::strlen(text));
    ::_exit(ExitError);
}

constexpr int HandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigfillset(&action.sa_mask);
    for (const int number : HandledSignals) {
        struct sigaction previous {};
        // A signal ignored by the caller (nohup, a background job) stays ignored.
        if (::sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
    // Writing then fails with EFBIG or EPIPE, and the program says so.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

void BlockSignals(sigset_t* previous) {
    sigset_t set;
    sigemptyset(&set);
    for (const int number : HandledSignals)
        sigaddset(&set, number);
    ::sigprocmask(SIG_BLOCK, &set, previous);
}

// A closed standard stream would hand its number to the next file opened: the data file could end up
// on standard output. /dev/null holds the place; a closed standard output is still reported.
bool StandardOutputClosed = false;

void KeepStandardStreamsOpen() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        if (fd == STDOUT_FILENO)
            StandardOutputClosed = true;
        if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
            std::_Exit(ExitError);
    }
}

void WriteStandardOutput(std::string_view text) {
    int cause = EBADF;
    if (!StandardOutputClosed) {
        errno = 0;
        if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
            return;
        cause = errno != 0 ? errno : EIO;
    }
    throw TError{"Die Standardausgabe konnte nicht geschrieben werden: " + Cause(cause) + "."};
}

struct TArguments {
    bool Help = false;
    TListFormat Format = TListFormat::Plain;
    std::string Input;
    std::string Output;
};

std::string Quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

TArguments ParseArguments(int argc, char** argv) {
    TArguments arguments;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            arguments.Help = true;
        else if (argument == "--hunspell")
            arguments.Format = TListFormat::Hunspell;
        else if (argument.size() > 1 && argument[0] == '-')
            throw TUsageError{"Unbekannte Option " + Quoted(argument) + "."};
        else
            files.emplace_back(argument);
    }
    if (arguments.Help)
        return arguments;
    if (files.size() != 2)
        throw TUsageError{"Erwartet werden EINGABE und AUSGABE."};
    arguments.Input = files[0];
    arguments.Output = files[1];
    if (arguments.Input.empty())
        throw TUsageError{"Der Name der Eingabedatei ist leer."};
    if (arguments.Output.empty())
        throw TUsageError{"Der Name der Ausgabedatei ist leer."};
    return arguments;
}

TError ReadError(const std::string& path, int errorNumber) {
    return TError{"Die Eingabedatei " + path + " konnte nicht gelesen werden: " + Cause(errorNumber) + "."};
}

// Reads the list as it comes, so that a fault, or a list too large for a data file, ends the reading.
TWordListEntries ReadInput(int fd, const std::string& path, TListFormat format) {
    TWordListReader reader(format);
    std::vector<char> buffer(size_t{1} << 20);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ReadError(path, errno);
        if (n == 0 || !reader.Read(std::string_view(buffer.data(), static_cast<size_t>(n))))
            break;
    }
    TWordListEntries entries = reader.Finish();
    if (!entries.Error.empty())
        throw TError{path + ": " + entries.Error};
    return entries;
}

// Where the data file goes: a name in a folder, and the regular file it replaces, if any.
struct TOutput {
    std::string Shown; // for messages
    std::string Folder;
    std::string Name;
    bool Exists = false;
    struct stat Existing {};
};

TError WriteError(const TOutput& output, int errorNumber) {
    return TError{"Die Ausgabedatei " + output.Shown +
                  " konnte nicht geschrieben werden: " + Cause(errorNumber) + "."};
}

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "ein Ordner";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ein Gerät";
    if (S_ISFIFO(mode))
        return "eine benannte Pipe (FIFO)";
    if (S_ISSOCK(mode))
        return "ein Socket";
    return "etwas anderes";
}

// Decides where the data file goes before anything is read or written. Only a regular file is replaced;
// a symbolic link stays and its target is written.
TOutput CheckOutput(const std::string& path, const struct stat& input) {
    TOutput output;
    output.Shown = path;
    std::string target = path;
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            const std::string cause = Cause(errno);
            throw TError{"Die Ausgabe " + path +
                         " ist ein symbolischer Verweis, dessen Ziel sich nicht finden lässt (" + cause +
                         "); er bleibt, wie er ist."};
        }
        target = resolved;
        std::free(resolved);
        output.Shown = path + " (Verweis auf " + target + ")";
    }
    if (::lstat(target.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode))
            throw TError{"Die Ausgabe " + output.Shown + " ist " + KindOf(status.st_mode) +
                         ", keine gewöhnliche Datei; sie bleibt, wie sie ist."};
        if (status.st_dev == input.st_dev && status.st_ino == input.st_ino)
            throw TError{"Die Ausgabedatei " + output.Shown +
                         " ist die Eingabedatei; sie würde überschrieben, bevor sie gelesen ist."};
        output.Exists = true;
        output.Existing = status;
    } else if (errno != ENOENT) {
        throw WriteError(output, errno);
    }

    const size_t slash = target.find_last_of('/');
    output.Folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    output.Name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (output.Name.empty() || output.Name == "." || output.Name == "..")
        throw TError{"Die Ausgabe " + output.Shown + " nennt einen Ordner, keine Datei."};
    return output;
}

// The data file while it is written: without a name (O_TMPFILE) where the file system allows, else under
// a short name of its own beside the output; either way independent of the output name's length. Until
// Commit, the output stays as it was; a temporary name is removed on every way out, a signal's included.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const TOutput& output)
        : Output(output), Folder(OpenFolder(output)), File(Create()) {}

    ~TTemporaryFile() { RemoveName(); }

    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    void Write(const std::vector<uint8_t>& bytes) {
        // The replaced file's permission bits, and as root its owner where the file system keeps one.
        if (Output.Exists) {
            if (::fchmod(File.Get(), Output.Existing.st_mode & 0777) != 0)
                throw WriteError(Output, errno);
            if (::geteuid() == 0 &&
                ::fchown(File.Get(), Output.Existing.st_uid, Output.Existing.st_gid) != 0 && errno != EPERM)
                throw WriteError(Output, errno);
        }
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(File.Get(), bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw WriteError(Output, errno);
            done += static_cast<size_t>(n);
        }
        if (::fsync(File.Get()) != 0)
            throw WriteError(Output, errno);
    }

    // Puts the written file in the output's place. From here on the signals wait until the program ends:
    // the output is then either as it was or complete.
    void Commit() {
        BlockSignals(nullptr);
        if (TemporaryNamed == 0 && !Output.Exists) {
            if (::linkat(AT_FDCWD, ProcPath().c_str(), Folder.Get(), Output.Name.c_str(),
                         AT_SYMLINK_FOLLOW) != 0)
                throw WriteError(Output, errno);
            return;
        }
        // rename replaces the old file in one step; link would refuse it.
        if (TemporaryNamed == 0 && !LinkNamed())
            throw WriteError(Output, errno);
        if (::renameat(Folder.Get(), TemporaryName, Folder.Get(), Output.Name.c_str()) != 0)
            throw WriteError(Output, errno);
        TemporaryNamed = 0;
    }

private:
    static constexpr int Attempts = 100;

    static int OpenFolder(const TOutput& output) {
        const int fd = ::open(output.Folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            const std::string cause = Cause(errno);
            throw TError{"Die Ausgabedatei " + output.Shown +
                         " konnte nicht geschrieben werden: Der Ordner " + output.Folder +
                         " lässt sich nicht öffnen (" + cause + ")."};
        }
        return fd;
    }

    int Create() {
        const int fd = ::openat(Folder.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw WriteError(Output, errno);
        // The name and the flag are set together, before a signal can look at them.
        sigset_t previous;
        BlockSignals(&previous);
        const int named = CreateNamed();
        const int cause = errno;
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        if (named < 0)
            throw WriteError(Output, cause);
        return named;
    }

    void SetName(int attempt) {
        std::snprintf(TemporaryName, sizeof TemporaryName, ".kavrinto-%ld-%d.tmp",
                      static_cast<long>(::getpid()), attempt);
    }

    int CreateNamed() {
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            SetName(attempt);
            const int fd =
                ::openat(Folder.Get(), TemporaryName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                TemporaryFolder = Folder.Get();
                TemporaryNamed = 1;
                return fd;
            }
            if (errno != EEXIST)
                return -1;
        }
        return -1;
    }

    std::string ProcPath() const { return "/proc/self/fd/" + std::to_string(File.Get()); }

    bool LinkNamed() {
        const std::string proc = ProcPath();
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            SetName(attempt);
            if (::linkat(AT_FDCWD, proc.c_str(), Folder.Get(), TemporaryName, AT_SYMLINK_FOLLOW) == 0) {
                TemporaryFolder = Folder.Get();
                TemporaryNamed = 1;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    void RemoveName() {
        if (TemporaryNamed == 0)
            return;
        ::unlinkat(Folder.Get(), TemporaryName, 0);
        TemporaryNamed = 0;
    }

    const TOutput& Output;
    TFileHandle Folder;
    TFileHandle File;
};

int Run(int argc, char** argv) {
    const TArguments arguments = ParseArguments(argc, argv);
    if (arguments.Help) {
        WriteStandardOutput(HelpText);
        return 0;
    }

    const TFileHandle input(::open(arguments.Input.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat inputStatus {};
    if (input.Get() < 0 || ::fstat(input.Get(), &inputStatus) != 0)
        throw ReadError(arguments.Input, errno);
    const TOutput output = CheckOutput(arguments.Output, inputStatus);

    TWordListEntries entries = ReadInput(input.Get(), arguments.Input, arguments.Format);
    const int64_t blankLines = entries.BlankLines;
    const TDataFile dataFile = MakeDataFile(std::move(entries.Lines));
    if (!dataFile.Error.empty())
        throw TError{arguments.Input + ": " + dataFile.Error};

    TTemporaryFile temporary(output);
    temporary.Write(dataFile.Bytes);
    temporary.Commit();

    std::string summary = arguments.Output + ": " + std::to_string(dataFile.EntryCount) +
                          (dataFile.EntryCount == 1 ? " Eintrag, " : " Einträge, ") +
                          std::to_string(dataFile.Bytes.size()) + " Byte";
    if (blankLines > 0)
        summary += ", " + std::to_string(blankLines) +
                   (blankLines == 1 ? " leere Zeile übersprungen" : " leere Zeilen übersprungen");
    WriteStandardOutput(summary + ".\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    KeepStandardStreamsOpen();
    InstallSignalHandlers();
    try {
        return Run(argc, argv);
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "kavrinto-wortliste: %s\nHilfe: kavrinto-wortliste --help\n", e.Message.c_str());
    } catch (const TError& e) {
        std::fprintf(stderr, "kavrinto-wortliste: %s\n", e.Message.c_str());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kavrinto-wortliste: Der Arbeitsspeicher reicht für diese Wortliste nicht aus; "
                             "die Ausgabedatei bleibt, wie sie war.\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr,
                     "kavrinto-wortliste: Unerwarteter Fehler (%s); die Ausgabedatei bleibt, wie sie war.\n",
                     e.what());
    }
    return ExitError;
}
