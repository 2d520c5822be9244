// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the about animation as the about window frames it (a lowered panel, 151 x 50, the
// animator at 1, 1 sized 150 x 49, starting at frame 62), beside an engraved label.
//
// Usage: platterwise-about-animation-viewer [--async] [--still N] [--grab DIR N...]
//   --async     tick in the timer's worker thread
//   --still N   show frame N without animating
//   --grab DIR  write DIR/frame-N.png of the window for each frame N given, then quit
#include "app/AboutAnimation.h"
#include "platform/Fonts.h"
#include "widgets/animated/RxGIFAnimator.h"
#include "widgets/animated/RxLabel.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QStringList>
#include <cstdio>

using namespace platterwise;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool async = args.removeAll(QStringLiteral("--async")) > 0;
    int still = -1;
    QString grabDir;
    QList<int> grabFrames;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--still") && i + 1 < args.size()) {
            still = args[++i].toInt();
        } else if (args[i] == QLatin1String("--grab") && i + 1 < args.size()) {
            grabDir = args[++i];
            while (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1Char('-'))) {
                grabFrames.append(args[++i].toInt());
            }
        }
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("About animation"));
    window.setFixedSize(440, 80);
    window.setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));

    auto* frame = new QFrame(&window);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(12, 15, 151, 50);

    TGIFImage image;
    image.LoadFromFile(AboutAnimationPath());
    image.SetFrameIndex(still >= 0 ? still : 62);
    auto* animator = new TRxGIFAnimator(frame);
    // The window's own geometry for the control wins over the image's size, as the about
    // window's design has it (150 x 49 inside the frame).
    animator->SetAutoSize(false);
    animator->SetImage(image);
    animator->setGeometry(1, 1, 150, 49);
    animator->SetAsyncDrawing(async);

    auto* title = new TRxLabel(&window);
    title->setFont(MakeFont(QStringLiteral("Arial"), -13, fsBold));
    title->SetCaption(QStringLiteral("Morwen's Platterwise v0.2"));
    title->move(180, 15);
    auto* line = new TRxLabel(&window);
    line->setFont(MakeFont(QStringLiteral("Arial"), -11, fsBold));
    line->SetCaption(QStringLiteral("-- Freeware for lossless music collectors ;-)"));
    line->move(183, 33);

    window.show();
    if (!grabDir.isEmpty()) {
        QDir().mkpath(grabDir);
        for (int k : grabFrames) {
            animator->SetFrameIndex(k);
            app.processEvents();
            const QString path = QStringLiteral("%1/frame-%2.png").arg(grabDir).arg(k);
            if (!window.grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            }
        }
        return 0;
    }
    if (still < 0) {
        animator->SetAnimate(true);
    }
    return app.exec();
}
