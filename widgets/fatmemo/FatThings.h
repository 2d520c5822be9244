// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results memo with its lines and parts, and the control codes of tagged text.
#include "FatLine.h"
#include "FatLines.h"
#include "FatMemo.h"
#include "FatPart.h"
#include "FatTypes.h"
#include "IRCTags.h"
