// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

namespace platterwise {

TDisplayAction TDisplayAction::InformationBox(std::string text) {
    return {TActionKind::ShowInformationBox, std::move(text)};
}
TDisplayAction TDisplayAction::PlainBox(std::string text) {
    return {TActionKind::ShowPlainBox, std::move(text)};
}
TDisplayAction TDisplayAction::ClearMemo() {
    return {TActionKind::ClearMemo, {}};
}
TDisplayAction TDisplayAction::MemoLine(std::string text) {
    return {TActionKind::AddMemoLine, std::move(text)};
}
TDisplayAction TDisplayAction::MemoTaggedLine(std::string text) {
    return {TActionKind::AddMemoTaggedLine, std::move(text)};
}
TDisplayAction TDisplayAction::MemoFontColor(TColorValue color) {
    return {TActionKind::SetMemoFontColor, {}, color};
}
TDisplayAction TDisplayAction::MessageText(std::string text) {
    return {TActionKind::SetMessageText, std::move(text)};
}
TDisplayAction TDisplayAction::MessageColor(TColorValue color) {
    return {TActionKind::SetMessageColor, {}, color};
}
TDisplayAction TDisplayAction::CustomSizeText(std::string text) {
    return {TActionKind::SetCustomSizeText, std::move(text)};
}
TDisplayAction TDisplayAction::TargetMode(int index) {
    return {TActionKind::SetTargetMode, {}, 0, index};
}
TDisplayAction TDisplayAction::DisableTemplateList() {
    return {TActionKind::DisableTemplateList, {}};
}

} // namespace platterwise
