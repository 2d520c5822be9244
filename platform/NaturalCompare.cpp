// SPDX-License-Identifier: GPL-3.0-or-later
#include "NaturalCompare.h"

#include <QString>

namespace platterwise {
namespace {

template <typename Ch>
bool IsDigit(Ch c) {
    return c >= Ch(u'0') && c <= Ch(u'9');
}

// Compares the digit runs starting at i and j by value and moves past them. Equal values
// with more leading zeros sort after, but only when nothing else decides (returned in zeros).
template <typename S>
int CompareNumbers(const S& a, qsizetype& i, const S& b, qsizetype& j, int& zeros) {
    qsizetype za = 0, zb = 0;
    while (i < a.size() && a[i] == u'0') {
        ++i, ++za;
    }
    while (j < b.size() && b[j] == u'0') {
        ++j, ++zb;
    }
    qsizetype ei = i, ej = j;
    while (ei < a.size() && IsDigit(a[ei])) {
        ++ei;
    }
    while (ej < b.size() && IsDigit(b[ej])) {
        ++ej;
    }
    int result = 0;
    if (ei - i != ej - j) {
        result = ei - i < ej - j ? -1 : 1;
    } else {
        for (qsizetype k = 0; k < ei - i && result == 0; ++k) {
            if (a[i + k] != b[j + k]) {
                result = a[i + k] < b[j + k] ? -1 : 1;
            }
        }
    }
    if (result == 0 && zeros == 0 && za != zb) {
        zeros = za < zb ? -1 : 1;
    }
    i = ei;
    j = ej;
    return result;
}

// Compares byte by byte while both sides are ASCII. Returns false, leaving `result` alone,
// at the first byte of 0x80 or above that would have to be compared: the whole names then
// compare as Unicode. Until that byte both orders agree, since ASCII maps one to one onto
// UTF-16, so a decision reached earlier is the Unicode one.
bool CompareAscii(const QByteArray& a, const QByteArray& b, int& zeros, int& result) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a.constData());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.constData());
    const qsizetype na = a.size(), nb = b.size();
    qsizetype i = 0, j = 0;
    while (i < na && j < nb) {
        unsigned ca = pa[i], cb = pb[j];
        if (ca == cb && !IsDigit(ca)) {
            if (ca >= 0x80) {
                return false;
            }
            ++i, ++j;
            continue;
        }
        if (IsDigit(ca) && IsDigit(cb)) {
            if (const int r = CompareNumbers(a, i, b, j, zeros)) {
                result = r;
                return true;
            }
            continue;
        }
        if (ca >= 0x80 || cb >= 0x80) {
            return false;
        }
        ca = ca >= 'A' && ca <= 'Z' ? ca - 'A' + 'a' : ca;
        cb = cb >= 'A' && cb <= 'Z' ? cb - 'A' + 'a' : cb;
        if (ca != cb) {
            result = ca < cb ? -1 : 1;
            return true;
        }
        ++i, ++j;
    }
    result = i < na ? 1 : (j < nb ? -1 : 0);
    return true;
}

int CompareUnicode(const QString& a, const QString& b, int& zeros) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i].unicode()) && IsDigit(b[j].unicode())) {
            if (const int r = CompareNumbers(a, i, b, j, zeros)) {
                return r;
            }
            continue;
        }
        const char16_t ca = a[i].toCaseFolded().unicode(), cb = b[j].toCaseFolded().unicode();
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i, ++j;
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

} // namespace

int NaturalCompare(const QByteArray& a, const QByteArray& b) {
    int zeros = 0;
    int result = 0;
    if (!CompareAscii(a, b, zeros, result)) {
        zeros = 0;
        result = CompareUnicode(QString::fromUtf8(a), QString::fromUtf8(b), zeros);
    }
    if (result == 0) {
        result = zeros;
    }
    if (result == 0) {
        result = a.compare(b);
    }
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

} // namespace platterwise
