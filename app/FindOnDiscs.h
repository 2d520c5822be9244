// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Find on discs…": a text field and the catalogued files and folders whose paths contain the
// text, with the labels of the discs that hold them. Searches the catalogue as the text
// changes; the catalogue is only read.
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace platterwise {

class TFindOnDiscs final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindOnDiscs)

public:
    explicit TFindOnDiscs(std::string cataloguePath, QWidget* parent = nullptr);

private:
    void Search();

    std::string cataloguePath_;
    QLineEdit* text_;
    QTreeWidget* found_;
    QLabel* status_;
};

} // namespace platterwise
