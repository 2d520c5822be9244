// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitCheck.h"

#include "ImageSizer.h"

#include <numeric>

namespace platterwise {

TFitCheck CheckFit(const std::vector<std::string>& paths, std::int64_t capacitySectors,
                   const TImageOptions& options, const std::stop_token& stop) {
    TImageSizer sizer(paths, options, stop);
    std::vector<std::size_t> all(paths.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    return {sizer.Sectors(all), capacitySectors};
}

} // namespace platterwise
