#pragma once
// Runs one disc job or fit check at a time on a worker thread, for the main window. The worker
// never touches a widget: progress and the outcome come back as signals delivered on this
// object's (the window's) thread. A cancelled run delivers nothing but Cancelled.
#include "disc/DiscJob.h"
#include "disc/FitCheck.h"

#include <QObject>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace platterwise {

struct TFitRequest {
    std::vector<std::string> Paths; // full paths, at least one
    std::int64_t CapacitySectors = 0;
    TImageOptions Options;
};

// What a finished run gives: the job's result or the fit check, or the message of the
// TDiscError (or other failure) that stopped it.
struct TDiscRunOutcome {
    using TValue = std::variant<TDiscJobResult, TFitCheck, std::string>;
    TValue Value;
};

class TDiscJobRunner final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDiscJobRunner)
public:
    explicit TDiscJobRunner(QObject* parent = nullptr);
    // Stops a run still going (within about 100 ms) and waits for its thread.
    ~TDiscJobRunner() override;

    // Start a run; false, and nothing started, while another one is running.
    bool Start(TDiscJobRequest request);
    bool Start(TFitRequest request);
    // Asks the running job to stop through its thread's stop token; it ends with Cancelled.
    // Nothing when none runs.
    void Cancel();
    // From a Start until Finished or Cancelled has been delivered.
    bool Running() const { return running_; }

signals:
    void Progress(const platterwise::TDiscJobProgress& progress);
    void Finished(std::shared_ptr<const platterwise::TDiscRunOutcome> outcome);
    void Cancelled();

private:
    template <typename Work>
    bool Launch(Work work);
    void Deliver(std::shared_ptr<const TDiscRunOutcome> outcome);

    bool running_ = false;
    std::jthread worker_; // last: joined before the members above go
};

} // namespace platterwise
