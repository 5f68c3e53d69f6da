// The server tests share one PostgreSQL server, started on first use and stopped at the end.
// When no server could be started every test skips with the reason, and the program exits with
// 77, which CTest reports as skipped rather than passed.

#include "support/PostgresServer.h"

#include <gtest/gtest.h>

#include <iostream>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    orv::test::PostgresServer& server = orv::test::PostgresServer::shared();
    if (result == 0 && !server.available()) {
        std::cerr << "skipped: no PostgreSQL server: " << server.unavailableReason() << "\n";
        return 77;
    }
    return result;
}
