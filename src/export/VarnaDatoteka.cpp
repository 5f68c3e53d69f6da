#include "export/VarnaDatoteka.h"

#include "export/IzvozError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/random.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace orv {

namespace fs = std::filesystem;

namespace {

std::string razlog(int napaka) {
    return std::strerror(napaka);
}

std::string mapaOd(const std::string& pot) {
    const std::string mapa = fs::path(pot).parent_path().string();
    return mapa.empty() ? std::string(".") : mapa;
}

// Sixteen hexadecimal digits from the kernel's random source: a name nobody can foresee.
std::string nakljucnoIme() {
    unsigned char bytes[8];
    size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            throw IzvozError("Naključnega imena začasne datoteke ni mogoče izbrati (" +
                             razlog(errno) + ").");
        got += static_cast<size_t>(n);
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string name;
    for (const unsigned char b : bytes) {
        name += kDigits[b >> 4];
        name += kDigits[b & 15];
    }
    return name;
}

// Writes all of `size` bytes to `fd`; returns 0 or the errno of the failed write.
int pisiVse(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

struct ZapriFd {
    int fd;
    ~ZapriFd() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

VarnaDatoteka::VarnaDatoteka(std::string pot, const std::string& koncnica)
    : pot_(std::move(pot)), koncnica_(koncnica) {
    const std::string ime = fs::path(pot_).filename().string();
    if (ime.empty() || ime == "." || ime == "..")
        throw IzvozError("\"" + pot_ + "\" ni ime datoteke; nič ni bilo zapisano.");

    struct stat zapis {};
    if (::lstat(pot_.c_str(), &zapis) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) throw IzvozError(sporociloNapake(errno));
        std::error_code napaka;
        if (!fs::is_directory(mapaOd(pot_), napaka))
            throw IzvozError("Mapa \"" + mapaOd(pot_) + "\" ne obstaja; datoteka \"" + pot_ +
                             "\" ni bila zapisana.");
        odpriNadomestno(pot_, false, zapis);
        return;
    }
    std::string cilj = pot_;
    if (S_ISLNK(zapis.st_mode)) {
        // Like a shell's redirection, the export writes to what the link points to; like cp, it
        // does not create the file of a link that points to nothing.
        if (::stat(pot_.c_str(), &zapis) != 0) {
            if (errno == ENOENT)
                throw IzvozError("\"" + pot_ +
                                 "\" je simbolna povezava na datoteko, ki ne obstaja; izvoz "
                                 "skoznjo ne piše, nič ni bilo zapisano.");
            throw IzvozError(sporociloNapake(errno));
        }
        if (S_ISREG(zapis.st_mode)) {
            std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(pot_.c_str(), nullptr),
                                                                 &std::free);
            if (!resolved) throw IzvozError(sporociloNapake(errno));
            cilj = resolved.get();
        }
    }
    if (S_ISCHR(zapis.st_mode) || S_ISBLK(zapis.st_mode) || S_ISFIFO(zapis.st_mode)) {
        odpriNapravo();
        return;
    }
    if (S_ISDIR(zapis.st_mode))
        throw IzvozError("\"" + pot_ + "\" je mapa, ne datoteka; nič ni bilo zapisano.");
    if (!S_ISREG(zapis.st_mode))
        throw IzvozError("\"" + pot_ + "\" ni datoteka, naprava ali cev; nič ni bilo zapisano.");

    // May the user write the file? Opening it for writing (without truncating) asks the system
    // exactly what cp's own opening asks: permissions, access lists, a read-only mount.
    const int proba =
        ::open(cilj.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (proba < 0)
        throw IzvozError("Datoteke \"" + pot_ + "\" ni dovoljeno pisati (" + razlog(errno) +
                         "); ostala je, kakršna je bila.");
    struct stat stara {};
    const int stanje = ::fstat(proba, &stara);
    ::close(proba);
    if (stanje != 0 || !S_ISREG(stara.st_mode))
        throw IzvozError("\"" + pot_ + "\" se je med izvozom spremenila; nič ni bilo zapisano.");
    odpriNadomestno(cilj, true, stara);
}

void VarnaDatoteka::odpriNadomestno(const std::string& cilj, bool obstaja,
                                    const struct stat& stara) {
    cilj_ = cilj;
    obstaja_ = obstaja;
    stara_ = stara;
    const fs::path mapa = mapaOd(cilj_);
    const std::string deblo = fs::path(cilj_).stem().string();
    // A replacement is private until it takes the old file's permissions at the end; a new file
    // gets the permissions a shell's redirection gives (0666 less the umask).
    const mode_t nacin = obstaja ? 0600 : 0666;
    for (int poskus = 0; poskus < 100 && fd_ < 0; ++poskus) {
        const std::string ime =
            (mapa / ("." + deblo + ".izvoz-" + nakljucnoIme() + koncnica_)).string();
        const int fd = ::open(ime.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, nacin);
        if (fd >= 0) {
            fd_ = fd;
            zacasna_ = ime;
        } else if (errno != EEXIST) {
            throw IzvozError(sporociloNapake(errno));
        }
    }
    if (fd_ < 0) throw IzvozError(sporociloNapake(EEXIST));
    struct stat svoja {};
    ::fstat(fd_, &svoja);
    naprava_ = svoja.st_dev;
    inode_ = svoja.st_ino;
}

void VarnaDatoteka::odpriNapravo() {
    neposredno_ = true;
    // A FIFO waits here for its reader, as a shell's redirection does.
    int fd = -1;
    do {
        fd = ::open(pot_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw IzvozError(sporociloNapake(errno));
    struct stat zapis {};
    if (::fstat(fd, &zapis) != 0 ||
        !(S_ISCHR(zapis.st_mode) || S_ISBLK(zapis.st_mode) || S_ISFIFO(zapis.st_mode))) {
        ::close(fd);
        throw IzvozError("\"" + pot_ + "\" se je med izvozom spremenila; nič ni bilo zapisano.");
    }
    fd_ = fd;
}

VarnaDatoteka::~VarnaDatoteka() {
    if (file_)
        std::fclose(file_);
    else if (fd_ >= 0)
        ::close(fd_);
    if (!potrjena_ && !zacasna_.empty()) ::unlink(zacasna_.c_str());
    odstraniDelovno();
}

void VarnaDatoteka::odstraniDelovno() {
    if (delovnaMapa_.empty()) return;
    std::error_code ignored;
    fs::remove_all(delovnaMapa_, ignored);
    delovnaMapa_.clear();
}

std::string VarnaDatoteka::sporociloNapake(int napaka) const {
    const std::string vzrok = " (" + razlog(napaka) + ")";
    const std::string konec = neposredno_ ? "; zapis je nepopoln." : "; nič ni bilo zapisano.";
    switch (napaka) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return "Na disku ni dovolj prostora za datoteko \"" + pot_ + "\"" + vzrok + konec;
    case EACCES:
    case EPERM:
    case EROFS:
        if (neposredno_) return "V \"" + pot_ + "\" ni mogoče pisati" + vzrok + konec;
        return "V mapo \"" + mapaOd(cilj_.empty() ? pot_ : cilj_) + "\" ni mogoče pisati" + vzrok +
               "; datoteka \"" + pot_ + "\" ni bila zapisana.";
    default:
        return "Datoteke \"" + pot_ + "\" ni mogoče zapisati" + vzrok + konec;
    }
}

std::FILE* VarnaDatoteka::odpri() {
    if (file_) return file_;
    if (fd_ < 0 || zaprta_) throw IzvozError(sporociloNapake(EBADF));
    file_ = ::fdopen(fd_, "wb"); // from now on the stream owns the descriptor
    if (!file_) throw IzvozError(sporociloNapake(errno));
    return file_;
}

void VarnaDatoteka::pisi(std::string_view bytes) {
    std::FILE* file = odpri();
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        pokvarjena_ = true;
        throw IzvozError(sporociloNapake(errno ? errno : EIO));
    }
}

const std::string& VarnaDatoteka::delovnaPot() {
    if (!delovna_.empty()) return delovna_;
    // Beside the output, so that a full disk shows on the disk of the output; for a device, in
    // the folder of temporary files. Nobody else may enter the folder, so the library's own
    // opening by name cannot be led elsewhere.
    const fs::path mapa = neposredno_ ? fs::temp_directory_path() : fs::path(mapaOd(cilj_));
    std::string vzorec = (mapa / ("." + fs::path(pot_).stem().string() + ".izvoz-XXXXXX")).string();
    if (!::mkdtemp(vzorec.data())) throw IzvozError(sporociloNapake(errno));
    delovnaMapa_ = vzorec;
    delovna_ = delovnaMapa_ + "/izvoz" + koncnica_;
    return delovna_;
}

void VarnaDatoteka::prepisiDelovno() {
    const int vhod = ::open(delovna_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (vhod < 0 && errno == ENOENT)
        throw IzvozError("Datoteka \"" + pot_ + "\" ni bila izdelana; nič ni bilo zapisano.");
    if (vhod < 0) throw IzvozError(sporociloNapake(errno));
    const ZapriFd zapri{vhod};
    struct stat zapis {};
    if (::fstat(vhod, &zapis) != 0) throw IzvozError(sporociloNapake(errno));
    if (zapis.st_size == 0) delovnaNepopolna();
    std::vector<char> blok(1u << 20);
    off_t prepisano = 0;
    while (true) {
        const ssize_t n = ::read(vhod, blok.data(), blok.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw IzvozError(sporociloNapake(errno));
        if (n == 0) break;
        if (const int napaka = pisiVse(fd_, blok.data(), static_cast<size_t>(n)))
            throw IzvozError(sporociloNapake(napaka));
        prepisano += n;
    }
    if (prepisano != zapis.st_size) throw IzvozError(sporociloNapake(EIO));
    zapisano_ += prepisano;
}

void VarnaDatoteka::delovnaNepopolna() const {
    // Some libraries (the PDF printer) do not report a failed write. A disk with less room than
    // a file system's block or two left is why, near enough.
    struct statvfs disk {};
    if (!delovnaMapa_.empty() && ::statvfs(delovnaMapa_.c_str(), &disk) == 0 &&
        static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < 64u * 1024u)
        throw IzvozError(sporociloNapake(ENOSPC));
    throw IzvozError("Datoteka \"" + pot_ + "\" ni bila izdelana v celoti; nič ni bilo zapisano.");
}

void VarnaDatoteka::zapri() {
    if (zaprta_) return;
    if (pokvarjena_) throw IzvozError(sporociloNapake(EIO));
    pokvarjena_ = true; // until everything below has held
    off_t pricakovano = 0;
    if (file_) {
        errno = 0;
        if (std::fflush(file_) != 0 || std::ferror(file_))
            throw IzvozError(sporociloNapake(errno ? errno : EIO));
        pricakovano = ::ftello(file_);
    }
    if (!delovna_.empty()) {
        prepisiDelovno();
        pricakovano += zapisano_;
    }
    if (neposredno_) {
        // A FIFO or a character device has nothing to sync: the system says EINVAL.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
            throw IzvozError(sporociloNapake(errno));
    } else {
        if (obstaja_) {
            // The replaced file's owner where the user may give it, and its permissions.
            if (stara_.st_uid != ::geteuid() || stara_.st_gid != ::getegid())
                static_cast<void>(::fchown(fd_, stara_.st_uid, stara_.st_gid));
            if (::fchmod(fd_, stara_.st_mode & 01777) != 0)
                throw IzvozError(sporociloNapake(errno));
        }
        if (::fsync(fd_) != 0) throw IzvozError(sporociloNapake(errno));
        struct stat zapis {};
        if (::fstat(fd_, &zapis) != 0) throw IzvozError(sporociloNapake(errno));
        if (zapis.st_size != pricakovano)
            throw IzvozError("Datoteka \"" + pot_ + "\" ima po zapisu " +
                             std::to_string(zapis.st_size) + " bajtov namesto " +
                             std::to_string(pricakovano) + "; nič ni bilo zapisano.");
    }
    const int izid = file_ ? std::fclose(file_) : ::close(fd_);
    file_ = nullptr;
    fd_ = -1;
    if (izid != 0) throw IzvozError(sporociloNapake(errno));
    odstraniDelovno();
    pokvarjena_ = false;
    zaprta_ = true;
}

void VarnaDatoteka::potrdi() {
    zapri();
    if (neposredno_) {
        potrjena_ = true;
        return;
    }
    // The temporary name must still be the file written: in a folder others may write into, it
    // could have been swapped meanwhile.
    struct stat zapis {};
    if (::lstat(zacasna_.c_str(), &zapis) != 0 || zapis.st_dev != naprava_ ||
        zapis.st_ino != inode_)
        throw IzvozError("Začasna datoteka izvoza \"" + zacasna_ +
                         "\" je bila med izvozom zamenjana; nič ni bilo zapisano.");
    if (::rename(zacasna_.c_str(), cilj_.c_str()) != 0) throw IzvozError(sporociloNapake(errno));
    potrjena_ = true;
    // The new name to the disk as well.
    const int mapa = ::open(mapaOd(cilj_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (mapa >= 0) {
        ::fsync(mapa);
        ::close(mapa);
    }
}

void zapisiBesedilo(const std::string& pot, const std::string& besedilo) {
    VarnaDatoteka datoteka(pot);
    datoteka.pisi(besedilo);
    datoteka.potrdi();
}

} // namespace orv
