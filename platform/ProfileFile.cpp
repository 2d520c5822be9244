#include "ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

struct Line {
    QString Text; // without its line break
    enum Kind { Other, Section, Key } Kind = Other;
    QString Name;  // section or key name, trimmed
    QString Value; // raw value after '=', for keys
};

Line Classify(const QString& text) {
    Line line;
    line.Text = text;
    const QString t = text.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        line.Kind = Line::Section;
        line.Name = t.mid(1, close < 0 ? -1 : close - 1).trimmed();
    } else if (!t.isEmpty() && t[0] != u';' && t[0] != u'#') {
        const qsizetype eq = t.indexOf(u'=');
        if (eq > 0) {
            line.Kind = Line::Key;
            line.Name = t.left(eq).trimmed();
            line.Value = t.mid(eq + 1);
        }
    }
    return line;
}

struct Document {
    QList<Line> Lines;
    QString Break = QStringLiteral("\n");
    bool EndsWithBreak = true;
};

bool Load(const QString& path, Document& doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString content = QString::fromUtf8(file.readAll());
    if (content.contains(QStringLiteral("\r\n"))) {
        doc.Break = QStringLiteral("\r\n");
    }
    QStringList lines = content.split(u'\n');
    doc.EndsWithBreak = content.isEmpty() || content.endsWith(u'\n');
    if (doc.EndsWithBreak) {
        lines.removeLast();
    }
    for (QString& l : lines) {
        if (l.endsWith(u'\r')) {
            l.chop(1);
        }
        doc.Lines.push_back(Classify(l));
    }
    return true;
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

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Writes a temporary file beside `path` and renames it over `path`, so readers see the old
// file or the new one and never a part. Every step is checked: QSaveFile in Qt 6.4 reports
// success after a full disk has left it an empty file.
bool ReplaceFileAtomically(const QByteArray& path, const QByteArray& bytes) {
    const qsizetype slash = path.lastIndexOf('/');
    QByteArray temp = path.left(slash + 1) + '.' + path.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), path.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
    }
    return ok;
}

} // namespace

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue) {
    Document doc;
    if (!Load(path, doc)) {
        return defaultValue.left(kProfileValueLimit);
    }
    bool inSection = false;
    for (const Line& l : doc.Lines) {
        if (l.Kind == Line::Section) {
            inSection = SameName(l.Name, section);
        } else if (inSection && l.Kind == Line::Key && SameName(l.Name, key)) {
            return CleanValue(l.Value);
        }
    }
    return defaultValue.left(kProfileValueLimit);
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    Document doc;
    const bool exists = QFileInfo::exists(path);
    if (exists && (!Load(path, doc) || ::access(QFile::encodeName(path).constData(), W_OK) != 0)) {
        return false;
    }

    // A line break inside a value would end the line and could forge other keys: the value
    // is cut there.
    const qsizetype lineBreak = value.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    const QString keyLine = key + u'=' + (lineBreak < 0 ? value : value.left(lineBreak));
    qsizetype sectionAt = -1, lastInSection = -1, keyAt = -1;
    for (qsizetype i = 0; i < doc.Lines.size() && keyAt < 0; ++i) {
        const Line& l = doc.Lines[i];
        if (l.Kind == Line::Section) {
            if (sectionAt >= 0) {
                break; // past the end of the (first) matching section
            }
            if (SameName(l.Name, section)) {
                sectionAt = lastInSection = i;
            }
        } else if (sectionAt >= 0) {
            if (!l.Text.trimmed().isEmpty()) {
                lastInSection = i;
            }
            if (l.Kind == Line::Key && SameName(l.Name, key)) {
                keyAt = i;
            }
        }
    }
    if (keyAt >= 0) {
        doc.Lines[keyAt] = Classify(keyLine);
    } else if (sectionAt >= 0) {
        doc.Lines.insert(lastInSection + 1, Classify(keyLine));
    } else {
        if (!doc.Lines.isEmpty() && !doc.Lines.back().Text.trimmed().isEmpty()) {
            doc.Lines.push_back(Line{});
        }
        doc.Lines.push_back(Classify(u'[' + section + u']'));
        doc.Lines.push_back(Classify(keyLine));
        doc.EndsWithBreak = true;
    }

    QString out;
    for (qsizetype i = 0; i < doc.Lines.size(); ++i) {
        out += doc.Lines[i].Text;
        if (i + 1 < doc.Lines.size() || doc.EndsWithBreak) {
            out += doc.Break;
        }
    }
    // Through a link to the file it names, as a plain write would.
    const QFileInfo info(path);
    const QString target =
        info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : path;
    return ReplaceFileAtomically(QFile::encodeName(target), out.toUtf8());
}

} // namespace platterwise
