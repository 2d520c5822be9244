// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An item's image tree read for the disc library, whose callers take a problem as an error.
#include "DiscStatus.h"
#include "image/ImageTree.h"

#include <stop_token>
#include <string>

namespace platterwise {

// The problem as the disc library reports it: its code, and the path quoted with its control
// characters escaped and what is wrong, for people.
TDiscStatus TreeProblemStatus(const TTreeProblem& problem);

// ReadImageTree that throws TDiscError (TreeProblemStatus) at the first problem, where xorriso
// would stop.
TImageTree ReadImageTree(const std::string& path, const std::stop_token& stop = {});

} // namespace platterwise
