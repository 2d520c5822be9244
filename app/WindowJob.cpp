// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowJob.h"

#include "disc/DiscError.h"

#include <QMetaObject>
#include <exception>

namespace platterwise {

TWindowJob::TWindowJob(TDiscJobRequest request, std::string medium, std::string folder,
                       QObject* parent, std::string cataloguePath)
    : QObject(parent)
    , kind_(request.Kind == TDiscJobKind::Plan ? TWindowJobKind::Plan : TWindowJobKind::FullestDisc)
    , request_(std::move(request))
    , medium_(std::move(medium))
    , folder_(std::move(folder))
    , cataloguePath_(std::move(cataloguePath)) {}

TWindowJob::TWindowJob(TImagesRequest request, std::string medium, QObject* parent)
    : QObject(parent)
    , kind_(TWindowJobKind::WriteImages)
    , request_(std::move(request))
    , medium_(std::move(medium)) {}

TWindowJob::TWindowJob(TWindowJobKind kind, TFitRequest request, std::string medium,
                       std::string folder, QObject* parent)
    : QObject(parent)
    , kind_(kind)
    , request_(std::move(request))
    , medium_(std::move(medium))
    , folder_(std::move(folder)) {}

TWindowJob::~TWindowJob() {
    killed_ = true;
    // The jthread asks its worker to stop and waits; what the worker posted to this object
    // is dropped with it.
}

std::int64_t TWindowJob::CapacitySectors() const {
    const auto* disc = std::get_if<TDiscJobRequest>(&request_);
    return disc ? disc->CapacitySectors : 0;
}

void TWindowJob::Start() {
    worker_ = std::jthread([this](const std::stop_token& stop) {
        TWindowJobOutcome outcome;
        try {
            outcome = Work(stop);
        } catch (const TDiscError& e) {
            outcome = e.Status();
        } catch (const std::exception& e) {
            outcome = TDiscStatus{TDiscCode::Failed, e.what()};
        }
        QMetaObject::invokeMethod(
            this, [this, outcome = std::move(outcome)]() mutable { Finish(std::move(outcome)); },
            Qt::QueuedConnection);
    });
}

void TWindowJob::Kill() {
    killed_ = true;
    worker_.request_stop();
    if (ended_ || !worker_.joinable()) {
        deleteLater();
    }
}

TWindowJobOutcome TWindowJob::Work(const std::stop_token& stop) {
    if (auto* images = std::get_if<TImagesRequest>(&request_)) {
        const int discs = int(images->Discs.size());
        return WriteAndRecordImages(
            images->Discs, images->Write, stop,
            [this, discs](std::size_t disc, const std::string&, const TImageWriteProgress& p) {
                QMetaObject::invokeMethod(
                    this,
                    [this, disc, discs, p] {
                        if (!killed_) {
                            emit ImageProgress(int(disc), discs, p.Bytes, p.TotalBytes);
                        }
                    },
                    Qt::QueuedConnection);
            });
    }
    if (auto* disc = std::get_if<TDiscJobRequest>(&request_)) {
        if (!cataloguePath_.empty()) {
            burned_ = LeaveOutBurned(cataloguePath_, disc->Items);
        }
        const auto progress = [this](const TDiscJobProgress& p) {
            QMetaObject::invokeMethod(
                this,
                [this, p] {
                    if (!killed_) {
                        emit Progress(p);
                    }
                },
                Qt::QueuedConnection);
        };
        return RunDiscJob(*disc, progress, stop);
    }
    const auto& fit = std::get<TFitRequest>(request_);
    std::vector<TFitCheck> checks;
    for (const std::vector<std::string>& paths : fit.Discs) {
        if (stop.stop_requested()) {
            break; // killed: nobody reads what it gives
        }
        checks.push_back(CheckFit(paths, fit.CapacitySectors, fit.Options, stop));
    }
    return checks;
}

void TWindowJob::Finish(TWindowJobOutcome outcome) {
    ended_ = true;
    if (!killed_) {
        outcome_ = std::move(outcome);
        emit Result(this);
    }
    deleteLater();
}

} // namespace platterwise
