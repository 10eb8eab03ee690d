# SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by CPack before it packs: removes from the staged program the sections
# that strip leaves and a Debian package does without.
find_program(OBJCOPY objcopy REQUIRED)
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
