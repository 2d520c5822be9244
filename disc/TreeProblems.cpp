// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeProblems.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "ShellText.h"

#include <cstring>

namespace platterwise {

std::string TreeProblemText(const TTreeProblem& problem) {
    std::string text = QuotedName(problem.Path);
    switch (problem.Fault) {
    case TTreeFault::CannotRead:
        return text.append(texts::kCannotRead).append(std::strerror(problem.Error));
    case TTreeFault::CannotReadLink:
        return text.append(texts::kCannotReadLink);
    case TTreeFault::LinkTargetTooLong:
        return text.append(texts::kLinkTargetTooLong);
    case TTreeFault::LinkTargetNameTooLong:
        return text.append(texts::kLinkTargetNameTooLong);
    case TTreeFault::PathTooLong:
        return text.append(texts::kPathTooLong);
    case TTreeFault::FileTooLarge:
        return text.append(texts::kLargerThanXorrisoTakes);
    }
    return text;
}

TImageTree ReadImageTree(const std::string& path, const std::stop_token& stop) {
    return ReadImageTree(
        path, [](const TTreeProblem& problem) { throw TDiscError(TreeProblemText(problem)); },
        stop);
}

} // namespace platterwise
