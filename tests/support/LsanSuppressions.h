// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Included by each test main, so the definition is linked in with main() (an object of
// its own in a static library would never be pulled in).
//
// Leaks that belong to system libraries, not to this program: they keep process-wide caches
// that are only released at exit, which LeakSanitizer reports as leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libglib-2.0\n"
           "leak:libgobject-2.0\n";
}
