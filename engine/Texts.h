// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the engine's reports show, English and Russian, in UTF-8.
#include <string_view>

namespace platterwise::texts {

// Go! button
inline constexpr std::string_view kNothingSelected = "Nothing selected!";
inline constexpr std::string_view kSearchStarted = "mp3 sux, lossless audio rulez!";
inline constexpr std::string_view kWrongCharacters = "You have typed wrong characters";
inline constexpr std::string_view kPrepared = "Prepared ";
inline constexpr std::string_view kSelectedBothWays = "Отобрано ";
inline constexpr std::string_view kBytesRu = " байт";
inline constexpr std::string_view kTooSmallBox =
    "Selected files/folders have smaller size than you have set for target media!\n\r"
    "Решение не может быть найдено. Рекомендуется уменьшить искомый размер.";
inline constexpr std::string_view kStillNothingToBurn = "Still nothing to burn!";
inline constexpr std::string_view kYouFailMe = "You fail me, bungler!";
inline constexpr std::string_view kSampleLimitBoxHead = "Program checked ";
inline constexpr std::string_view kSampleLimitBoxTail =
    " variants using random folders sampling and your deviation criteria,\n\r"
    "but failed to find appropriate file/folder combination. Its recommended to adjust search "
    "settings.";
inline constexpr std::string_view kNotLucky =
    "U aint lucky! Never to burn those lossless music! :(";

// Totals report
inline constexpr std::string_view kBigMomma = "Oh, thats a big momma! :)";
inline constexpr std::string_view kSelectedEn = "Selected: folders - ";
inline constexpr std::string_view kFilesEn = " , files - ";
inline constexpr std::string_view kTotalSizeEn = "Total size: ";
inline constexpr std::string_view kSelectedRu = "Выделено: папок - ";
inline constexpr std::string_view kFilesRu = " , файлов - ";
inline constexpr std::string_view kTotalSizeRu = "Общий размер: ";
inline constexpr std::string_view kMbOpen = " Mb (";
inline constexpr std::string_view kBytesClose = " bytes)";
inline constexpr std::string_view kWrongCustomSizeEn = "Wrong input in the custom size field";
inline constexpr std::string_view kWrongCustomSizeRu =
    "Неверное значение в поле ручного ввода желаемого размера!";

// Auto size warning: head + medium + middle + medium + tail.
inline constexpr std::string_view kAutoSizeHead = "Вы уже выбрали больше, чем вмещает носитель ";
inline constexpr std::string_view kAutoSizeMiddle =
    "! Эти файлы не могут занимать часть\n\rболванки ";
inline constexpr std::string_view kAutoSizeTail =
    ", сейчас самое время нажать `Вычисление нужного размера` ;-)";

// Both-directions check box
inline constexpr std::string_view kBothWaysTicked = "Считать в обе стороны +-";
inline constexpr std::string_view kBothWaysUnticked = "Считать в обе стороны";
inline constexpr std::string_view kMbSuffix = " Mb";

} // namespace platterwise::texts
