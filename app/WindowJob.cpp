// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowJob.h"

#include <QMetaObject>
#include <exception>

namespace platterwise {

TWindowJob::TWindowJob(TDiscJobRequest request, std::string medium, std::string folder,
                       QObject* parent)
    : QObject(parent)
    , kind_(request.Kind == TDiscJobKind::Plan ? TWindowJobKind::Plan : TWindowJobKind::FullestDisc)
    , request_(std::move(request))
    , medium_(std::move(medium))
    , folder_(std::move(folder)) {}

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

void TWindowJob::Start() {
    worker_ = std::jthread([this](const std::stop_token& stop) {
        TWindowJobOutcome outcome;
        try {
            outcome = Work(stop);
        } catch (const std::exception& e) {
            outcome = std::string(e.what());
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
    if (const auto* disc = std::get_if<TDiscJobRequest>(&request_)) {
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
