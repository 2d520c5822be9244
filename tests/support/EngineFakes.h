// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test doubles for the engine: a file list made of rows, sizes looked up by path, and a
// temporary folder that removes itself.
#include "engine/FolderSize.h"
#include "engine/SelectionSource.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace platterwise::testing {

struct FakeRow {
    std::string Path;
    bool IsFolder = false;
    bool Selected = true;
};

class FakeSource final : public TSelectionSource {
public:
    FakeSource() = default;
    explicit FakeSource(std::vector<FakeRow> rows)
        : Rows(std::move(rows)) {}
    int RowCount() const override { return int(Rows.size()); }
    bool RowSelected(int row) const override { return Rows.at(std::size_t(row)).Selected; }
    TRowItem RowItem(int row) const override {
        const FakeRow& r = Rows.at(std::size_t(row));
        return {r.IsFolder, r.Path};
    }
    std::vector<FakeRow> Rows;
};

// Sizes by path; unknown paths count 0. Counts how often each kind was measured.
class FakeMeter final : public TSizeMeter {
public:
    std::int64_t FolderSize(const std::string& path, TMeasureProblems&) const override {
        ++FolderQueries;
        return Lookup(path);
    }
    std::int64_t FileSize(const std::string& path, TMeasureProblems&) const override {
        ++FileQueries;
        return Lookup(path);
    }
    std::map<std::string, std::int64_t> Sizes;
    mutable int FolderQueries = 0;
    mutable int FileQueries = 0;

private:
    std::int64_t Lookup(const std::string& path) const {
        const auto it = Sizes.find(path);
        return it == Sizes.end() ? 0 : it->second;
    }
};

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& rel) const { return (path_ / rel).string(); }

    // Creates the parent folders and a file of `size` bytes (sparse beyond its first byte).
    void File(const std::string& rel, std::int64_t size) const;
    void Folder(const std::string& rel) const;
    void Link(const std::string& rel, const std::string& target) const;

private:
    std::filesystem::path path_;
};

} // namespace platterwise::testing
