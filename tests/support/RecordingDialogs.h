// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dialogs interface for tests: records every box instead of showing it.
#include "platform/Dialogs.h"

#include <QString>
#include <vector>

namespace platterwise::testing {

struct RecordedBox {
    enum Kind { Plain, Information } kind;
    QString text;
    bool operator==(const RecordedBox&) const = default;
};

class RecordingDialogs final : public IDialogs {
public:
    void ShowPlainBox(const QString& text) override { boxes.push_back({RecordedBox::Plain, text}); }
    void ShowInformationBox(const QString& text) override {
        boxes.push_back({RecordedBox::Information, text});
    }
    std::vector<RecordedBox> boxes;
};

// Installs a recorder as the process-wide dialogs for the lifetime of the guard.
class ScopedRecordingDialogs {
public:
    ScopedRecordingDialogs() { SetDialogs(&recorder); }
    ~ScopedRecordingDialogs() { SetDialogs(nullptr); }
    ScopedRecordingDialogs(const ScopedRecordingDialogs&) = delete;
    ScopedRecordingDialogs& operator=(const ScopedRecordingDialogs&) = delete;
    RecordingDialogs recorder;
};

} // namespace platterwise::testing
