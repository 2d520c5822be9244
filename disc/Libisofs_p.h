// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// libisofs's header, in the only order it builds in: it needs the fixed-width integer types
// first, and declares its burn source only when told that libburn's header is absent.
// clang-format off
#include <stdint.h>
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs.h>
// clang-format on
