#include "db/UnitOfWork.h"

namespace orv {

UnitOfWork::UnitOfWork(Session& session) : session_(session) {
    session_.holdCommits();
}

UnitOfWork::~UnitOfWork() {
    if (!open_) return;
    session_.releaseCommits();
    try {
        session_.Rollback();
    } catch (...) {
        // A connection that cannot even roll back has lost its transaction already.
    }
}

void UnitOfWork::lockForWriting(const std::string& table) {
    session_.connection().lockTableForWriting(table);
}

void UnitOfWork::commit() {
    session_.releaseCommits();
    open_ = false;
    session_.Commit();
}

} // namespace orv
