// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemIdList.h"

#include <cstdlib>
#include <cstring>

namespace platterwise {
namespace {

const unsigned char* Bytes(const TItemIdList* p) {
    return reinterpret_cast<const unsigned char*>(p);
}
unsigned char* Bytes(TItemIdList* p) {
    return reinterpret_cast<unsigned char*>(p);
}

std::size_t ReadCount(const unsigned char* p) {
    return std::size_t(p[0]) | std::size_t(p[1]) << 8;
}
void WriteCount(unsigned char* p, std::size_t n) {
    p[0] = static_cast<unsigned char>(n & 0xFF);
    p[1] = static_cast<unsigned char>((n >> 8) & 0xFF);
}

} // namespace

void IdListFree(TItemIdList* list) {
    std::free(list);
}

TIdListPtr IdListAlloc(std::size_t size) {
    return TIdListPtr(static_cast<TItemIdList*>(std::calloc(1, size == 0 ? 1 : size)));
}

const TItemIdList* IdListNext(const TItemIdList* id) {
    const unsigned char* p = Bytes(id);
    return reinterpret_cast<const TItemIdList*>(p + ReadCount(p));
}

TItemIdList* IdListNext(TItemIdList* id) {
    unsigned char* p = Bytes(id);
    return reinterpret_cast<TItemIdList*>(p + ReadCount(p));
}

void IdListStripLast(TItemIdList* list) {
    if (list == nullptr || IdByteCount(list) == 0) {
        return;
    }
    TItemIdList* last = list;
    for (TItemIdList* p = list; IdByteCount(p) != 0; p = IdListNext(p)) {
        last = p;
    }
    WriteCount(Bytes(last), 0);
}

int IdListCount(const TItemIdList* list) {
    int n = 0;
    for (const TItemIdList* p = list; p != nullptr && IdByteCount(p) != 0; p = IdListNext(p)) {
        ++n;
    }
    return n;
}

std::size_t IdListSize(const TItemIdList* list) {
    if (list == nullptr) {
        return 0;
    }
    std::size_t size = 2;
    for (const TItemIdList* p = list; IdByteCount(p) != 0; p = IdListNext(p)) {
        size += IdByteCount(p);
    }
    return size;
}

TIdListPtr IdListCopy(const TItemIdList* list) {
    const std::size_t size = IdListSize(list);
    TIdListPtr copy = IdListAlloc(size);
    if (copy && size != 0) {
        std::memcpy(copy.get(), list, size);
    }
    return copy;
}

TIdListPtr IdListConcat(const TItemIdList* a, const TItemIdList* b) {
    const std::size_t sizeA = a == nullptr ? 0 : IdListSize(a) - 2;
    const std::size_t sizeB = IdListSize(b);
    TIdListPtr result = IdListAlloc(sizeA + sizeB);
    if (!result) {
        return result;
    }
    if (sizeA != 0) {
        std::memcpy(result.get(), a, sizeA);
    }
    if (sizeB != 0) {
        std::memcpy(Bytes(result.get()) + sizeA, b, sizeB);
    }
    return result;
}

TIdListPtr IdListLast(const TItemIdList* list) {
    const TItemIdList* last = nullptr;
    for (const TItemIdList* p = list; p != nullptr && IdByteCount(p) != 0; p = IdListNext(p)) {
        last = p;
    }
    if (last == nullptr) {
        return IdListAlloc(2);
    }
    const std::size_t count = IdByteCount(last);
    TIdListPtr copy = IdListAlloc(count + 2);
    if (copy) {
        std::memcpy(copy.get(), last, count);
    }
    return copy;
}

QByteArray IdData(const TItemIdList* id) {
    const std::size_t count = IdByteCount(id);
    if (count <= 2) {
        return {};
    }
    return QByteArray(reinterpret_cast<const char*>(Bytes(id) + 2), qsizetype(count - 2));
}

QByteArray IdDataView(const TItemIdList* id) {
    const std::size_t count = IdByteCount(id);
    if (count <= 2) {
        return {};
    }
    return QByteArray::fromRawData(reinterpret_cast<const char*>(Bytes(id) + 2),
                                   qsizetype(count - 2));
}

TIdListPtr IdListFromData(const QByteArray& data) {
    const std::size_t count = std::size_t(data.size()) + 2;
    if (count > 0xFFFF) {
        return nullptr;
    }
    TIdListPtr list = IdListAlloc(count + 2);
    if (list) {
        WriteCount(Bytes(list.get()), count);
        std::memcpy(Bytes(list.get()) + 2, data.constData(), std::size_t(data.size()));
    }
    return list;
}

QByteArray IdListBytes(const TItemIdList* list) {
    return QByteArray(reinterpret_cast<const char*>(list), qsizetype(IdListSize(list)));
}

} // namespace platterwise
