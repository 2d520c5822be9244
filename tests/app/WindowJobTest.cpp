// SPDX-License-Identifier: GPL-3.0-or-later
// A window job: its result once, on the thread that made it; nothing after Kill; gone after
// either.
#include "app/WindowJob.h"

#include "tests/support/TempTree.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::TempTree;

class WindowJobTest : public ::testing::Test {
protected:
    WindowJobTest() {
        tree_.Dir("album");
        for (int i = 0; i < 40; ++i) {
            tree_.File("album/track" + QByteArray::number(i) + ".flac", 100'000);
        }
    }
    TDiscJobRequest Plan() const {
        TDiscJobRequest request;
        request.Kind = TDiscJobKind::Plan;
        request.Items = {{true, tree_.Path("album").toStdString()}};
        request.CapacitySectors = 2'295'104;
        return request;
    }
    TempTree tree_;
};

TEST_F(WindowJobTest, ReportsItsResultOnceAndGoes) {
    QPointer<TWindowJob> job = new TWindowJob(Plan(), "DVD+R", "/music");
    QSignalSpy results(job.data(), &TWindowJob::Result);
    QSignalSpy progress(job.data(), &TWindowJob::Progress);
    EXPECT_EQ(job->Kind(), TWindowJobKind::Plan);
    EXPECT_TRUE(job->Requested());
    std::size_t discs = 0;
    QObject::connect(job.data(), &TWindowJob::Result, job.data(), [&](TWindowJob* done) {
        discs = std::get<TDiscJobResult>(done->Outcome()).Discs.size();
    });
    job->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return job.isNull(); }, 30'000));
    EXPECT_EQ(results.size(), 1);
    EXPECT_EQ(discs, 1u);
    EXPECT_FALSE(progress.isEmpty());
}

// A job that fails gives its failure as a status: a code for the program, a text naming the
// path for people.
TEST_F(WindowJobTest, AFailureComesBackAsACodeAndATextNamingThePath) {
    const std::string missing = tree_.Path("album/missing.flac").toStdString();
    QPointer<TWindowJob> job = new TWindowJob(
        TWindowJobKind::FitCheck, TFitRequest{{{missing}}, 2'295'104, {}}, "DVD+R", "/music");
    TDiscStatus failure;
    QObject::connect(job.data(), &TWindowJob::Result, job.data(),
                     [&](TWindowJob* done) { failure = std::get<TDiscStatus>(done->Outcome()); });
    job->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return job.isNull(); }, 30'000));
    EXPECT_EQ(failure.Code, TDiscCode::Unreadable);
    EXPECT_EQ(failure.Text.rfind('"' + missing + "\" cannot be read: ", 0), 0u) << failure.Text;
}

TEST_F(WindowJobTest, AKilledJobSaysNothingAndGoesOnceItsWorkerHasStopped) {
    for (const bool started : {false, true}) {
        QPointer<TWindowJob> job = new TWindowJob(
            TWindowJobKind::FitCheck,
            TFitRequest{{{tree_.Path("album").toStdString()}}, 2'295'104, {}}, "DVD+R", "/music");
        QSignalSpy results(job.data(), &TWindowJob::Result);
        QSignalSpy progress(job.data(), &TWindowJob::Progress);
        if (started) {
            job->Start();
        }
        job->Kill();
        ASSERT_TRUE(QTest::qWaitFor([&] { return job.isNull(); }, 30'000)) << started;
        EXPECT_TRUE(results.isEmpty() && progress.isEmpty()) << started;
    }
}

} // namespace
} // namespace platterwise
