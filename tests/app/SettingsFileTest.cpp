// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsFile.h"

#include "platform/Exceptions.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace platterwise {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        saved_ = {qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME")};
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path() + QStringLiteral("/cfg")));
    }
    void TearDown() override {
        QDir::setCurrent(previous_);
        const char* names[] = {"XDG_CONFIG_HOME", "HOME"};
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            saved_[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved_[i]);
        }
    }
    void Put(const QByteArray& content) {
        QFile f(dir_.filePath(QStringLiteral("settings.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir dir_;
    QTemporaryDir config_; // holds the configuration folder, made by the first write
    QString previous_;
    std::array<QByteArray, 2> saved_;
};

TEST_F(SettingsFileTest, LivesInTheWorkingDirectoryOfTheMomentOfEachAccess) {
    Put("");
    EXPECT_EQ(SettingsFilePath(), dir_.path() + QStringLiteral("/settings.ini"));
    TSettingsFile(SettingsFilePath()).WriteString(QStringLiteral("LAST_LOC"), QStringLiteral("/a"));
    QTemporaryDir other;
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    EXPECT_EQ(TSettingsFile().ReadString(QStringLiteral("LAST_LOC"), QStringLiteral("none")),
              u"none");
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    EXPECT_EQ(TSettingsFile().ReadString(QStringLiteral("LAST_LOC"), QStringLiteral("none")),
              u"/a");
}

TEST_F(SettingsFileTest, WithoutALocalFileTheyLiveInTheConfigurationFolderMadeOnFirstWrite) {
    const QString xdg = config_.path() + QStringLiteral("/cfg/platterwise/settings.ini");
    EXPECT_EQ(SettingsFilePath(), xdg);
    EXPECT_EQ(TSettingsFile().ReadString(QStringLiteral("LAST_LOC"), QStringLiteral("none")),
              u"none");
    EXPECT_FALSE(QFileInfo::exists(config_.path() + QStringLiteral("/cfg"))); // reads make nothing
    TSettingsFile().WriteString(QStringLiteral("LAST_LOC"), QStringLiteral("/a"));
    EXPECT_EQ(TSettingsFile(xdg).ReadString(QStringLiteral("LAST_LOC"), {}), u"/a");
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("settings.ini"))));

    // Unset or relative, the variable gives way to ~/.config.
    qputenv("HOME", QFile::encodeName(config_.path()));
    for (const char* value : {"", "relative/cfg"}) {
        qputenv("XDG_CONFIG_HOME", value);
        EXPECT_EQ(SettingsFilePath(),
                  config_.path() + QStringLiteral("/.config/platterwise/settings.ini"));
    }
    // A file put in the starting folder takes over from then on.
    Put("[MAIN]\nLAST_LOC=/b\n");
    EXPECT_EQ(TSettingsFile().ReadString(QStringLiteral("LAST_LOC"), {}), u"/b");
}

TEST_F(SettingsFileTest, IntegersTakeTheHexadecimalRulesAndFallBackToTheDefault) {
    Put("[MAIN]\nA=0x3\nB=0X1f\nC=$10\nD=abc\nE=  7  \nF=0x\nG=-2\nH=3 4\nI=99999999999\n");
    const TSettingsFile ini;
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("A"), 0), 3);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("B"), 0), 31);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("C"), 0), 16);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("D"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("E"), 0), 7);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("F"), 9), 9);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("G"), 0), -2);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("H"), 1), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("I"), 1), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("MISSING"), -1), -1);
}

TEST_F(SettingsFileTest, IntegersAreWrittenInDecimal) {
    const TSettingsFile ini;
    ini.WriteInteger(QStringLiteral("TEMPLATE"), -1);
    ini.WriteInteger(QStringLiteral("SHELL"), 3);
    QFile f(ini.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[MAIN]\nTEMPLATE=-1\nSHELL=3\n"));
}

TEST_F(SettingsFileTest, ARefusedWriteRaisesUnableToWriteWithThePath) {
    testing::ScratchMount mount("ro,size=16k");
    if (!mount.Mounted())
        GTEST_SKIP() << "mounting a scratch tmpfs is not allowed here";
    const TSettingsFile ini(mount.FilePath(QStringLiteral("settings.ini")));
    try {
        ini.WriteString(QStringLiteral("LAST_LOC"), QStringLiteral("/"));
        FAIL() << "the write into a read-only folder went through";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to ") + ini.FileName());
    }
    EXPECT_FALSE(QFile::exists(ini.FileName()));
}

TEST_F(SettingsFileTest, AFifoUnderTheNameGivesTheDefaultsAndRefusesTheWrite) {
    ASSERT_EQ(::mkfifo("settings.ini", 0644), 0);
    const TSettingsFile ini;
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("SHELL"), 0), 0);
    try {
        ini.WriteString(QStringLiteral("LAST_LOC"), QStringLiteral("/"));
        FAIL() << "the write into a FIFO went through";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to ") + ini.FileName());
    }
}

} // namespace
} // namespace platterwise
