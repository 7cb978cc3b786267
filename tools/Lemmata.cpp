// kavrinto_lemmata: makes the lemma link from unmunch's grouped expansion and the two built data files.
#include "common/SystemError.h"
#include "dictionary/WordList.h"
#include "lexicon/FormGroups.h"
#include "tools/ReadWholeFile.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Fail(const std::string& message) {
    std::cerr << "kavrinto_lemmata: " << message << "\n";
    return 2;
}

// A temporary file beside the output, renamed over it when complete; the error text or empty.
std::string WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return SystemErrorText(errno);
    int error = 0;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0)
        error = errno;
    for (size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n > 0)
            done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(temporary.c_str());
        return SystemErrorText(error);
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return Fail("Aufruf: kavrinto_lemmata GRUPPEN FORMENLISTE GRUNDFORMLISTE AUSGABE");
    const std::string groupsPath = argv[1];
    std::string groups;
    if (!ReadWholeFile(groupsPath, groups))
        return Fail("Die Datei " + groupsPath + " konnte nicht gelesen werden.");
    TWordList forms;
    TWordList lemmas;
    forms.LoadWordList(argv[2]);
    lemmas.LoadWordList(argv[3]);
    for (const TWordList* list : {&forms, &lemmas})
        if (!list->LoadError.empty())
            return Fail(list->LoadError);

    const TLemmaLinkBuild build = LinkFormGroups(groups, forms, lemmas);
    if (!build.Error.empty())
        return Fail(groupsPath + ": " + build.Error);
    const std::string output = argv[4];
    const std::string error = WriteOutput(output, LemmaLinkBytes(build.Link));
    if (!error.empty())
        return Fail("Die Ausgabedatei " + output + " konnte nicht geschrieben werden: " + error + ".");
    std::cout << output << ": " << build.Link.FormCount << " Wortformen, " << build.Link.Lemma.size()
              << " Zuordnungen zu " << build.Link.LemmaCount << " Grundformen.\n";
    return 0;
}
