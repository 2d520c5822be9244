#include "DiscFillSearch.h"

#include "IntConvert.h"
#include "Texts.h"
#include "Units.h"

#include <algorithm>
#include <optional>

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

void AddFoundReport(const std::vector<TSelectionItem>& items, TSearchResult& r, bool both) {
    std::string grouped = GroupThousands(r.Sum);
    if (both) {
        r.Report.push_back(TDisplayAction::MessageColor(kColorBothWays));
        r.Report.push_back(TDisplayAction::MessageText(std::string(texts::kSelectedBothWays) +
                                                       grouped + std::string(texts::kBytesRu)));
    } else {
        r.Report.push_back(TDisplayAction::MessageText(std::string(texts::kPrepared) + grouped +
                                                       std::string(texts::kBytesRu)));
    }
    for (std::size_t i : r.Chosen)
        r.Report.push_back(TDisplayAction::MemoTaggedLine(ChosenItemLine(items[i])));
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

std::string ChosenItemLine(const TSelectionItem& item) {
    std::string line = item.Kind == ikFolder ? "\x03"
                                               "00\x1A"
                                             : "\x03"
                                               "11\x1A";
    for (char c : LastPathComponent(item.Path))
        line += IsMemoControlCode(c) ? '?' : c;
    return line;
}

TSearchResult RunDiscFillSearch(std::vector<TSelectionItem>& items, std::int64_t total,
                                const TSearchSettings& settings, TRandom& rng) {
    TSearchResult r;
    const std::size_t n = items.size();
    // The drawn flags live in a dense array while the search runs: the worst case draws
    // about n ln n times per variant, and the flags then stay in the first-level cache.
    std::vector<std::uint8_t> drawn(n, 0);
    std::size_t drawnCount = 0;
    std::int64_t sum = 0;
    const std::int64_t target = MbToBytes(settings.TargetMb);
    std::optional<std::int32_t> deviation;
    std::optional<std::int32_t> samples;

    auto finish = [&](TSearchOutcome outcome) {
        r.Outcome = outcome;
        for (std::size_t i = 0; i < n; ++i)
            items[i].Drawn = drawn[i] != 0;
        return r;
    };

    while (sum < target) {
        // Every variant reaches a decision by the time all items are drawn, so a full set
        // here means the caller's total does not match the items.
        if (drawnCount == n)
            return finish(soNoResult);
        std::size_t pick;
        do {
            std::uint32_t k;
            do
                k = rng.Random(std::uint32_t(n) + 1);
            while (k == 0);
            pick = k - 1;
        } while (drawn[pick]);
        drawn[pick] = 1;
        ++drawnCount;
        ++r.Draws;
        sum = SaturatingAdd(sum, items[pick].Size);

        if (!deviation) {
            deviation = TryStrToInt(settings.DeviationText);
            if (!deviation)
                return finish(soBadInput);
            // 64-bit, so deviations beyond 2147 Mb give the window they say.
            const std::int64_t d = MbToBytes(*deviation);
            r.LowerEdge = SaturatingSub(target, d);
            r.UpperEdge = settings.BothDirections ? SaturatingAdd(target, d) : target;
        }

        if (sum >= r.LowerEdge) {
            ++r.Variants;
            if (sum > r.UpperEdge) {
                sum = 0;
                std::fill(drawn.begin(), drawn.end(), 0);
                drawnCount = 0;
            } else {
                r.Sum = sum;
                for (TItemKind kind : {ikFolder, ikFile})
                    for (std::size_t i = 0; i < n; ++i)
                        if (drawn[i] && items[i].Kind == kind)
                            r.Chosen.push_back(i);
                AddFoundReport(items, r, settings.BothDirections);
                return finish(soFound);
            }
        }

        const bool tooSmall = r.LowerEdge > total;
        if (tooSmall)
            AddTooSmallReport(r.Report);

        if (!samples) {
            samples = TryStrToInt(settings.SamplesText);
            if (!samples)
                return finish(soBadInput);
        }
        if (r.Variants >= *samples) {
            AddSampleLimitReport(r.Report, settings.SamplesText);
            return finish(tooSmall ? soTooSmall : soSampleLimit);
        }
        if (tooSmall)
            return finish(soTooSmall);
    }
    return finish(soNoResult);
}

} // namespace platterwise
