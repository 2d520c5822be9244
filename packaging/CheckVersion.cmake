# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack before it packs. The version is set in one place, project(VERSION) of
# CMakeLists.txt; `cpack -R` would give packages whose programs, manual pages and changelog
# name another.
if(NOT CPACK_PACKAGE_VERSION VERSION_EQUAL CPACK_PLATTERWISE_VERSION)
    message(FATAL_ERROR "the packages would say ${CPACK_PACKAGE_VERSION} but the programs "
                        "${CPACK_PLATTERWISE_VERSION}: set the version in project(VERSION) "
                        "and add its notes to packaging/releases")
endif()
