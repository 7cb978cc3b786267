// kavrinto-hilfeleser: reads every object of a CHM help file through chmlib and writes them to standard
// output as the stream of HelpStream.h. The help viewer runs it as a process of its own, so that a
// damaged file that crashes or hangs chmlib takes down only this program, never the window.
//
// Exit status: 0 all objects written; 1 wrong call; 2 the file cannot be opened or is no CHM file;
// 3 the file is damaged; 4 the output cannot be written. Messages go to standard error.
#include <chm_lib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/SystemError.h"
#include "platform/HelpStream.h"

namespace {

enum ExitStatus { Read = 0, Usage = 1, CannotOpen = 2, Damaged = 3, CannotWrite = 4 };

struct TReading {
    std::string Damage; // what is wrong with the file; empty while all goes well
    int WriteError = 0; // the error number of a failed write
    std::size_t Objects = 0;
    std::size_t StreamBytes = 0; // written so far
};

bool Write(std::string_view Bytes) {
    return std::fwrite(Bytes.data(), 1, Bytes.size(), stdout) == Bytes.size();
}

// Called by chm_enumerate for each object: reads it whole and writes it out.
int WriteObject(chmFile* File, chmUnitInfo* Unit, void* Context) {
    auto& Reading = *static_cast<TReading*>(Context);
    const std::string_view Path(Unit->path);
    if (Path.empty() || Path[0] != '/' || Path.size() > MaxHelpPathBytes) {
        Reading.Damage = "ein Objekt hat keinen gültigen Namen";
        return CHM_ENUMERATOR_FAILURE;
    }
    const std::string Head = HelpObjectHead(Path, Unit->length);
    if (Unit->length > MaxHelpObjectBytes ||
        Reading.StreamBytes + Head.size() + Unit->length + HelpStreamEnd(Reading.Objects + 1).size() >
            MaxHelpStreamBytes) {
        Reading.Damage = "das Objekt " + std::string(Path) + " ist zu groß";
        return CHM_ENUMERATOR_FAILURE;
    }
    std::string Data(Unit->length, '\0');
    if (Unit->length > 0 &&
        chm_retrieve_object(File, Unit, reinterpret_cast<unsigned char*>(Data.data()), 0,
                            static_cast<LONGINT64>(Unit->length)) != static_cast<LONGINT64>(Unit->length)) {
        Reading.Damage = "das Objekt " + std::string(Path) + " lässt sich nicht lesen";
        return CHM_ENUMERATOR_FAILURE;
    }
    if (!Write(Head) || !Write(Data)) {
        Reading.WriteError = errno;
        return CHM_ENUMERATOR_FAILURE;
    }
    ++Reading.Objects;
    Reading.StreamBytes += Head.size() + Data.size();
    return CHM_ENUMERATOR_CONTINUE;
}

int Fail(int Status, const std::string& Message) {
    std::fprintf(stderr, "kavrinto-hilfeleser: %s\n", Message.c_str());
    return Status;
}

int WriteFailed(int ErrorNumber) {
    return Fail(CannotWrite,
                "Die Ausgabe konnte nicht geschrieben werden: " + SystemErrorText(ErrorNumber) + ".");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return Fail(Usage, "Aufruf: kavrinto-hilfeleser HILFEDATEI");
    const std::string Path = argv[1];
    const std::string Named = "Die Hilfedatei „" + Path + "“ ";

    // Only a regular file: chmlib would wait for ever on a FIFO.
    const int Descriptor = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Descriptor < 0)
        return Fail(CannotOpen, Named + "konnte nicht geöffnet werden: " + SystemErrorText(errno) + ".");
    struct stat Status {};
    const bool Regular = fstat(Descriptor, &Status) == 0 && S_ISREG(Status.st_mode);
    close(Descriptor);
    if (!Regular)
        return Fail(CannotOpen, Named + "ist keine gewöhnliche Datei.");

    chmFile* File = chm_open(Path.c_str());
    if (File == nullptr)
        return Fail(CannotOpen, Named + "ist keine CHM-Datei.");
    TReading Reading;
    const std::string Start = HelpStreamStart();
    if (!Write(Start)) {
        const int ErrorNumber = errno;
        chm_close(File);
        return WriteFailed(ErrorNumber);
    }
    Reading.StreamBytes = Start.size();
    const bool Enumerated =
        chm_enumerate(File, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES, WriteObject,
                      &Reading) != 0;
    chm_close(File);
    if (Reading.WriteError != 0)
        return WriteFailed(Reading.WriteError);
    if (!Enumerated)
        return Fail(Damaged,
                    Named + "ist beschädigt: " +
                        (Reading.Damage.empty() ? "ihr Verzeichnis lässt sich nicht lesen" : Reading.Damage) +
                        ".");
    if (!Write(HelpStreamEnd(Reading.Objects)) || std::fflush(stdout) != 0)
        return WriteFailed(errno);
    return Read;
}
