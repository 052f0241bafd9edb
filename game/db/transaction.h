// Read-compute-write units that no other node can interleave.
//
// Reading a value (a gold text), computing with it and writing it back as
// separate statements loses an update when another node changes the value
// in between. A write unit runs the three under one write lock.
#ifndef TRV_GAME_DB_TRANSACTION_H_
#define TRV_GAME_DB_TRANSACTION_H_

#include <functional>

namespace trv::db {

// Runs `unit` inside BEGIN IMMEDIATE ... COMMIT: the write lock is taken
// before the first read, so the values the unit reads stay its own until it
// commits. Waiting for the lock is the statement runner's (milliseconds for
// a short collision, one-second steps for a long one). The unit reads and
// writes through the runner and must not wait for the caller. It returns
// true to commit, false to roll back; an exception rolls back too.
//
// Called inside a transaction the caller opened, the unit runs under a
// savepoint of it (a transaction that has only read is first restarted as
// BEGIN IMMEDIATE); the caller's COMMIT makes it durable.
bool RunWriteUnit(const std::function<bool()>& unit);

}  // namespace trv::db

#endif  // TRV_GAME_DB_TRANSACTION_H_
