// SPDX-License-Identifier: GPL-3.0-or-later
#include "Schema_p.h"
#include "Sqlite_p.h"

#include <array>

namespace platterwise::detail {
namespace {

// kMigrations[n] brings version n to n + 1. Never edit one that has shipped; add the next.
constexpr std::array<const char*, kSchemaVersion> kMigrations{
    // 0 -> 1: discs, the items chosen for them and every file they hold. Paths are BLOBs:
    // the file system's bytes, compared with memcmp.
    "CREATE TABLE disc ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " label TEXT NOT NULL UNIQUE,"
    " state TEXT NOT NULL,"
    " medium TEXT, capacity_sectors INTEGER, sectors INTEGER,"
    " image_path BLOB, image_md5 TEXT, created TEXT,"
    " burned_at TEXT, burned_drive TEXT, burned_medium TEXT, verified_at TEXT);"
    "CREATE TABLE item ("
    " disc_id INTEGER NOT NULL REFERENCES disc (id) ON DELETE CASCADE,"
    " source_path BLOB NOT NULL, disc_path BLOB NOT NULL, folder INTEGER NOT NULL);"
    "CREATE TABLE file ("
    " disc_id INTEGER NOT NULL REFERENCES disc (id) ON DELETE CASCADE,"
    " disc_path BLOB NOT NULL, source_path BLOB NOT NULL,"
    " size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL, md5 TEXT NOT NULL);"
    "CREATE INDEX item_by_disc ON item (disc_id);"
    "CREATE INDEX file_by_disc ON file (disc_id);"
    "CREATE INDEX file_by_source ON file (source_path);",
};

int UserVersion(sqlite3* db, const std::string& path) {
    TStatement version(db, "PRAGMA user_version", path);
    version.Step();
    return int(version.Int(0));
}

} // namespace

void Migrate(sqlite3* db, const std::string& path, bool writable) {
    const int version = UserVersion(db, path);
    if (version > kSchemaVersion) {
        throw TCatalogueError(TCatalogueFault::NewerSchema,
                              "catalogue " + path + ": written by a newer Platterwise (version " +
                                  std::to_string(version) + "; this one reads up to " +
                                  std::to_string(kSchemaVersion) + "); left as it is");
    }
    Exec(db, "PRAGMA foreign_keys = ON", path);
    if (!writable) {
        if (version < kSchemaVersion) {
            throw TCatalogueError(TCatalogueFault::ReadOnly,
                                  "catalogue " + path +
                                      ": of an older version and read-only; make it writable "
                                      "once so it can be brought up to date");
        }
        return;
    }
    Exec(db, "PRAGMA journal_mode = WAL", path);
    if (version == kSchemaVersion) {
        return;
    }
    TTransaction transaction(db, path);
    // Another program may have migrated it while this one waited for the lock.
    for (int v = UserVersion(db, path); v < kSchemaVersion; ++v) {
        Exec(db, kMigrations[std::size_t(v)], path);
        Exec(db, ("PRAGMA user_version = " + std::to_string(v + 1)).c_str(), path);
    }
    transaction.Commit();
}

} // namespace platterwise::detail
