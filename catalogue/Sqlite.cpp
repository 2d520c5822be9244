// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sqlite_p.h"

namespace platterwise::detail {

void ThrowSqlite(sqlite3* db, int code, const std::string& path) {
    const std::string where = "catalogue " + path + ": ";
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw TCatalogueError(TCatalogueFault::Busy,
                              where + "another program is using it; try again");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw TCatalogueError(TCatalogueFault::NotACatalogue,
                              where + "not a catalogue or damaged; left as it is");
    case SQLITE_READONLY:
        throw TCatalogueError(TCatalogueFault::ReadOnly,
                              where + "cannot be written (read-only); nothing changed");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        throw TCatalogueError(TCatalogueFault::CannotOpen, where + "cannot be opened");
    default:
        throw TCatalogueError(TCatalogueFault::Failed,
                              where + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code)));
    }
}

TStatement::TStatement(sqlite3* db, std::string_view sql, const std::string& path)
    : db_(db)
    , path_(path) {
    const int rc = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        ThrowSqlite(db, rc, path);
    }
}

TStatement::~TStatement() {
    sqlite3_finalize(stmt_);
}

TStatement& TStatement::Bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

TStatement& TStatement::BindText(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

TStatement& TStatement::BindBlob(int index, std::string_view bytes) {
    // A zero-length blob still binds as a blob, not as NULL.
    sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : bytes.data(), int(bytes.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

bool TStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    ThrowSqlite(db_, rc, path_);
}

void TStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t TStatement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string TStatement::Text(int column) const {
    const void* bytes = sqlite3_column_blob(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return bytes ? std::string(static_cast<const char*>(bytes), std::size_t(size)) : std::string();
}

void Exec(sqlite3* db, const char* sql, const std::string& path) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        ThrowSqlite(db, rc, path);
    }
}

TTransaction::TTransaction(sqlite3* db, const std::string& path)
    : db_(db)
    , path_(path) {
    Exec(db, "BEGIN IMMEDIATE", path);
}

TTransaction::~TTransaction() {
    if (!done_) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void TTransaction::Commit() {
    Exec(db_, "COMMIT", path_);
    done_ = true;
}

} // namespace platterwise::detail
