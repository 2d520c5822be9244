// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"

#include "app/SettingsFile.h"
#include "platform/Colors.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QAbstractItemView>
#include <QFile>
#include <QItemSelectionModel>
#include <fcntl.h>
#include <unistd.h>

namespace platterwise::testing {

void AppFixture::SetUp() {
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    // Never the user's own settings, nor disc catalogue.
    previousConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    previousData_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("data"))));
}

void AppFixture::TearDown() {
    form_.reset();
    QDir::setCurrent(previous_);
    if (previousConfig_.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", previousConfig_);
    }
    if (previousData_.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", previousData_);
    }
}

void AppFixture::PutSettings(const QByteArray& content) const {
    QFile f(dir_.filePath(QStringLiteral("settings.ini")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray AppFixture::SettingsContent() const {
    QFile f(SettingsFilePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void AppFixture::File(const QString& rel, qint64 size) const {
    const QString path = dir_.filePath(rel);
    QDir().mkpath(QFileInfo(path).path());
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

TForm1& AppFixture::Form() {
    if (!form_)
        form_ = std::make_unique<TForm1>(dialogs_, hotkeys_);
    return *form_;
}

TShellListView& AppFixture::FileList() {
    return Control<TShellListView>("ShellListView1");
}

TFatMemo& AppFixture::Results() {
    return Control<TFatMemo>("FatMemo1");
}

QString AppFixture::Message() {
    return Control<TALEdit>("ALEdit2").text();
}

void AppFixture::SelectRows(std::initializer_list<int> rows) {
    TShellListView& list = FileList();
    QItemSelectionModel* selection = list.ActiveView()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(list.Model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QString AppFixture::MemoText(int i) {
    const TFatLine& line = Results().Lines().Items(i);
    QString text;
    for (int p = 0; p < line.PartCount(); ++p)
        text += line.Parts(p).Text();
    return text;
}

TColor AppFixture::MemoTextColor(int i) {
    const TFatLine& line = Results().Lines().Items(i);
    TColor color = Results().FontColor();
    for (int p = 0; p < line.PartCount(); ++p)
        if (line.Parts(p).Kind() == pkColor && line.Parts(p).FontColor() != clNone)
            color = line.Parts(p).FontColor();
    return color;
}

} // namespace platterwise::testing
