// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageDirectory.h"

#include <cstddef>
#include <vector>

namespace platterwise {
namespace {

constexpr auto kBlock = std::size_t(kSectorBytes);
constexpr std::size_t kCeEntry = 28;   // the entry that points to the continuation area
constexpr std::size_t kPxTf = 36 + 26; // attributes (RRIP 1.10) and times
constexpr std::size_t kPn = 20;        // device number
constexpr std::size_t kNmHead = 5;     // head of the name entry
constexpr std::size_t kSlHead = 5;     // head of a link-text entry
constexpr std::size_t kEntryMax = 255; // longest system-use entry
constexpr std::size_t kRootDot = 98;   // attributes, times, SP and CE entries, padded to even
constexpr std::size_t kRootEr = 237;   // the RRIP 1.10 announcement, in the continuation area

// Adds `add` bytes to a continuation area holding `base` + `ce` bytes; with `aligned`, a
// piece that would run past a sector moves to the next one behind a pointer entry.
void AddToContinuation(std::size_t& ce, std::size_t base, std::size_t add, bool aligned) {
    if (aligned && (ce + base + add + kCeEntry - 1) / kBlock != (ce + base) / kBlock) {
        ce += kCeEntry;
        if ((ce + base) % kBlock != 0) {
            ce += kBlock - (ce + base) % kBlock;
        }
    }
    ce += add;
}

// Lengths of the link text's components as its entries hold them ("." and ".." as flags).
std::vector<std::size_t> LinkComponents(std::string_view target) {
    std::vector<std::size_t> lengths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = target.find('/', start);
        const std::string_view part = target.substr(
            start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        lengths.push_back(part == "." || part == ".." ? 0 : part.size());
        if (slash == std::string_view::npos || slash + 1 == target.size()) {
            break;
        }
        start = slash + 1;
    }
    return lengths;
}

// One attempt at fitting the name and link entries: 0 = no continuation area allowed,
// 1 = allowed but must not straddle a sector, 2 = allowed, moved to the next sector.
// Returns false when the attempt fails.
bool FitNameAndLink(const TIsoRecordFacts& facts, std::size_t space, std::size_t base, int mode,
                    std::size_t& su, std::size_t& ce) {
    const bool aligned = mode == 2;
    const std::size_t prepad = aligned && base % kBlock != 0 ? kBlock - base % kBlock : 0;
    if (mode > 0) {
        su += kCeEntry;
    }
    if (su + kNmHead + facts.NameLength <= space) {
        su += kNmHead + facts.NameLength;
    } else {
        if (mode == 0) {
            return false;
        }
        const std::size_t rest = facts.NameLength - (space - su - kNmHead);
        AddToContinuation(ce, base, kNmHead + rest, aligned);
        su = space;
    }
    if (facts.IsLink) {
        std::size_t sl = kSlHead;
        bool inContinuation = ce != 0;
        for (std::size_t part : LinkComponents(facts.LinkTarget)) {
            const std::size_t clen = part + 2;
            if (!inContinuation) {
                if (su + sl + clen > space) {
                    if (mode == 0) {
                        return false;
                    }
                    inContinuation = true;
                } else {
                    sl += clen;
                }
            }
            if (!inContinuation) {
                continue;
            }
            if (sl + clen <= kEntryMax) {
                sl += clen;
            } else if (clen <= 250) {
                AddToContinuation(ce, base, sl, aligned);
                sl = kSlHead + clen;
            } else if (const auto fit = std::ptrdiff_t(kEntryMax) - std::ptrdiff_t(sl) - 2;
                       std::ptrdiff_t(clen) - 250 <= fit) {
                AddToContinuation(ce, base, kEntryMax, aligned);
                sl = kSlHead + clen - std::size_t(fit);
            } else {
                AddToContinuation(ce, base, sl, aligned);
                AddToContinuation(ce, base, kEntryMax, aligned);
                sl = kSlHead + (clen - 250) + 2;
            }
        }
        if (inContinuation) {
            AddToContinuation(ce, base, sl, aligned);
        } else {
            su += sl;
        }
    }
    if (mode == 1 && ce > 0 && base / kBlock != (base + ce + kCeEntry - 1) / kBlock) {
        return false;
    }
    ce += prepad;
    return true;
}

} // namespace

TIsoExtent::TIsoExtent(bool imageRoot)
    : length_(imageRoot ? 68 + kRootDot + kPxTf : 68 + 2 * kPxTf)
    , continuation_(imageRoot ? kRootEr : 0) {}

std::size_t TIsoExtent::RecordLength(const TIsoRecordFacts& facts, std::size_t base,
                                     std::size_t& continuation) {
    std::size_t used = 33 + facts.IdLength + (facts.IsFile ? 2 : 0);
    used += used % 2;
    const std::size_t space = 254 - used;
    const std::size_t fixed = kPxTf + (facts.IsDevice ? kPn : 0);
    std::size_t su = 0;
    continuation = 0;
    for (int mode = 0; mode <= 2; ++mode) {
        su = fixed;
        continuation = 0;
        if (FitNameAndLink(facts, space, base, mode, su, continuation)) {
            break;
        }
    }
    su += su % 2;
    return used + su;
}

std::size_t TIsoExtent::Add(const TIsoRecordFacts& facts) {
    std::size_t ce = 0;
    const std::size_t length = RecordLength(facts, std::size_t(continuation_), ce);
    continuation_ += std::int64_t(ce);
    length_ = PlaceRecord(length_, length);
    return length;
}

std::int64_t TIsoExtent::Sectors() const {
    return SectorsFor(length_) + SectorsFor(continuation_);
}

std::int64_t PlaceRecord(std::int64_t extent, std::size_t length) {
    const std::int64_t remaining = std::int64_t(kBlock) - extent % std::int64_t(kBlock);
    return extent + (std::int64_t(length) > remaining ? remaining : 0) + std::int64_t(length);
}

} // namespace platterwise
