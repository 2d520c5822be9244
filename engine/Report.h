// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's reports are data: an ordered list of display actions that the window (or the
// command-line tool) performs in order. Nothing in the engine shows anything itself.
#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

// A colour value as the windows store it: 0x00BBGGRR.
using TColorValue = std::uint32_t;

inline constexpr TColorValue kColorBlack = 0x00000000;
inline constexpr TColorValue kColorRed = 0x000000FF;
inline constexpr TColorValue kColorLime = 0x0000FF00;
inline constexpr TColorValue kColorBothWays = 0x00829904; // red 4, green 153, blue 130

enum class TActionKind : std::uint8_t {
    ShowInformationBox, // modal, captioned "Information", information icon
    ShowPlainBox,       // modal, captioned with the application title, no icon
    ClearMemo,          // results memo: Lines.Clear
    AddMemoLine,        // results memo: Lines.AddLine(Text), drawn in the memo's font colour
    AddMemoTaggedLine,  // results memo: Lines.Add then SetTaggedText(Text)
    SetMemoFontColor,   // results memo font colour := Color
    SetMessageText,     // message line text := Text
    SetMessageColor,    // message line font colour := Color
    SetCustomSizeText,  // custom size field text := Text
    SetTargetMode,      // target-mode radio group index := Index
    DisableTemplateList,
};

struct TDisplayAction {
    TActionKind Kind;
    std::string Text; // UTF-8; file names inside are native bytes
    TColorValue Color = 0;
    int Index = 0;

    bool operator==(const TDisplayAction&) const = default;

    static TDisplayAction InformationBox(std::string text);
    static TDisplayAction PlainBox(std::string text);
    static TDisplayAction ClearMemo();
    static TDisplayAction MemoLine(std::string text);
    static TDisplayAction MemoTaggedLine(std::string text);
    static TDisplayAction MemoFontColor(TColorValue color);
    static TDisplayAction MessageText(std::string text);
    static TDisplayAction MessageColor(TColorValue color);
    static TDisplayAction CustomSizeText(std::string text);
    static TDisplayAction TargetMode(int index);
    static TDisplayAction DisableTemplateList();
};

using TReport = std::vector<TDisplayAction>;

// Receives display actions as an action produces them, so that a long action (the totals
// report walking many folders) shows its running state.
class TReportSink {
public:
    virtual ~TReportSink() = default;
    virtual void Perform(const TDisplayAction& action) = 0;
};

// A sink that keeps what it is given.
class TReportRecorder final : public TReportSink {
public:
    void Perform(const TDisplayAction& action) override { Actions.push_back(action); }
    TReport Actions;
};

} // namespace platterwise
