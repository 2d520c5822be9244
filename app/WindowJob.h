// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One request of the results panel's menu, run on a worker thread: the fullest disc, the plan
// of every disc, the fit check of the listed discs, or the writing of a plan's images. A job
// carries its request, its kind, the medium it aims at and the folder shown when it was asked for;
// it reports progress and then, once, its result, both on the thread that made it. The worker never
// touches a widget.
//
// Lifetime, as KDE's jobs: a job deletes itself (deleteLater) once it has reported its result,
// or once its worker has ended after Kill. Its destructor stops the worker and waits for it,
// so a window that goes takes its jobs' threads with it.
#include "catalogue/DiscImages.h"
#include "disc/DiscJob.h"
#include "disc/DiscStatus.h"
#include "disc/FitCheck.h"

#include <QObject>
#include <cstdint>
#include <stop_token>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace platterwise {

enum class TWindowJobKind : std::uint8_t {
    FullestDisc,
    Plan,
    FitCheck,   // asked for from the menu
    FitAfterGo, // Go!'s found items, checked in the background
    WriteImages,
};

// The discs of a fit check, each as the full paths of its items.
struct TFitRequest {
    std::vector<std::vector<std::string>> Discs; // at least one disc of at least one path
    std::int64_t CapacitySectors = 0;
    TImageOptions Options;
};

// The images of a plan's discs, to be written and recorded.
struct TImagesRequest {
    std::vector<TDiscJobDisc> Discs; // as the disc job gave them
    TDiscImagesRequest Write;
};

// What a job that ran to its end gives: the disc job's result, one fit per requested disc,
// the images written, or the failure that stopped it (its code and its text).
using TWindowJobOutcome =
    std::variant<TDiscJobResult, std::vector<TFitCheck>, TDiscImagesOutcome, TDiscStatus>;

class TWindowJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TWindowJob)
public:
    // The fullest disc or the plan, as request.Kind says. `medium` names the disc for people,
    // `folder` is the folder shown at the request.
    // With a `cataloguePath`, the items already on a burned disc of it are left out first,
    // and Burned() lists them.
    TWindowJob(TDiscJobRequest request, std::string medium, std::string folder,
               QObject* parent = nullptr, std::string cataloguePath = {});
    // REQUIRES: kind is FitCheck or FitAfterGo.
    TWindowJob(TWindowJobKind kind, TFitRequest request, std::string medium, std::string folder,
               QObject* parent = nullptr);
    TWindowJob(TImagesRequest request, std::string medium, QObject* parent = nullptr);
    ~TWindowJob() override;

    TWindowJobKind Kind() const { return kind_; }
    // A job the user asked for; the fit check after Go! is not one.
    bool Requested() const { return kind_ != TWindowJobKind::FitAfterGo; }
    const std::string& Medium() const { return medium_; }
    const std::string& Folder() const { return folder_; }
    // The disc's user-data sectors the fullest disc or the plan aims at; 0 for other kinds.
    std::int64_t CapacitySectors() const;
    // Valid from Result on.
    const TWindowJobOutcome& Outcome() const { return outcome_; }
    // The items left out as already burned, and those changed since. Valid from Result on.
    const TBurnedSplit& Burned() const { return burned_; }

    // Starts the worker. REQUIRES: called once.
    void Start();
    // Stops the job without a word: neither Progress nor Result comes after this call. The
    // worker is asked to stop at once and the job goes once it has.
    void Kill();
    // Asks the worker to stop and still reports what it did: writing images, the discs
    // written before the stop stay written and are in the result.
    void Stop() { worker_.request_stop(); }

signals:
    void Progress(const platterwise::TDiscJobProgress& progress);
    void Result(platterwise::TWindowJob* job);
    // Writing images: disc `disc` (0-based) of `discs`, `bytes` of its `total` written.
    void ImageProgress(int disc, int discs, qint64 bytes, qint64 total);

private:
    // On the worker: the whole job, or a failure's text.
    // `stop` is the worker's: Kill or the destructor request it, and every stage of the disc
    // job and the fit check watches it, so the worker ends within about 100 ms.
    TWindowJobOutcome Work(const std::stop_token& stop);
    void Finish(TWindowJobOutcome outcome);

    TWindowJobKind kind_;
    std::variant<TDiscJobRequest, TFitRequest, TImagesRequest> request_;
    std::string medium_;
    std::string folder_;
    std::string cataloguePath_;
    TBurnedSplit burned_; // written by the worker before it posts its outcome
    TWindowJobOutcome outcome_;
    bool killed_ = false;
    bool ended_ = false;  // the worker has handed over its outcome
    std::jthread worker_; // last: stopped and joined before the members above go
};

} // namespace platterwise
