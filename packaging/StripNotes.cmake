# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged files before it packs them: CPack strips the programs of their
# symbols only; Debian's own packages also lose the compiler's .comment and the .note sections.
# Each package's files are staged in a folder named after its component.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*"
                   "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/*")
foreach(program IN LISTS programs)
    execute_process(
        COMMAND ${CPACK_STRIP_PROGRAM} --remove-section=.comment --remove-section=.note ${program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
