// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProfileFile.h"

#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

using namespace Qt::StringLiterals;

class ProfileFile : public ::testing::Test {
protected:
    QString Path() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    void Put(const QByteArray& content) const {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray Content() const {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString Read(const char* key, const char* def = "default", const char* section = "MAIN") const {
        return ReadProfileString(Path(), QString::fromUtf8(section), QString::fromUtf8(key),
                                 QString::fromUtf8(def));
    }
    bool Write(const char* key, const QString& value, const char* section = "MAIN") const {
        return WriteProfileString(Path(), QString::fromUtf8(section), QString::fromUtf8(key),
                                  value);
    }
    QTemporaryDir dir_;
};

TEST_F(ProfileFile, MissingFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(Read("SHELL"), u"default");
    Put("[OTHER]\nSHELL=3\n[MAIN]\nTEMPLATE=1\n");
    EXPECT_EQ(Read("SHELL"), u"default");
    EXPECT_EQ(Read("TEMPLATE", "x", "NOWHERE"), u"x");
    EXPECT_EQ(Read("TEMPLATE"), u"1");
}

TEST_F(ProfileFile, NamesMatchWhateverTheirCaseAndBlanksAroundValuesAreDropped) {
    Put("; remembered by Platterwise\n[main]\n  shell =  3  \nLast_Loc=\t/home/u/My Music \r\n"
        "QUOTED=\" YES \"\nSINGLE='a'\nEMPTY=\nNOEQUALS\n[Main]\nSHELL=9\n");
    EXPECT_EQ(Read("SHELL"), u"3"); // the first section of that name holds
    EXPECT_EQ(Read("LAST_LOC"), u"/home/u/My Music");
    EXPECT_EQ(Read("quoted"), u" YES ");
    EXPECT_EQ(Read("SINGLE"), u"a");
    EXPECT_EQ(Read("EMPTY"), u"");
    EXPECT_EQ(Read("NOEQUALS"), u"default");
}

TEST_F(ProfileFile, LongValuesAreCutAt2047Characters) {
    const QString longValue(3000, u'x');
    ASSERT_TRUE(Write("LAST_LOC", longValue));
    EXPECT_EQ(Read("LAST_LOC").size(), 2047);
    EXPECT_EQ(ReadProfileString(Path(), u"MAIN"_s, u"NONE"_s, longValue).size(), 2047);
}

TEST_F(ProfileFile, FirstWriteCreatesTheFileWithItsSection) {
    ASSERT_TRUE(Write("LAST_LOC", QStringLiteral("/home/u/Музыка")));
    EXPECT_EQ(Content(), QByteArray("[MAIN]\nLAST_LOC=/home/u/Музыка\n"));
    EXPECT_EQ(Read("LAST_LOC"), QStringLiteral("/home/u/Музыка"));
}

TEST_F(ProfileFile, WritesKeepEverythingElseInItsPlace) {
    Put("; comment\n[MAIN]\nTEMPLATE=1\n\nRANDOM=1000\n\n[OTHER]\nkey=value\n");
    ASSERT_TRUE(Write("template", QStringLiteral("3")));
    ASSERT_TRUE(Write("DEVIATION", QStringLiteral("40")));
    ASSERT_TRUE(Write("NEW", QStringLiteral("x"), "THIRD"));
    EXPECT_EQ(Content(), QByteArray("; comment\n[MAIN]\ntemplate=3\n\nRANDOM=1000\nDEVIATION=40\n\n"
                                    "[OTHER]\nkey=value\n\n[THIRD]\nNEW=x\n"));
}

TEST_F(ProfileFile, WindowsLineBreaksStayWindowsLineBreaks) {
    Put("[MAIN]\r\nSHELL=1\r\n");
    ASSERT_TRUE(Write("SHELL", QStringLiteral("2")));
    ASSERT_TRUE(Write("RANDOM", QStringLiteral("5")));
    EXPECT_EQ(Content(), QByteArray("[MAIN]\r\nSHELL=2\r\nRANDOM=5\r\n"));
}

TEST_F(ProfileFile, LinesAWriteDoesNotChangeKeepEveryByte) {
    // Other keys in Windows-1251, a stray byte, mixed line breaks and no final break.
    const QByteArray other = "; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\r\n[MAIN]\nSHELL=1\r\n"
                             "LAST_LOC=/\xcc\xf3\xe7\xfb\xea\xe0\n[OTHER]\r\nk=\xff\xfe";
    Put(other);
    ASSERT_TRUE(Write("SHELL", QStringLiteral("2")));
    ASSERT_TRUE(Write("RANDOM", QStringLiteral("5")));
    ASSERT_TRUE(Write("NEW", QStringLiteral("x"), "OTHER"));
    EXPECT_EQ(Content(), QByteArray("; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\r\n[MAIN]\nSHELL=2\r\n"
                                    "LAST_LOC=/\xcc\xf3\xe7\xfb\xea\xe0\nRANDOM=5\n[OTHER]\r\n"
                                    "k=\xff\xfe\r\nNEW=x"));
}

TEST_F(ProfileFile, SpecialFilesUnderTheNameReadAsMissingAndRefuseWritesWithoutBlocking) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path()).constData(), 0644), 0);
    EXPECT_EQ(Read("SHELL"), u"default");
    EXPECT_FALSE(Write("SHELL", QStringLiteral("1")));
    ASSERT_TRUE(QFile::remove(Path()));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("settings.ini")));
    EXPECT_EQ(Read("SHELL"), u"default");
    EXPECT_FALSE(Write("SHELL", QStringLiteral("1")));
}

