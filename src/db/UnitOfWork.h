#pragma once
// One unit of work on the session: a change of the bank that goes in whole or not at all.
//
// While it is open, every commit that the code inside asks for (a posted row, a statement run
// with IzvediInPotrdi) waits; commit() makes all of it durable at once. When the unit ends any
// other way (a failure, the operator's stop, the process killed) nothing of it stays: the
// destructor rolls back, and a connection that dies uncommitted is rolled back by the database.

#include "db/Session.h"

#include <string>

namespace orv {

class UnitOfWork {
public:
    explicit UnitOfWork(Session& session);
    /// Rolls back what was not committed.
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    /// Takes the write lock on `table` for the rest of the unit: another session that wants to
    /// write it waits until this unit ends. Waits for another writer as long as the busy timeout
    /// allows, then fails with the "busy" error (ORA-00054), having changed nothing.
    void lockForWriting(const std::string& table);

    /// Commits everything done in the unit; the unit is then closed.
    void commit();

private:
    Session& session_;
    bool open_ = true;
};

} // namespace orv
