// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Item identifier lists in their binary form: each identifier is a 16-bit little-endian byte
// count (the count field included) followed by provider data; a 16-bit zero ends the list.
// The empty list (the terminator alone) names the desktop. Lists come from the shell
// allocator (malloc/free here); whoever receives one from these routines owns it.
#include <QByteArray>
#include <cstddef>
#include <memory>

namespace platterwise {

// Opaque: a pointer to the first byte of a list. Read it only through the routines below.
struct TItemIdList;

void IdListFree(TItemIdList* list);

struct TIdListDeleter {
    void operator()(TItemIdList* list) const { IdListFree(list); }
};
using TIdListPtr = std::unique_ptr<TItemIdList, TIdListDeleter>;

// A zero-filled block of `size` bytes; none when allocation fails.
TIdListPtr IdListAlloc(std::size_t size);
// The identifier after `id` (id + its byte count). REQUIRES: `id` is not the terminator.
const TItemIdList* IdListNext(const TItemIdList* id);
TItemIdList* IdListNext(TItemIdList* id);
// In place: the byte count of the last identifier becomes 0. None or empty: unchanged.
void IdListStripLast(TItemIdList* list);
// Identifiers before the terminator; 0 for none.
int IdListCount(const TItemIdList* list);
// Sum of the byte counts plus 2 for the terminator; 0 for none.
std::size_t IdListSize(const TItemIdList* list);
TIdListPtr IdListCopy(const TItemIdList* list);
// `a` without its terminator (nothing when `a` is none), then `b`.
TIdListPtr IdListConcat(const TItemIdList* a, const TItemIdList* b);
// A copy of the last identifier as a one-identifier list; the empty list for an empty one.
TIdListPtr IdListLast(const TItemIdList* list);

// The byte count of the identifier at `id` (0 at the terminator) and its provider data.
inline std::size_t IdByteCount(const TItemIdList* id) {
    const auto* p = reinterpret_cast<const unsigned char*>(id);
    return std::size_t(p[0]) | std::size_t(p[1]) << 8;
}
QByteArray IdData(const TItemIdList* id);
// The same data without a copy: valid only while the list lives.
QByteArray IdDataView(const TItemIdList* id);
// A one-identifier list holding `data`; none when `data` is too long for a 16-bit count.
TIdListPtr IdListFromData(const QByteArray& data);
// The list's bytes, terminator included, and the list made from such bytes (tests, compares).
QByteArray IdListBytes(const TItemIdList* list);

} // namespace platterwise
