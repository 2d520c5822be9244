// SPDX-License-Identifier: GPL-3.0-or-later
// Shows every flat control in every state, skinned as the program skins them, for
// screenshots: flat_gallery [--focus button|checkbox|combo|edit] [--open-list]
//
// Hover, press and Space states are put on the samples with synthetic events, so the pointer
// is moved out of the window first; only one sample at a time can have the focus.
#include "platform/Fonts.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/flat/ALSkins.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <vector>

using namespace platterwise;

namespace {

constexpr TColor kDesignColor = 14805482;
constexpr int kColumn = 120;
constexpr int kLeft = 110;

void Hover(QWidget* w) {
    const QPointF at(2, 2);
    QEnterEvent e(at, w->mapTo(w->window(), at), w->mapToGlobal(at));
    QCoreApplication::sendEvent(w, &e);
}

void PressMouse(QWidget* w, QPoint at) {
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void HoldSpace(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(w, &e);
}

class Gallery {
public:
    explicit Gallery(QWidget* window)
        : window_(window) {}

    void Heading(int y, const QString& text, int column = -1) {
        auto* label = new QLabel(text, window_);
        label->setGeometry(column < 0 ? 8 : kLeft + column * kColumn, y, column < 0 ? 100 : 115,
                           16);
    }

    template <class Control>
    Control* Add(int column, int y, int w, int h, void (*skin)(QObject*, bool&, bool)) {
        auto* c = new Control(window_);
        c->setGeometry(kLeft + column * kColumn, y, w, h);
        c->setFont(MakeFont(QStringLiteral("Arial"), -11));
        c->SetColor(kDesignColor);
        c->OnPaint = [skin](QObject* sender, bool& Continue) { skin(sender, Continue, true); };
        return c;
    }

private:
    QWidget* window_;
};

const char* const kStates[] = {"normal",     "mouse over", "focused",
                               "mouse down", "Space held", "disabled"};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype focusAt = args.indexOf(QStringLiteral("--focus"));
    const QString focusKind =
        focusAt >= 0 && focusAt + 1 < args.size() ? args[focusAt + 1] : QStringLiteral("button");
    const bool openList = args.contains(QStringLiteral("--open-list"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Flat controls"));
    window.setFont(MakeFont(QStringLiteral("Arial"), -11));
    window.setFixedSize(kLeft + 6 * kColumn + 10, 420);
    Gallery g(&window);
    for (int i = 0; i < 6; ++i) {
        g.Heading(6, QString::fromLatin1(kStates[i]), i);
    }

    // States are put on the samples once the window is up and the pointer is out of it.
    QWidget* focusTarget = nullptr;
    std::vector<std::function<void()>> arrangements;
    auto arrange = [&](QWidget* c, int state, const QString& kind, QPoint pressAt) {
        if (state == 2 && kind == focusKind && focusTarget == nullptr) {
            focusTarget = c;
        }
        if (state == 5) {
            c->setEnabled(false);
        }
        arrangements.push_back([c, state, pressAt] {
            if (state == 1) {
                Hover(c);
            } else if (state == 3) {
                PressMouse(c, pressAt);
            } else if (state == 4) {
                HoldSpace(c);
            }
        });
    };

    // Buttons: unchecked, checked and grey, in each state.
    const char* const buttonStates[] = {"Button", "Button checked", "Button grey"};
    for (int row = 0; row < 3; ++row) {
        const int y = 26 + row * 26;
        g.Heading(y + 3, QString::fromLatin1(buttonStates[row]));
        for (int state = 0; state < 6; ++state) {
            auto* b = g.Add<TALButton>(state, y, 110, 20, PaintButtonSkin);
            b->SetCaption(QStringLiteral(" &Go! "));
            b->SetState(TCheckBoxState(row));
            arrange(b, state, QStringLiteral("button"), {5, 5});
        }
    }
    // Check boxes likewise.
    const char* const boxStates[] = {"Check box", "Check box ticked", "Check box grey"};
    for (int row = 0; row < 3; ++row) {
        const int y = 110 + row * 24;
        g.Heading(y + 2, QString::fromLatin1(boxStates[row]));
        for (int state = 0; state < 6; ++state) {
            auto* c = g.Add<TALCheckBox>(state, y, 110, 18, PaintCheckBoxSkin);
            c->SetCaption(QStringLiteral("Auto &size"));
            c->SetAllowGrayed(true);
            c->SetState(TCheckBoxState(row));
            arrange(c, state, QStringLiteral("checkbox"), {5, 5});
        }
    }
    // Lists: no Space state; the open list is shown with --open-list.
    g.Heading(187, QStringLiteral("Drop-down list"));
    TALComboBox* toOpen = nullptr;
    for (int state = 0; state < 6; ++state) {
        if (state == 3 || state == 4) {
            continue;
        }
        auto* c = g.Add<TALComboBox>(state, 184, 110, 22, PaintComboBoxSkin);
        c->addItems({QStringLiteral("DVD+R -- 4483Mb"), QStringLiteral("CD-R -- 700Mb")});
        arrange(c, state, QStringLiteral("combo"), {});
        if (state == 0) {
            toOpen = c;
        }
    }
    // Edits: the embedded button is pressed in the "mouse down" column.
    g.Heading(217, QStringLiteral("Edit"));
    for (int state = 0; state < 6; ++state) {
        if (state == 4) {
            continue;
        }
        auto* e = g.Add<TALEdit>(state, 214, 110, 20, PaintEditSkin);
        e->setText(QStringLiteral("1000"));
        if (state == 3) {
            e->SetBtnVisible(true);
            e->SetBtnCaption(QStringLiteral("..."));
            e->SetBtnWidth(18);
        }
        arrange(e, state, QStringLiteral("edit"), {100, 10});
    }
    g.Heading(247, QStringLiteral("Message line"));
    auto* message = g.Add<TALEdit>(0, 244, 230, 20, PaintEditSkin);
    message->setReadOnly(true);
    message->setFont(MakeFont(QStringLiteral("Arial"), -11, fsBold));
    message->setText(QStringLiteral("Red was set; the skin shows black"));
    message->SetFontColor(0x0000FF);
    auto* embedded = g.Add<TALEdit>(2, 244, 110, 20, PaintEditSkin);
    embedded->setText(QStringLiteral("C:\\"));
    embedded->SetBtnVisible(true);
    embedded->SetBtnCaption(QStringLiteral("..."));
    embedded->SetBtnWidth(18);

    g.Heading(277, QStringLiteral("Captions"));
    auto* amp = g.Add<TALButton>(0, 274, 110, 20, PaintButtonSkin);
    amp->SetCaption(QStringLiteral("Save && Exit"));
    auto* exitButton = g.Add<TALButton>(1, 274, 110, 20, PaintButtonSkin);
    exitButton->SetCaption(QStringLiteral(" E&xit"));
    auto* autoSized = g.Add<TALCheckBox>(2, 274, 143, 18, PaintCheckBoxSkin);
    autoSized->SetCaption(QStringLiteral(" Calculate both directions "));
    autoSized->SetAutoSize(true);
    auto* right = g.Add<TALCheckBox>(4, 274, 110, 18, PaintCheckBoxSkin);
    right->SetCaption(QStringLiteral("Box right"));
    right->SetLayout(blGlyphRight);
    right->SetChecked(true);

    auto* clicks =
        new QLabel(QStringLiteral("Click a button or tick a box: it is reported here."), &window);
    clicks->setGeometry(8, 310, 600, 16);
    for (auto* b : window.findChildren<TALCustomButton*>()) {
        b->OnClick = [clicks](QObject* sender) {
            auto* button = static_cast<TALCustomButton*>(sender);
            clicks->setText(QStringLiteral("Clicked \"%1\", state %2")
                                .arg(button->Caption())
                                .arg(int(button->State())));
        };
    }

    window.move(0, 0);
    window.show();
    // The pointer rests below the window so that no sample is really under it.
    QCursor::setPos(window.frameGeometry().left() + 20, window.frameGeometry().bottom() + 40);
    QTimer::singleShot(0, &window, [&] {
        window.activateWindow();
        for (const auto& arrangement : arrangements) {
            arrangement();
        }
        if (focusTarget != nullptr) {
            focusTarget->setFocus(Qt::TabFocusReason);
        }
        if (openList && toOpen != nullptr) {
            toOpen->showPopup();
        }
    });
    return app.exec();
}
