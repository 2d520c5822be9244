// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the settings file and the values they take.
#include <QString>

namespace platterwise::settings {

inline const QString kLastLoc = QStringLiteral("LAST_LOC");
inline const QString kTemplate = QStringLiteral("TEMPLATE");
inline const QString kDeviation = QStringLiteral("DEVIATION");
inline const QString kRandom = QStringLiteral("RANDOM");
inline const QString kRememberLastLoc = QStringLiteral("REMEMBER_LAST_LOC");
inline const QString kRememberTemplate = QStringLiteral("REMEMBER_TEMPLATE");
inline const QString kRememberDeviation = QStringLiteral("REMEMBER_DEVIATION");
inline const QString kRememberRandom = QStringLiteral("REMEMBER_RANDOM");
inline const QString kShell = QStringLiteral("SHELL");

// "YES" and "NO" are compared exactly: "yes" is neither.
inline const QString kYes = QStringLiteral("YES");
inline const QString kNo = QStringLiteral("NO");

// The root name of the computer folder, stored in place of its display name.
inline const QString kMyComputerRoot = QStringLiteral("rfMyComputer");
// The computer folder's display name on a Russian-language system of the original platform.
inline const QString kMyComputerRussian = QStringLiteral("Мой компьютер");

} // namespace platterwise::settings
