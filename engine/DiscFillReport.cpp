// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscFillReport.h"

#include "Texts.h"
#include "Units.h"

namespace platterwise {
namespace {

bool IsMemoControlCode(char c) {
    switch (c) {
    case '\x02':
    case '\x03':
    case '\x0F':
    case '\x16':
    case '\x19':
    case '\x1A':
    case '\x1F':
        return true;
    default:
        return false;
    }
}

void AddFoundReport(const std::vector<TSelectionItem>& items, const TSearchResult& r, bool both,
                    TReport& report) {
    const std::string grouped = GroupThousands(r.Sum);
    if (both) {
        report.push_back(TDisplayAction::MessageColor(kColorBothWays));
        report.push_back(TDisplayAction::MessageText(std::string(texts::kSelectedBothWays) +
                                                     grouped + std::string(texts::kBytesRu)));
    } else {
        report.push_back(TDisplayAction::MessageText(std::string(texts::kPrepared) + grouped +
                                                     std::string(texts::kBytesRu)));
    }
    for (std::size_t i : r.Chosen) {
        report.push_back(TDisplayAction::MemoTaggedLine(ChosenItemLine(items[i])));
    }
}

void AddTooSmallReport(TReport& report) {
    report.push_back(TDisplayAction::InformationBox(std::string(texts::kTooSmallBox)));
    report.push_back(TDisplayAction::ClearMemo());
    report.push_back(TDisplayAction::MemoLine(std::string(texts::kStillNothingToBurn)));
    report.push_back(TDisplayAction::MessageText(std::string(texts::kYouFailMe)));
}

void AddSampleLimitReport(TReport& report, const std::string& samplesText) {
    report.push_back(TDisplayAction::InformationBox(std::string(texts::kSampleLimitBoxHead) +
                                                    samplesText +
                                                    std::string(texts::kSampleLimitBoxTail)));
    report.push_back(TDisplayAction::ClearMemo());
    report.push_back(TDisplayAction::MessageText(std::string(texts::kNotLucky)));
}

} // namespace

TReport BuildDiscFillReport(const std::vector<TSelectionItem>& items, const TSearchResult& result,
                            const TSearchSettings& settings) {
    TReport report;
    if (result.Outcome == soFound) {
        AddFoundReport(items, result, settings.BothDirections, report);
        return report;
    }
    // Both are due from the same draw, the too-small test first.
    if (result.TooSmall) {
        AddTooSmallReport(report);
    }
    if (result.SampleLimitReached) {
        AddSampleLimitReport(report, settings.SamplesText);
    }
    return report;
}

TSearchResult RunDiscFillSearch(std::vector<TSelectionItem>& items, std::int64_t total,
                                const TSearchSettings& settings, TRandom& rng) {
    TSearchResult result = SearchDiscFill(items, total, settings, rng);
    result.Report = BuildDiscFillReport(items, result, settings);
    return result;
}

std::string ChosenItemLine(const TSelectionItem& item) {
    std::string line = item.Kind == ikFolder ? "\x03"
                                               "00\x1A"
                                             : "\x03"
                                               "11\x1A";
    for (char c : LastPathComponent(item.Path)) {
        line += IsMemoControlCode(c) ? '?' : c;
    }
    return line;
}

} // namespace platterwise
