#include "export/VarnaDatoteka.h"

#include "export/IzvozError.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

namespace {

std::atomic<int> kStevec{0};

} // namespace

VarnaDatoteka::VarnaDatoteka(std::string pot, const std::string& koncnica) : pot_(std::move(pot)) {
    const fs::path cilj(pot_);
    fs::path mapa = cilj.parent_path();
    if (mapa.empty()) mapa = ".";
    std::error_code napaka;
    if (!fs::is_directory(mapa, napaka))
        throw IzvozError("Mapa \"" + mapa.string() + "\" ne obstaja; datoteka \"" + pot_ +
                         "\" ni bila zapisana.");
    if (cilj.filename().empty())
        throw IzvozError("\"" + pot_ + "\" ni ime datoteke; nič ni bilo zapisano.");
    zacasna_ = (mapa / ("." + cilj.stem().string() + ".izvoz" + std::to_string(::getpid()) + "-" +
                        std::to_string(++kStevec) + koncnica))
                   .string();
}

VarnaDatoteka::~VarnaDatoteka() {
    if (file_) std::fclose(file_);
    if (!potrjena_) {
        std::error_code ignored;
        fs::remove(zacasna_, ignored);
    }
}

std::string VarnaDatoteka::sporociloNapake(int napaka) const {
    const std::string mapa = fs::path(pot_).parent_path().string();
    switch (napaka) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return "Na disku ni dovolj prostora za datoteko \"" + pot_ + "\"; nič ni bilo zapisano.";
    case EACCES:
    case EPERM:
    case EROFS:
        return "V mapo \"" + (mapa.empty() ? std::string(".") : mapa) + "\" ni mogoče pisati (" +
               std::strerror(napaka) + "); datoteka \"" + pot_ + "\" ni bila zapisana.";
    default:
        return "Datoteke \"" + pot_ + "\" ni mogoče zapisati (" + std::strerror(napaka) +
               "); nič ni bilo zapisano.";
    }
}

std::FILE* VarnaDatoteka::odpri() {
    // Read and write: some writers read back blocks they wrote.
    file_ = std::fopen(zacasna_.c_str(), "w+b");
    if (!file_) throw IzvozError(sporociloNapake(errno));
    return file_;
}

void VarnaDatoteka::zapri() {
    if (!file_) return;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool failed = std::ferror(file) != 0;
    const int writeErrno = errno;
    int napaka = 0;
    if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) napaka = errno;
    if (std::fclose(file) != 0 && napaka == 0) napaka = errno;
    if (failed && napaka == 0) napaka = writeErrno ? writeErrno : EIO;
    if (napaka) throw IzvozError(sporociloNapake(napaka));
}

void VarnaDatoteka::potrdi() {
    zapri();
    std::error_code napaka;
    fs::rename(zacasna_, pot_, napaka);
    if (napaka) throw IzvozError(sporociloNapake(napaka.value()));
    potrjena_ = true;
}

void zapisiBesedilo(const std::string& pot, const std::string& besedilo) {
    VarnaDatoteka datoteka(pot);
    std::FILE* file = datoteka.odpri();
    errno = 0;
    if (std::fwrite(besedilo.data(), 1, besedilo.size(), file) != besedilo.size())
        throw IzvozError(datoteka.sporociloNapake(errno ? errno : EIO));
    datoteka.potrdi();
}

} // namespace orv
