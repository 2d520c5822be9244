// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "app/Unit3.h"
#include "widgets/animated/RxGIFAnimator.h"
#include "widgets/animated/RxLabel.h"
#include "widgets/flat/ALButton.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace platterwise::testing {
namespace {

// Stands in for the desktop's web browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

using Form3Test = AppFixture;

TEST_F(Form3Test, TheMainWindowShowsItModelessAndOkHidesIt) {
    TForm3 about;
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.size(), QSize(514, 210));
    Form().SetAboutWindow(&about);
    Press("ALButton3");
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    Click(Find<TALButton>(about, "ALButton1"));
    EXPECT_FALSE(about.isVisible());
    Press("ALButton3"); // the same window again
    EXPECT_TRUE(about.isVisible());
    about.close(); // the close box hides it too
    EXPECT_FALSE(about.isVisible());
    Press("ALButton4"); // and the main window goes on answering
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(Form3Test, ThePictureStartsAtFrame62AndPlaysAtTheClampedRate) {
    TForm3 about;
    auto& picture = Find<TRxGIFAnimator>(about, "RxGIFAnimator1");
    EXPECT_TRUE(picture.Animate());
    EXPECT_EQ(picture.FrameIndex(), 62);
    EXPECT_EQ(picture.Image().Count(), 76);
    EXPECT_EQ(picture.Image().Frame(62).Delay, 40); // 4/100 s
    EXPECT_EQ(picture.FrameDelay(62), 50u);         // raised to the 50 ms minimum
    EXPECT_EQ(picture.geometry(), QRect(1, 1, 150, 49));
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture.FrameIndex() != 62; }));
}

TEST_F(Form3Test, TheLinkOpensTheWebAddressAndTheWindowStays) {
    UrlRecorder browser;
    TForm3 about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto& link = Find<TRxLabel>(about, "RxLabel8");
    EXPECT_EQ(link.Caption(), ProgramWebAddress());
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl(ProgramWebAddress()));
    EXPECT_TRUE(about.isVisible());
}

TEST_F(Form3Test, ActivationFocusesTheGroupBox) {
    TForm3 about;
    about.show();
    about.activateWindow();
    auto& group = Find<QGroupBox>(about, "GroupBox1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return group.hasFocus(); }));
}

} // namespace
} // namespace platterwise::testing

#include "Form3Test.moc"
