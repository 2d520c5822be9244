// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileText.h"

#include <QList>

namespace platterwise {
namespace {

struct Line {
    QByteArray Content; // without its line break
    QByteArray Break;   // "\n", "\r\n", or empty for a last line without one
};

// What a line is, as views into its bytes.
struct TShape {
    enum Kind { Other, Section, Key } Kind = Other;
    QByteArrayView Name;  // section or key name, untrimmed
    QByteArrayView Value; // raw value after '=', for keys
};

TShape Shape(QByteArrayView content) {
    TShape shape;
    const QByteArrayView t = content.trimmed();
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        shape.Kind = TShape::Section;
        shape.Name = t.sliced(1, (close < 0 ? t.size() : close) - 1);
    } else if (!t.isEmpty() && t[0] != ';' && t[0] != '#') {
        const qsizetype eq = t.indexOf('=');
        if (eq > 0) {
            shape.Kind = TShape::Key;
            shape.Name = t.first(eq);
            shape.Value = t.sliced(eq + 1);
        }
    }
    return shape;
}

QList<Line> Split(const QByteArray& text) {
    QList<Line> lines;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype lf = text.indexOf('\n', at);
        const qsizetype end = lf < 0 ? text.size() : lf;
        const bool crlf = lf > at && text[lf - 1] == '\r';
        const qsizetype contentEnd = crlf ? end - 1 : end;
        lines.push_back({text.mid(at, contentEnd - at),
                         lf < 0 ? QByteArray() : text.mid(contentEnd, lf + 1 - contentEnd)});
        at = lf < 0 ? text.size() : lf + 1;
    }
    return lines;
}

// The break new lines get: the first one the text uses, LF in a text without any.
QByteArray DefaultBreak(const QList<Line>& lines) {
    for (const Line& l : lines) {
        if (!l.Break.isEmpty()) {
            return l.Break;
        }
    }
    return QByteArrayLiteral("\n");
}

// Names match whatever their case and the blanks around them.
bool SameName(QByteArrayView name, const QString& wanted) {
    return QString::fromUtf8(name).trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
}

QString CleanValue(QString v) {
    v = v.trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) {
        v = v.mid(1, v.size() - 2);
    }
    return v.left(kProfileValueLimit);
}

// Inserts `line` after index `after`, giving it the break of the line before it; a last line
// without a break gets one, and the new line becomes the last without one.
void InsertAfter(QList<Line>& lines, qsizetype after, Line line) {
    Line& before = lines[after];
    if (before.Break.isEmpty()) {
        before.Break = DefaultBreak(lines);
    } else {
        line.Break = before.Break;
    }
    lines.insert(after + 1, std::move(line));
}

} // namespace

QString ProfileTextValue(const QByteArray& text, const QString& section, const QString& key,
                         const QString& defaultValue) {
    bool inSection = false;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf('\n', at);
        end = end < 0 ? text.size() : end;
        const TShape shape = Shape(QByteArrayView(text).sliced(at, end - at));
        at = end + 1;
        if (shape.Kind == TShape::Section) {
            inSection = SameName(shape.Name, section);
        } else if (inSection && shape.Kind == TShape::Key && SameName(shape.Name, key)) {
            return CleanValue(QString::fromUtf8(shape.Value));
        }
    }
    return defaultValue.left(kProfileValueLimit);
}

QByteArray ProfileTextWith(const QByteArray& text, const QString& section, const QString& key,
                           const QString& value) {
    QList<Line> lines = Split(text);
    QByteArray keyLine = (key + u'=' + value).toUtf8();
    if (const qsizetype cut = keyLine.indexOf('\n'); cut >= 0) {
        keyLine.truncate(cut);
    }
    if (const qsizetype cut = keyLine.indexOf('\r'); cut >= 0) {
        keyLine.truncate(cut);
    }

    qsizetype sectionAt = -1, lastInSection = -1, keyAt = -1;
    for (qsizetype i = 0; i < lines.size() && keyAt < 0; ++i) {
        const TShape shape = Shape(lines[i].Content);
        if (shape.Kind == TShape::Section) {
            if (sectionAt >= 0) {
                break; // past the end of the (first) matching section
            }
            if (SameName(shape.Name, section)) {
                sectionAt = lastInSection = i;
            }
        } else if (sectionAt >= 0) {
            if (!lines[i].Content.trimmed().isEmpty()) {
                lastInSection = i;
            }
            if (shape.Kind == TShape::Key && SameName(shape.Name, key)) {
                keyAt = i;
            }
        }
    }
    if (keyAt >= 0) {
        lines[keyAt].Content = keyLine;
    } else if (sectionAt >= 0) {
        InsertAfter(lines, lastInSection, {keyLine, {}});
    } else {
        const QByteArray lineBreak = DefaultBreak(lines);
        if (!lines.isEmpty() && lines.back().Break.isEmpty()) {
            lines.back().Break = lineBreak;
        }
        if (!lines.isEmpty() && !lines.back().Content.trimmed().isEmpty()) {
            lines.push_back({{}, lineBreak});
        }
        lines.push_back({(u'[' + section + u']').toUtf8(), lineBreak});
        lines.push_back({keyLine, lineBreak});
    }

    QByteArray out;
    out.reserve(text.size() + keyLine.size() + 2);
    for (const Line& l : lines) {
        out += l.Content;
        out += l.Break;
    }
    return out;
}

} // namespace platterwise