TEST_F(ProfileFile, AWriteRemovesTheTemporariesKilledWritesLeftAndNothingElse) {
    const auto make = [&](const char* name, bool old) {
        const QByteArray path = QFile::encodeName(dir_.filePath(QString::fromUtf8(name)));
        ::close(::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        if (old) {
            const timespec times[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            EXPECT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
        }
    };
    make(".settings.ini.Ab3xYz", true);  // left by a killed write
    make(".settings.ini.Qq9Rr0", false); // a write in progress, or only just killed
    make(".settings.ini.L0cked", true);  // a write that is slow but alive
    make(".settings.ini.toolong1", true);
    make(".other.ini.Ab3xYz", true);
    make("settings.ini.Ab3xYz", true);
    const int held = ::open(QFile::encodeName(dir_.filePath(u".settings.ini.L0cked"_s)), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_TRUE(Write("SHELL", QStringLiteral("1")));
    ::close(held);
    QStringList left = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    EXPECT_EQ(left, QStringList({u".other.ini.Ab3xYz"_s, u".settings.ini.L0cked"_s,
                                 u".settings.ini.Qq9Rr0"_s, u".settings.ini.toolong1"_s,
                                 u"settings.ini"_s, u"settings.ini.Ab3xYz"_s}));
}

TEST_F(ProfileFile, ALineBreakInAValueCannotForgeAnotherKey) {
    ASSERT_TRUE(Write("LAST_LOC", QStringLiteral("/music/odd\nREMEMBER_LAST_LOC=NO")));
    EXPECT_EQ(Read("LAST_LOC"), u"/music/odd");
    EXPECT_EQ(Read("REMEMBER_LAST_LOC"), u"default");
}

TEST_F(ProfileFile, AWriteIntoAFolderThatDoesNotExistIsRefused) {
    EXPECT_FALSE(WriteProfileString(dir_.filePath(u"no/such/folder/settings.ini"_s), u"MAIN"_s,
                                    u"K"_s, u"v"_s));
}

TEST_F(ProfileFile, AReadOnlyFolderRefusesTheWriteAndKeepsTheFile) {
    testing::ScratchMount mount("size=64k");
    if (!mount.Mounted())
        GTEST_SKIP() << "mounting a scratch tmpfs is not allowed here";
    const QString path = mount.FilePath(QStringLiteral("settings.ini"));
    ASSERT_TRUE(WriteProfileString(path, u"MAIN"_s, u"SHELL"_s, u"1"_s));
    ASSERT_TRUE(mount.RemountReadOnly());
    EXPECT_FALSE(WriteProfileString(path, u"MAIN"_s, u"SHELL"_s, u"2"_s));
    EXPECT_EQ(ReadProfileString(path, u"MAIN"_s, u"SHELL"_s, u""_s), u"1");
}

TEST_F(ProfileFile, AFullDiskLeavesTheOldFileWholeAndNoTemporaryBehind) {
    testing::ScratchMount mount("size=16k");
    if (!mount.Mounted())
        GTEST_SKIP() << "mounting a scratch tmpfs is not allowed here";
    const QString path = mount.FilePath(QStringLiteral("settings.ini"));
    ASSERT_TRUE(WriteProfileString(path, u"MAIN"_s, u"SHELL"_s, u"1"_s));
    {
        QFile filler(mount.FilePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    EXPECT_FALSE(WriteProfileString(path, u"MAIN"_s, u"LAST_LOC"_s, QString(8000, u'p')));
    EXPECT_EQ(ReadProfileString(path, u"MAIN"_s, u"SHELL"_s, u""_s), u"1");
    EXPECT_EQ(ReadProfileString(path, u"MAIN"_s, u"LAST_LOC"_s, u"none"_s), u"none");
    EXPECT_EQ(QDir(mount.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // ini + filler
}

TEST_F(ProfileFile, AWriteThroughALinkReplacesTheFileItNames) {
    const QString real = dir_.filePath(QStringLiteral("real.ini"));
    ASSERT_TRUE(WriteProfileString(real, u"MAIN"_s, u"SHELL"_s, u"1"_s));
    ASSERT_TRUE(QFile::link(real, Path()));
    ASSERT_TRUE(Write("SHELL", QStringLiteral("2")));
    EXPECT_TRUE(QFileInfo(Path()).isSymLink());
    EXPECT_EQ(ReadProfileString(real, u"MAIN"_s, u"SHELL"_s, u""_s), u"2");
}

} // namespace
} // namespace platterwise
