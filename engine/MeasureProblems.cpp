// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasureProblems.h"

namespace platterwise {

void TMeasureProblems::Add(std::string path, int error) {
    if (kept_.size() < kKept) {
        kept_.push_back({std::move(path), error});
    }
    ++count_;
}

void TMeasureProblems::Append(const TMeasureProblems& other) {
    for (const TMeasureProblem& p : other.kept_) {
        Add(p.Path, p.Error);
    }
    count_ += other.count_ - std::int64_t(other.kept_.size());
}

} // namespace platterwise
