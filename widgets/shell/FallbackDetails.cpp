// SPDX-License-Identifier: GPL-3.0-or-later
#include "FallbackDetails.h"

#include <QLocale>
#include <QRegularExpression>

namespace platterwise {

bool DateTimeToFatDateTime(const QDateTime& local, std::uint32_t& fat) {
    const QDate d = local.date();
    const QTime t = local.time();
    if (!local.isValid() || d.year() < 1980 || d.year() > 2107) {
        return false;
    }
    const std::uint32_t date = std::uint32_t((d.year() - 1980) << 9 | d.month() << 5 | d.day());
    const std::uint32_t time = std::uint32_t(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    fat = date << 16 | time;
    return true;
}

QDateTime FatDateTimeToDateTime(std::uint32_t fat) {
    const std::uint32_t date = fat >> 16, time = fat & 0xFFFF;
    return QDateTime(QDate(int(date >> 9) + 1980, int(date >> 5 & 0xF), int(date & 0x1F)),
                     QTime(int(time >> 11), int(time >> 5 & 0x3F), int(time & 0x1F) * 2));
}

QDateTime MinusOneDateTime() {
    return QDateTime(QDate(1899, 12, 29), QTime(0, 0));
}

QString FormatDetailDateTime(const QDateTime& value) {
    const QLocale locale;
    QString text = locale.toString(value.date(), locale.dateFormat(QLocale::ShortFormat));
    if (value.time() != QTime(0, 0)) {
        // The long time format without the time zone, which the file system does not keep.
        static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
        const QString format = locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
        text += u' ' + locale.toString(value.time(), format);
    }
    return text;
}

std::uint32_t FileAttributeBits(const struct stat& st, bool link, const QByteArray& name) {
    std::uint32_t bits = 0;
    if ((st.st_mode & S_IWUSR) == 0) {
        bits |= 0x1;
    }
    if (name.startsWith('.')) {
        bits |= 0x2;
    }
    if (S_ISDIR(st.st_mode)) {
        bits |= 0x10;
    }
    if (link) {
        bits |= 0x400;
    }
    return bits == 0 ? 0x80 : bits;
}

QStringList FallbackDetailTexts(const struct stat& st, bool link, const QByteArray& name,
                                int count) {
    const bool directory = S_ISDIR(st.st_mode);
    QStringList texts;
    for (int c = 1; c <= count; ++c) {
        switch (c) {
        case 1:
            texts += directory ? QStringLiteral("-1") : QString::number(qint64(st.st_size));
            break;
        case 2: {
            const qsizetype dot = name.lastIndexOf('.');
            texts += dot < 0 ? QString() : QString::fromUtf8(name.mid(dot));
            break;
        }
        case 3: {
            std::uint32_t fat = 0;
            const QDateTime local = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
            texts += FormatDetailDateTime(!directory && DateTimeToFatDateTime(local, fat)
                                              ? FatDateTimeToDateTime(fat)
                                              : MinusOneDateTime());
            break;
        }
        case 4:
            texts += QString::number(FileAttributeBits(st, link, name));
            break;
        default:
            texts += QString();
            break;
        }
    }
    return texts;
}

} // namespace platterwise
