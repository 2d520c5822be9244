// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "Schema_p.h"
#include "Sqlite_p.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {

using detail::TStatement;
using detail::TTransaction;

namespace {

// How long a write waits for another program's transaction before it is told to retry.
constexpr int kBusyTimeoutMs = 10000;

void MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return s;
}

TDiscState StateOf(const std::string& name) {
    if (name == "burned") {
        return TDiscState::Burned;
    }
    return name == "reserved" ? TDiscState::Reserved : TDiscState::Written;
}

constexpr const char* kDiscColumns =
    "d.id, d.label, d.state, d.medium, d.capacity_sectors, d.sectors, d.image_path, "
    "d.image_md5, d.created, d.burned_at, d.burned_drive, d.burned_medium, d.verified_at, "
    "(SELECT COUNT(*) FROM file f WHERE f.disc_id = d.id), "
    "(SELECT COUNT(*) FROM item i WHERE i.disc_id = d.id)";

TCatalogueDisc ReadDisc(const TStatement& s) {
    TCatalogueDisc disc;
    disc.Number = s.Int(0);
    disc.Label = s.Text(1);
    disc.State = StateOf(s.Text(2));
    disc.Medium = s.Text(3);
    disc.CapacitySectors = s.Int(4);
    disc.Sectors = s.Int(5);
    disc.ImagePath = s.Text(6);
    disc.ImageMd5 = s.Text(7);
    disc.Created = s.Text(8);
    disc.BurnedAt = s.Text(9);
    disc.BurnedDrive = s.Text(10);
    disc.BurnedMedium = s.Text(11);
    disc.VerifiedAt = s.Text(12);
    disc.FileCount = s.Int(13);
    disc.ItemCount = s.Int(14);
    return disc;
}

// The end of the byte range of paths below `folder/`: '/' + 1 is '0'.
std::string BelowEnd(const std::string& path) {
    return path + '0';
}

} // namespace

const char* DiscStateName(TDiscState state) {
    switch (state) {
    case TDiscState::Reserved:
        return "reserved";
    case TDiscState::Burned:
        return "burned";
    case TDiscState::Written:
        break;
    }
    return "written";
}

std::string CatalogueNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string DefaultCataloguePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/share";
    }
    return base + "/platterwise/catalogue.sqlite";
}

std::unique_ptr<TCatalogue> TCatalogue::Open(const std::string& path, TMode mode) {
    const std::string where = "catalogue " + path + ": ";
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        throw TCatalogueError(TCatalogueFault::CannotOpen,
                              where + "not a regular file; left as it is");
    }
    if (!exists && errno != ENOENT) {
        throw TCatalogueError(TCatalogueFault::CannotOpen, where + "cannot be opened");
    }
    const bool writable = exists && ::access(path.c_str(), W_OK) == 0;
    if (mode == TMode::Write && exists && !writable) {
        throw TCatalogueError(TCatalogueFault::ReadOnly,
                              where + "cannot be written (read-only); nothing changed");
    }
    // Reading a catalogue that does not exist yet: an empty one in memory, nothing created.
    std::string file = path;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (!exists && mode == TMode::Read) {
        file = ":memory:";
    } else if (!exists) {
        MakeFolders(path);
    } else if (!writable) {
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    std::unique_ptr<TCatalogue> catalogue(new TCatalogue(db, path));
    if (rc != SQLITE_OK) {
        detail::ThrowSqlite(nullptr, rc, path);
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 0);
    detail::Migrate(db, path, flags & SQLITE_OPEN_READWRITE);
    return catalogue;
}

TCatalogue::TCatalogue(sqlite3* db, std::string path)
    : db_(db)
    , path_(std::move(path)) {}

TCatalogue::~TCatalogue() {
    sqlite3_close_v2(db_);
}

std::vector<std::string> TCatalogue::ReserveLabels(const std::string& prefix,
                                                   const std::string& date, std::size_t count) {
    TTransaction transaction(db_, path_);
    TStatement top(db_,
                   "SELECT MAX(COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'disc'), 0), "
                   "COALESCE((SELECT MAX(id) FROM disc), 0))",
                   path_);
    top.Step();
    std::int64_t number = top.Int(0);
    std::vector<std::string> labels;
    TStatement taken(db_, "SELECT 1 FROM disc WHERE label = ?1", path_);
    TStatement add(db_,
                   "INSERT INTO disc (id, label, state, created) VALUES (?1, ?2, 'reserved', "
                   "strftime('%Y-%m-%dT%H:%M:%SZ', 'now'))",
                   path_);
    while (labels.size() < count) {
        ++number;
        char digits[24];
        std::snprintf(digits, sizeof digits, "%03lld", static_cast<long long>(number));
        std::string label = prefix + "_" + date + "_" + digits;
        taken.Reset();
        if (taken.BindText(1, label).Step()) {
            continue; // a label recorded from an image written elsewhere
        }
        add.Reset();
        add.Bind(1, number).BindText(2, label).Run();
        labels.push_back(std::move(label));
    }
    transaction.Commit();
    return labels;
}

