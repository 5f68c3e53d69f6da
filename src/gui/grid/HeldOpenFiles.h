#pragma once
// Whether a file is one this process holds open (the bank's database and its -wal and -shm).
//
// The bank's database engine keeps its locks as POSIX advisory locks, which belong to the process
// and the file: closing any descriptor of the file, opened by anybody in the process, drops all of
// them, and another program then takes the bank for unused and splits or corrupts it. No part of
// the program but the database connection may therefore open such a file, not even to read it.

#include <string>

namespace orv::gui {

/// True when `path` names a regular file (after links) that one of this process's descriptors is
/// open on. Found by the files' device and inode numbers, without opening `path`. False when `path`
/// does not exist or is a folder, and on systems that cannot list a process's descriptors.
bool isHeldOpenByThisProcess(const std::string& path);

} // namespace orv::gui
