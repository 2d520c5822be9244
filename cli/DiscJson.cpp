// SPDX-License-Identifier: GPL-3.0-or-later
// best and plan for scripts: one JSON object, whatever the number of discs.
#include "DiscOutput_p.h"
#include "JsonOutput.h"

#include <ostream>

namespace platterwise::cli::detail {
namespace {

TJson Item(const TDiscJobItem& item) {
    TJson json;
    AddPath(json, item.Path);
    json["name"] = item.ImageName;
    if (!IsValidUtf8(item.ImageName)) {
        json["name_base64"] = Base64(item.ImageName);
    }
    json["kind"] = item.Kind == ikFolder ? "folder" : "file";
    json["bytes"] = item.Bytes;
    json["sectors"] = item.Sectors;
    return json;
}

TJson Items(const std::vector<TDiscJobItem>& items) {
    TJson json = TJson::array();
    for (const TDiscJobItem& item : items) {
        json.push_back(Item(item));
    }
    return json;
}

TJson BurnedItems(const std::vector<TDiscReport::TBurnedItem>& items, const char* key) {
    TJson json = TJson::array();
    for (const TDiscReport::TBurnedItem& item : items) {
        TJson entry;
        AddPath(entry, item.Path);
        entry[key] = item.Labels;
        json.push_back(std::move(entry));
    }
    return json;
}

} // namespace

void WriteDiscJson(const TDiscJobResult& result, const TDiscReport& report, std::ostream& out) {
    TJson json;
    json["medium"] = report.MediumName;
    json["capacity_sectors"] = report.CapacitySectors;
    if (report.Plan) {
        json["lower_bound"] = result.LowerBound;
    }
    json["discs"] = TJson::array();
    for (std::size_t i = 0; i < result.Discs.size(); ++i) {
        const TDiscJobDisc& disc = result.Discs[i];
        TJson entry;
        entry["image_sectors"] = disc.ImageSectors;
        entry["planned_sectors"] = disc.PlannedSectors;
        entry["spare_sectors"] = disc.SpareSectors;
        entry["verified"] = disc.Verified;
        entry["proven"] = disc.Proven;
        entry["items"] = Items(disc.Items);
        if (i < report.Lists.size()) {
            entry["graft_points"] = report.Lists[i];
        }
        if (i < report.Images.size()) {
            AddPath(entry, report.Images[i].Path);
            entry["image_path"] = entry["path"];
            if (entry.contains("path_base64")) {
                entry["image_path_base64"] = entry["path_base64"];
                entry.erase("path_base64");
            }
            entry.erase("path");
            entry["label"] = report.Images[i].Label;
            entry["image_md5"] = report.Images[i].Md5;
        }
        json["discs"].push_back(std::move(entry));
    }
    json["too_large"] = Items(result.TooLarge);
    json["already_on_disc"] = BurnedItems(report.AlreadyOnDisc, "labels");
    if (!report.ChangedSinceDisc.empty()) {
        json["changed_since_disc"] = BurnedItems(report.ChangedSinceDisc, "labels");
    }
    if (!result.Unplaced.empty()) {
        json["unplaced"] = Items(result.Unplaced);
    }
    if (!result.Refused.empty()) {
        json["refused"] = TJson::array();
        for (const TRefusedItem& refused : result.Refused) {
            TJson entry = Item(refused.Item);
            entry["reason"] = refused.Reason.Text;
            entry["reason_code"] = std::string(CodeName(refused.Reason.Code));
            json["refused"].push_back(std::move(entry));
        }
    }
    out << DumpJson(json) << '\n';
}

} // namespace platterwise::cli::detail
