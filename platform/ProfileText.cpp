#include "ProfileText.h"

#include <QList>

namespace platterwise {
namespace {

struct Line {
    QByteArray Content; // without its line break
    QByteArray Break;   // "\n", "\r\n", or empty for a last line without one
    enum Kind { Other, Section, Key } Kind = Other;
    QString Name;     // section or key name, trimmed
    QByteArray Value; // raw value after '=', for keys
};

Line Classify(QByteArray content, QByteArray lineBreak) {
    Line line;
    line.Content = std::move(content);
    line.Break = std::move(lineBreak);
    const QByteArray t = line.Content.trimmed();
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        line.Kind = Line::Section;
        line.Name = QString::fromUtf8(t.mid(1, close < 0 ? -1 : close - 1)).trimmed();
    } else if (!t.isEmpty() && t[0] != ';' && t[0] != '#') {
        const qsizetype eq = t.indexOf('=');
        if (eq > 0) {
            line.Kind = Line::Key;
            line.Name = QString::fromUtf8(t.left(eq)).trimmed();
            line.Value = t.mid(eq + 1);
        }
    }
    return line;
}

QList<Line> Split(const QByteArray& text) {
    QList<Line> lines;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype lf = text.indexOf('\n', at);
        const qsizetype end = lf < 0 ? text.size() : lf;
        const bool crlf = lf > at && text[lf - 1] == '\r';
        const qsizetype contentEnd = crlf ? end - 1 : end;
        lines.push_back(
            Classify(text.mid(at, contentEnd - at),
                     lf < 0 ? QByteArray() : text.mid(contentEnd, lf + 1 - contentEnd)));
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

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
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
    for (const Line& l : Split(text)) {
        if (l.Kind == Line::Section) {
            inSection = SameName(l.Name, section);
        } else if (inSection && l.Kind == Line::Key && SameName(l.Name, key)) {
            return CleanValue(QString::fromUtf8(l.Value));
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
        const Line& l = lines[i];
        if (l.Kind == Line::Section) {
            if (sectionAt >= 0) {
                break; // past the end of the (first) matching section
            }
            if (SameName(l.Name, section)) {
                sectionAt = lastInSection = i;
            }
        } else if (sectionAt >= 0) {
            if (!l.Content.trimmed().isEmpty()) {
                lastInSection = i;
            }
            if (l.Kind == Line::Key && SameName(l.Name, key)) {
                keyAt = i;
            }
        }
    }
    if (keyAt >= 0) {
        lines[keyAt] = Classify(keyLine, lines[keyAt].Break);
    } else if (sectionAt >= 0) {
        InsertAfter(lines, lastInSection, Classify(keyLine, {}));
    } else {
        const QByteArray lineBreak = DefaultBreak(lines);
        if (!lines.isEmpty() && lines.back().Break.isEmpty()) {
            lines.back().Break = lineBreak;
        }
        if (!lines.isEmpty() && !lines.back().Content.trimmed().isEmpty()) {
            lines.push_back(Classify({}, lineBreak));
        }
        lines.push_back(Classify((u'[' + section + u']').toUtf8(), lineBreak));
        lines.push_back(Classify(keyLine, lineBreak));
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