void TCatalogue::RecordDisc(const TCatalogueDisc& disc) {
    TTransaction transaction(db_, path_);
    TStatement find(db_, "SELECT id FROM disc WHERE label = ?1", path_);
    find.BindText(1, disc.Label);
    std::int64_t id = 0;
    if (find.Step()) {
        id = find.Int(0);
        TStatement(db_, "DELETE FROM item WHERE disc_id = ?1", path_).Bind(1, id).Run();
        TStatement(db_, "DELETE FROM file WHERE disc_id = ?1", path_).Bind(1, id).Run();
    } else {
        TStatement add(db_, "INSERT INTO disc (label, state) VALUES (?1, 'written')", path_);
        add.BindText(1, disc.Label).Run();
        id = sqlite3_last_insert_rowid(db_);
    }
    TStatement update(db_,
                      "UPDATE disc SET state = ?2, medium = ?3, capacity_sectors = ?4, sectors = "
                      "?5, image_path = ?6, image_md5 = ?7, created = COALESCE(NULLIF(?8, ''), "
                      "strftime('%Y-%m-%dT%H:%M:%SZ', 'now')) WHERE id = ?1",
                      path_);
    update.Bind(1, id)
        .BindText(
            2, DiscStateName(disc.State == TDiscState::Reserved ? TDiscState::Written : disc.State))
        .BindText(3, disc.Medium)
        .Bind(4, disc.CapacitySectors)
        .Bind(5, disc.Sectors)
        .BindBlob(6, disc.ImagePath)
        .BindText(7, disc.ImageMd5)
        .BindText(8, disc.Created)
        .Run();
    TStatement item(
        db_, "INSERT INTO item (disc_id, source_path, disc_path, folder) VALUES (?1, ?2, ?3, ?4)",
        path_);
    for (const TCatalogueItem& i : disc.Items) {
        item.Bind(1, id).BindBlob(2, i.SourcePath).BindBlob(3, i.DiscPath).Bind(4, i.Folder);
        item.Run();
        item.Reset();
    }
    TStatement file(db_,
                    "INSERT INTO file (disc_id, disc_path, source_path, size, mtime_ns, md5) "
                    "VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                    path_);
    for (const TCatalogueFile& f : disc.Files) {
        file.Bind(1, id)
            .BindBlob(2, f.DiscPath)
            .BindBlob(3, f.SourcePath)
            .Bind(4, f.Size)
            .Bind(5, f.MtimeNs)
            .BindText(6, f.Md5);
        file.Run();
        file.Reset();
    }
    transaction.Commit();
}

namespace {

// The disc of `label`'s id; throws UnknownLabel.
std::int64_t DiscId(sqlite3* db, const std::string& label, const std::string& path) {
    TStatement find(db, "SELECT id FROM disc WHERE label = ?1 AND state != 'reserved'", path);
    if (!find.BindText(1, label).Step()) {
        throw TCatalogueError(TCatalogueFault::UnknownLabel,
                              "catalogue " + path + ": no disc labelled " + label);
    }
    return find.Int(0);
}

} // namespace

void TCatalogue::MarkBurned(const std::string& label, const std::string& drive,
                            const std::string& medium, const std::string& date) {
    TTransaction transaction(db_, path_);
    const std::int64_t id = DiscId(db_, label, path_);
    TStatement(db_,
               "UPDATE disc SET state = 'burned', burned_at = ?2, burned_drive = ?3, "
               "burned_medium = ?4 WHERE id = ?1",
               path_)
        .Bind(1, id)
        .BindText(2, date)
        .BindText(3, drive)
        .BindText(4, medium)
        .Run();
    transaction.Commit();
}

void TCatalogue::MarkVerified(const std::string& label, const std::string& date) {
    TTransaction transaction(db_, path_);
    const std::int64_t id = DiscId(db_, label, path_);
    TStatement(db_, "UPDATE disc SET verified_at = ?2 WHERE id = ?1", path_)
        .Bind(1, id)
        .BindText(2, date)
        .Run();
    transaction.Commit();
}

void TCatalogue::Forget(const std::string& label) {
    TTransaction transaction(db_, path_);
    TStatement find(db_, "SELECT id FROM disc WHERE label = ?1", path_);
    if (!find.BindText(1, label).Step()) {
        throw TCatalogueError(TCatalogueFault::UnknownLabel,
                              "catalogue " + path_ + ": no disc labelled " + label);
    }
    TStatement(db_, "DELETE FROM disc WHERE id = ?1", path_).Bind(1, find.Int(0)).Run();
    transaction.Commit();
}

std::vector<TCatalogueDisc> TCatalogue::Discs() {
    TStatement list(db_,
                    std::string("SELECT ") + kDiscColumns +
                        " FROM disc d WHERE d.state != 'reserved' ORDER BY d.id",
                    path_);
    std::vector<TCatalogueDisc> discs;
    while (list.Step()) {
        discs.push_back(ReadDisc(list));
    }
    return discs;
}

std::optional<TCatalogueDisc> TCatalogue::Disc(const std::string& label) {
    TStatement one(db_,
                   std::string("SELECT ") + kDiscColumns +
                       " FROM disc d WHERE d.label = ?1 AND d.state != 'reserved'",
                   path_);
    if (!one.BindText(1, label).Step()) {
        return std::nullopt;
    }
    TCatalogueDisc disc = ReadDisc(one);
    TStatement items(
        db_, "SELECT source_path, disc_path, folder FROM item WHERE disc_id = ?1 ORDER BY rowid",
        path_);
    items.Bind(1, disc.Number);
    while (items.Step()) {
        disc.Items.push_back({items.Text(0), items.Text(1), items.Int(2) != 0});
    }
    TStatement files(db_,
                     "SELECT disc_path, source_path, size, mtime_ns, md5 FROM file WHERE disc_id "
                     "= ?1 ORDER BY disc_path",
                     path_);
    files.Bind(1, disc.Number);
    while (files.Step()) {
        disc.Files.push_back(
            {files.Text(0), files.Text(1), files.Int(2), files.Int(3), files.Text(4)});
    }
    return disc;
}

std::vector<TCatalogueMatch> TCatalogue::Find(const std::string& text) {
    // lower() folds ASCII only, and compares bytes: names that are not UTF-8 still match.
    TStatement find(db_,
                    "SELECT source_path, disc_path, folder, label FROM ("
                    " SELECT i.source_path, i.disc_path, 1 AS folder, d.label, d.id"
                    "  FROM item i JOIN disc d ON d.id = i.disc_id"
                    "  WHERE d.state != 'reserved' AND i.folder"
                    " UNION ALL"
                    " SELECT f.source_path, f.disc_path, 0, d.label, d.id"
                    "  FROM file f JOIN disc d ON d.id = f.disc_id WHERE d.state != 'reserved')"
                    " WHERE instr(lower(CAST(source_path AS TEXT)), ?1) > 0"
                    "  OR instr(lower(CAST(disc_path AS TEXT)), ?1) > 0"
                    " ORDER BY source_path, disc_path, id",
                    path_);
    find.BindText(1, Lower(text));
    std::vector<TCatalogueMatch> matches;
    while (find.Step()) {
        std::string source = find.Text(0), discPath = find.Text(1);
        if (matches.empty() || matches.back().SourcePath != source ||
            matches.back().DiscPath != discPath) {
            matches.push_back({std::move(source), std::move(discPath), find.Int(2) != 0, {}});
        }
        matches.back().Labels.push_back(find.Text(3));
    }
    return matches;
}

bool TCatalogue::AnyBurned() {
    return TStatement(db_, "SELECT 1 FROM disc WHERE state = 'burned' LIMIT 1", path_).Step();
}

std::vector<TCatalogueFile> TCatalogue::BurnedFilesUnder(const std::string& path,
                                                         std::vector<std::string>& labels) {
    TStatement find(db_,
                    "SELECT f.disc_path, f.source_path, f.size, f.mtime_ns, f.md5, d.label"
                    " FROM file f JOIN disc d ON d.id = f.disc_id WHERE d.state = 'burned' AND"
                    " (f.source_path = ?1 OR (f.source_path > ?2 AND f.source_path < ?3))"
                    " ORDER BY d.id, f.source_path",
                    path_);
    std::string folder = path;
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    find.BindBlob(1, path).BindBlob(2, folder).BindBlob(
        3, BelowEnd(folder.substr(0, folder.size() - 1)));
    std::vector<TCatalogueFile> files;
    labels.clear();
    while (find.Step()) {
        files.push_back({find.Text(0), find.Text(1), find.Int(2), find.Int(3), find.Text(4)});
        labels.push_back(find.Text(5));
    }
    return files;
}

} // namespace platterwise
