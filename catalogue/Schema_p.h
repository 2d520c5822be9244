// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's tables, versioned by PRAGMA user_version: each version has a migration from
// the one before, so a catalogue of any earlier version opens.
#include <sqlite3.h>
#include <string>

namespace platterwise::detail {

inline constexpr int kSchemaVersion = 1;

// Reads the catalogue's version (the first read: a file that is not a catalogue fails here,
// before anything is written), refuses a newer one, and with `writable` switches to WAL and
// brings an older one up to date in one transaction. Throws TCatalogueError.
void Migrate(sqlite3* db, const std::string& path, bool writable);

} // namespace platterwise::detail
