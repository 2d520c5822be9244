// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A thin layer over SQLite's C API: prepared statements that bind byte strings as BLOBs, and
// errors turned into TCatalogueError lines naming the catalogue file.
#include "CatalogueError.h"

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace platterwise::detail {

// Throws the error `code` stands for, naming `path`.
[[noreturn]] void ThrowSqlite(sqlite3* db, int code, const std::string& path);

class TStatement {
public:
    TStatement(sqlite3* db, std::string_view sql, const std::string& path);
    ~TStatement();
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    TStatement& Bind(int index, std::int64_t value);
    TStatement& BindText(int index, std::string_view text);
    TStatement& BindBlob(int index, std::string_view bytes);
    // True while a row is there to read; false once done.
    bool Step();
    void Run() {
        while (Step()) {
        }
    }
    // Ready to run again with new bindings.
    void Reset();

    std::int64_t Int(int column) const;
    std::string Text(int column) const; // a TEXT or BLOB column's bytes; "" for NULL

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    const std::string& path_;
};

// BEGIN IMMEDIATE ... COMMIT; rolled back when left by an exception.
class TTransaction {
public:
    TTransaction(sqlite3* db, const std::string& path);
    ~TTransaction();
    void Commit();

private:
    sqlite3* db_;
    const std::string& path_;
    bool done_ = false;
};

void Exec(sqlite3* db, const char* sql, const std::string& path);

} // namespace platterwise::detail
