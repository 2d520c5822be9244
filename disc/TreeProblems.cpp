// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeProblems.h"

#include "DiscError.h"
#include "DiscTexts.h"

#include <cstring>

namespace platterwise {

TDiscStatus TreeProblemStatus(const TTreeProblem& problem) {
    switch (problem.Fault) {
    case TTreeFault::CannotRead:
        return PathStatus(problem.Path, texts::kCannotRead, std::strerror(problem.Error));
    case TTreeFault::CannotReadLink:
        return PathStatus(problem.Path, texts::kCannotReadLink);
    case TTreeFault::LinkTargetTooLong:
        return PathStatus(problem.Path, texts::kLinkTargetTooLong);
    case TTreeFault::LinkTargetNameTooLong:
        return PathStatus(problem.Path, texts::kLinkTargetNameTooLong);
    case TTreeFault::PathTooLong:
        return PathStatus(problem.Path, texts::kPathTooLong);
    case TTreeFault::FileTooLarge:
        return PathStatus(problem.Path, texts::kLargerThanXorrisoTakes);
    }
    return PathStatus(problem.Path, texts::kCannotRead);
}

TImageTree ReadImageTree(const std::string& path, const std::stop_token& stop) {
    return ReadImageTree(
        path, [](const TTreeProblem& problem) { throw TDiscError(TreeProblemStatus(problem)); },
        stop);
}

} // namespace platterwise
