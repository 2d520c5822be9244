// SPDX-License-Identifier: GPL-3.0-or-later
// The flat edit: frame and text colours in each state (the message line among them), pastes
// and drops refused when they hold a line break, the caret on focus, the embedded button.
#include "FlatTestSupport.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/flat/ALSkins.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>

namespace platterwise {
namespace {

using namespace platterwise::testing;

constexpr TColor kDesign = 0xE1E9EA;

class Edit : public HostTest {
protected:
    TALEdit* MakeEdit(const QString& text) {
        auto* e = Make<TALEdit>({9, 18, 120, 20});
        e->setText(text);
        e->SetColor(kDesign);
        e->OnPaint = [](QObject* s, bool& Continue) { PaintEditSkin(s, Continue, true); };
        return e;
    }
    static void ExpectLook(TALEdit& e, TColor frame, TColor text) {
        const QImage img = Render(e);
        EXPECT_TRUE(RingIs(img, e.rect(), frame)) << "frame";
        EXPECT_EQ(ColorsIn(img, e.rect().adjusted(1, 1, -1, -1)),
                  (std::set<TColor>{kDesign, text}));
    }
};

TEST_F(Edit, FrameAndTextFollowTheState) {
    TALEdit* e = MakeEdit(QStringLiteral("1000"));
    e->SetFontColor(clRed);
    ExpectLook(*e, 0xC6A69C, clBlack);
    EXPECT_LE(BoundsOf(Render(*e), e->rect(), clBlack).left(), 3) << "flush inside the frame";
    SendEnter(e);
    ExpectLook(*e, 0x6B2408, clBlack);
    SendLeave(e);
    e->setReadOnly(true); // no caret, which Qt draws inverted
    e->setFocus();
    ExpectLook(*e, 0x6B2408, clBlack);
    e->clearFocus();
    e->setEnabled(false);
    ExpectLook(*e, 0xBAC7C9, 0x808080);
}

TEST_F(Edit, TheMessageLineShowsBlackTextAfterItsFontWasSetRed) {
    TALEdit* line = MakeEdit(QStringLiteral("I'm Ready"));
    line->setReadOnly(true);
    line->setFont(MakeFont(QStringLiteral("Arial"), -11, fsBold)); // anti-aliased, as shown
    Render(*line);
    line->setText(QStringLiteral("Total: 4,483,000,000 bytes"));
    line->SetFontColor(clRed);
    const QImage img = Render(*line);
    EXPECT_TRUE(RingIs(img, line->rect(), 0xC6A69C)) << "read-only edits keep their frame";
    int darkest = 3 * 255;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x) {
            const QColor c = img.pixelColor(x, y);
            EXPECT_LT(c.red() - c.blue(), 40) << "a reddish pixel at " << x << "," << y;
            darkest = std::min(darkest, c.red() + c.green() + c.blue());
        }
    EXPECT_LT(darkest, 3 * 60) << "the text is there, and dark";
}

TEST_F(Edit, PastingOrDroppingTextWithALineBreakDoesNothing) {
    TALEdit* e = MakeEdit(QStringLiteral("25"));
    e->setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const char* text : {"two\nlines", "carriage\rreturn"}) {
        clipboard->setText(QString::fromLatin1(text));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
        e->Paste();
    }
    auto drop = [&](const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(60, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(e, &enter);
        QDropEvent drop(QPointF(60, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(e, &drop);
    };
    drop(QStringLiteral("a\nb"));
    EXPECT_EQ(e->text(), QStringLiteral("25"));
    clipboard->setText(QStringLiteral("00"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    drop(QStringLiteral("1"));
    EXPECT_EQ(e->text(), QStringLiteral("25001"));
}

TEST_F(Edit, TheContextMenuOffersNoPasteOfTwoLines) {
    TALEdit* e = MakeEdit(QStringLiteral("25"));
    QGuiApplication::clipboard()->setText(QStringLiteral("two\nlines"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), e->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(e, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    int pastes = 0;
    for (QAction* a : menu->actions())
        if (a->text().startsWith(QLineEdit::tr("&Paste"))) {
            ++pastes;
            EXPECT_FALSE(a->isEnabled());
            a->trigger();
        }
    menu->close();
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(e->text(), QStringLiteral("25"));
}

TEST_F(Edit, GettingTheFocusPutsTheCaretAtTheEndWithNothingSelected) {
    TALEdit* e = MakeEdit(QStringLiteral("1000"));
    e->setFocus(Qt::TabFocusReason); // a plain line edit would select all here
    EXPECT_EQ(e->selectedText(), QString());
    EXPECT_EQ(e->cursorPosition(), 4);
    e->setCursorPosition(1);
    e->clearFocus();
    e->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(e->cursorPosition(), 4);
}

TEST_F(Edit, TheEmbeddedButtonPressesAndClicksBesideTheText) {
    TALEdit* e = MakeEdit(QString(40, u'M'));
    int clicks = 0;
    e->OnButtonClick = [&](QObject*) { ++clicks; };
    EXPECT_TRUE(e->ButtonRect().isEmpty());
    e->SetBtnVisible(true);
    e->SetBtnWidth(18);
    const QRect button = e->ButtonRect();
    EXPECT_EQ(button, QRect(e->width() - 19, 1, 18, e->height() - 2));
    const QImage normal = Render(*e);
    EXPECT_EQ(ColorsIn(normal, button), std::set<TColor>{0xE7D3CE});
    EXPECT_EQ(ColorsIn(normal, button.translated(-1, 0).adjusted(0, 0, 1 - button.width(), 0)),
              std::set<TColor>{kDesign})
        << "a pixel of gap before the button";

    QTest::mousePress(e, Qt::LeftButton, {}, button.center());
    const QImage pressed = Render(*e);
    EXPECT_EQ(At(pressed, button.center().x(), 3), 0xB59284u);
    EXPECT_TRUE(RingIs(pressed, e->rect(), 0x6B2408));
    QTest::mouseRelease(e, Qt::LeftButton, {}, button.center());
    QTest::mousePress(e, Qt::LeftButton, {}, button.center());
    QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1) << "released elsewhere: no click";
    EXPECT_FALSE(e->IsButtonPressed());
    e->setCursorPosition(0);
    QTest::mouseClick(e, Qt::LeftButton, {}, button.center());
    EXPECT_EQ(e->cursorPosition(), 0) << "the button does not move the caret";
}

} // namespace
} // namespace platterwise
