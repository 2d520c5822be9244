// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscStatus.h"

#include "DiscTexts.h"
#include "engine/ShellText.h"

namespace platterwise {

std::string_view CodeName(TDiscCode code) {
    switch (code) {
    case TDiscCode::Ok:
        return "ok";
    case TDiscCode::SelectedTwice:
        return "selected_twice";
    case TDiscCode::InsideSelected:
        return "inside_selected";
    case TDiscCode::NoRootName:
        return "no_root_name";
    case TDiscCode::Unreadable:
        return "unreadable";
    case TDiscCode::HoldsUnreadable:
        return "holds_unreadable";
    case TDiscCode::UnreadableLink:
        return "unreadable_link";
    case TDiscCode::LinkTargetTooLong:
        return "link_target_too_long";
    case TDiscCode::LinkTargetNameTooLong:
        return "link_target_name_too_long";
    case TDiscCode::PathTooLong:
        return "path_too_long";
    case TDiscCode::RenamedPathTooLong:
        return "renamed_path_too_long";
    case TDiscCode::LineBreak:
        return "line_break";
    case TDiscCode::EndsInCarriageReturn:
        return "ends_in_carriage_return";
    case TDiscCode::LargerThanXorrisoTakes:
        return "larger_than_xorriso_takes";
    case TDiscCode::LibisofsRefused:
        return "libisofs_refused";
    case TDiscCode::ChangedSincePlanned:
        return "changed_since_planned";
    case TDiscCode::CannotWrite:
        return "cannot_write";
    case TDiscCode::NoSpace:
        return "no_space";
    case TDiscCode::Failed:
        return "failed";
    }
    return "failed";
}

TDiscStatus PathStatus(std::string_view path, const TDiscReason& why, std::string_view detail) {
    std::string text = QuotedName(path);
    text += why.Text;
    text += detail;
    return {why.Code, std::move(text)};
}

} // namespace platterwise
