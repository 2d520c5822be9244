// SPDX-License-Identifier: GPL-3.0-or-later
#include "TotalsReport.h"

#include "IntConvert.h"
#include "Texts.h"
#include "Units.h"
#include "image/MediaTemplates.h"

namespace platterwise {
namespace {

struct VariantTexts {
    std::string_view Selected, Files, TotalSize, WrongCustomSize;
};

VariantTexts TextsFor(TTotalsVariant v) {
    if (v == TTotalsVariant::OnTemplateChange) {
        return {texts::kSelectedEn, texts::kFilesEn, texts::kTotalSizeEn,
                texts::kWrongCustomSizeEn};
    }
    return {texts::kSelectedRu, texts::kFilesRu, texts::kTotalSizeRu, texts::kWrongCustomSizeRu};
}

} // namespace

TTotalsResult BuildTotalsReport(TTotalsVariant variant, const TSelectionSource& source,
                                const TTargetFields& fields, TReportSink& sink,
                                const TSizeMeter& meter) {
    const VariantTexts t = TextsFor(variant);
    if (variant == TTotalsVariant::OnShowTotalButton) {
        sink.Perform(TDisplayAction::MessageText(std::string(texts::kBigMomma)));
    }
    sink.Perform(TDisplayAction::ClearMemo());

    TTotalsResult r;
    std::string customSize = fields.CustomSizeText;
    const int rows = source.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (!source.RowSelected(row)) {
            continue;
        }
        const TRowItem item = source.RowItem(row);
        if (item.IsContainer) {
            r.LastTotal =
                SaturatingAdd(r.LastTotal, meter.FolderSize(item.FullPathName, r.Problems));
            ++r.FolderCount;
        } else {
            r.LastTotal = SaturatingAdd(r.LastTotal, meter.FileSize(item.FullPathName, r.Problems));
            ++r.FileCount;
        }

        if (fields.TargetMode == kMediaSizeMode) {
            if (const TMediaTemplate* m = FindTemplate(fields.TemplateIndex)) {
                r.Capacity = variant == TTotalsVariant::OnTemplateChange ? m->TotalsOnTemplateChange
                                                                         : m->TotalsOnButton;
            }
        } else if (fields.TargetMode == kCustomSizeMode) {
            if (const auto mb = TryStrToInt64(customSize)) {
                r.Capacity = MbToBytes(*mb);
            } else {
                sink.Perform(TDisplayAction::PlainBox(std::string(t.WrongCustomSize)));
                customSize = "0";
                sink.Perform(TDisplayAction::CustomSizeText(customSize));
                r.Capacity = 0;
            }
        }

        r.Fills = r.LastTotal >= r.Capacity;
        sink.Perform(TDisplayAction::MemoFontColor(r.Fills ? kColorLime : kColorRed));
        sink.Perform(TDisplayAction::ClearMemo());
        sink.Perform(TDisplayAction::MemoLine(std::string(t.Selected) +
                                              std::to_string(r.FolderCount) + std::string(t.Files) +
                                              std::to_string(r.FileCount)));
        sink.Perform(TDisplayAction::MemoLine(
            std::string(t.TotalSize) + std::to_string(BytesToMb(r.LastTotal)) +
            std::string(texts::kMbOpen) + GroupThousands(r.LastTotal) +
            std::string(texts::kBytesClose)));
    }
    return r;
}

} // namespace platterwise
