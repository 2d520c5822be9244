// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue of written and burned discs: which file went on which disc, with its size,
// modification time and MD5, so that later plans leave out what is already burned and a disc
// can be verified years later. One SQLite file; the window and the command line may use it
// at once (WAL, a busy timeout, one transaction per disc).
//
// Paths are byte strings exactly as the file system gives them (never re-encoded). Dates are
// UTC text, "2026-12-08T15:04:05Z". Every failure throws TCatalogueError with one line.
// A TCatalogue is used from one thread at a time; open one per thread.
#include "CatalogueError.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace platterwise {

enum class TDiscState {
    Reserved, // a label taken for an image being written; not listed
    Written,  // the image was written
    Burned,   // the user (or the burn command) says it is on a disc
};

struct TCatalogueFile {
    std::string DiscPath;     // path inside the image, "/Album/01.flac"
    std::string SourcePath;   // the file it was read from, absolute
    std::int64_t Size = 0;    // bytes
    std::int64_t MtimeNs = 0; // modification time, nanoseconds since 1970 UTC
    std::string Md5;          // 32 lowercase hex digits
};

struct TCatalogueItem {
    std::string SourcePath; // the selected item, absolute
    std::string DiscPath;   // "/Album"
    bool Folder = false;
};

struct TCatalogueDisc {
    std::string Label;       // PW_20261208_007: the volume label and the key
    std::int64_t Number = 0; // the disc's number in the catalogue (its last label part)
    TDiscState State = TDiscState::Written;
    std::string Medium; // "dvd+r", ...; "custom"
    std::int64_t CapacitySectors = 0;
    std::int64_t Sectors = 0; // the image's length / 2,048
    std::string ImagePath;    // where the image was written; may have moved since
    std::string ImageMd5;     // of the whole image file
    std::string Created;
    std::string BurnedAt, BurnedDrive, BurnedMedium; // empty until burned
    std::string VerifiedAt;                          // empty until verified
    std::int64_t FileCount = 0, ItemCount = 0;       // filled by Discs() and Disc()
    std::vector<TCatalogueItem> Items;               // filled by Disc() only
    std::vector<TCatalogueFile> Files;               // filled by Disc() only
};

// A catalogued file or folder that a search matched, with the discs holding it.
struct TCatalogueMatch {
    std::string SourcePath;
    std::string DiscPath;
    bool Folder = false;
    std::vector<std::string> Labels; // in catalogue order
};

const char* DiscStateName(TDiscState state); // "reserved", "written", "burned"

// $XDG_DATA_HOME/platterwise/catalogue.sqlite, ~/.local/share/... when it is unset or empty.
std::string DefaultCataloguePath();

// The current time as the catalogue stores dates.
std::string CatalogueNow();

class TCatalogue {
public:
    enum class TMode { Read, Write };
    // Opens the catalogue at `path`, migrating it to the current schema. Write mode creates
    // the file (and its folder) when missing; Read mode on a missing file gives an empty
    // catalogue without creating anything. Throws TCatalogueError, touching nothing, when the
    // file is not a regular file, not a catalogue, of a newer schema, or (Write) read-only.
    static std::unique_ptr<TCatalogue> Open(const std::string& path, TMode mode);
    ~TCatalogue();
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    const std::string& Path() const { return path_; }

    // Takes `count` new labels PREFIX_DATE_NNN (date "20261208", NNN the disc's number, at
    // least 3 digits) in one transaction, so two writers never share one. REQUIRES: Write.
    std::vector<std::string> ReserveLabels(const std::string& prefix, const std::string& date,
                                           std::size_t count);
    // Records a written disc with its items and files in one transaction, replacing a
    // reserved or earlier disc of the same label. REQUIRES: Write.
    void RecordDisc(const TCatalogueDisc& disc);
    // Marks a disc burned. Throws UnknownLabel. REQUIRES: Write.
    void MarkBurned(const std::string& label, const std::string& drive, const std::string& medium,
                    const std::string& date);
    void MarkVerified(const std::string& label, const std::string& date);
    // Removes a disc and what it records. Throws UnknownLabel.
    void Forget(const std::string& label);

    // Every disc but reserved ones, oldest first, without items and files.
    std::vector<TCatalogueDisc> Discs();
    // One disc with its items and files (disc path order), or nothing.
    std::optional<TCatalogueDisc> Disc(const std::string& label);
    // Files and items whose source or disc path contains `text`, ASCII case-insensitively.
    std::vector<TCatalogueMatch> Find(const std::string& text);
    // Whether any disc is recorded burned: without one, no item needs its files compared.
    bool AnyBurned();
    // The files of burned discs whose source path is `path` or lies below it, with their
    // discs' labels in `labels` (one per file, same order).
    std::vector<TCatalogueFile> BurnedFilesUnder(const std::string& path,
                                                 std::vector<std::string>& labels);

private:
    TCatalogue(sqlite3* db, std::string path);
    sqlite3* db_;
    std::string path_;
};

} // namespace platterwise
