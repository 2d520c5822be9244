#include "DiscJobRunner.h"

#include <QMetaObject>

namespace platterwise {

TDiscJobRunner::TDiscJobRunner(QObject* parent)
    : QObject(parent) {}

TDiscJobRunner::~TDiscJobRunner() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
    // What the worker posted to this object is dropped with it.
}

template <typename Work>
bool TDiscJobRunner::Launch(Work work) {
    if (running_) {
        return false;
    }
    if (worker_.joinable()) {
        worker_.join(); // the last run has delivered already: its thread is ending
    }
    running_ = true;
    worker_ = std::jthread([this, work = std::move(work)](const std::stop_token& stop) {
        auto outcome = std::make_shared<TDiscRunOutcome>();
        try {
            outcome->Value = work(stop);
        } catch (const std::exception& e) {
            outcome->Value = std::string(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, outcome] { Deliver(outcome); }, Qt::QueuedConnection);
    });
    return true;
}

bool TDiscJobRunner::Start(TDiscJobRequest request) {
    return Launch([this, request = std::move(request)](
                      const std::stop_token& stop) -> TDiscRunOutcome::TValue {
        const auto progress = [this](const TDiscJobProgress& p) {
            QMetaObject::invokeMethod(
                this, [this, p] { emit Progress(p); }, Qt::QueuedConnection);
        };
        return RunDiscJob(request, progress, stop);
    });
}

bool TDiscJobRunner::Start(TFitRequest request) {
    return Launch(
        [request = std::move(request)](const std::stop_token& stop) -> TDiscRunOutcome::TValue {
            return CheckFit(request.Paths, request.CapacitySectors, request.Options, stop);
        });
}

void TDiscJobRunner::Cancel() {
    if (running_) {
        worker_.request_stop();
    }
}

void TDiscJobRunner::Deliver(std::shared_ptr<const TDiscRunOutcome> outcome) {
    running_ = false;
    if (worker_.get_stop_token().stop_requested()) {
        emit Cancelled();
        return;
    }
    emit Finished(std::move(outcome));
}

} // namespace platterwise
