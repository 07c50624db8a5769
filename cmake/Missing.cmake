# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# durnoval_missing(WHAT PACKAGE [OPTION LEFT-OUT]): stops configuring with one line that names
# what is missing, the Debian package that has it and, where one does, the option that leaves
# out what needs it. The line starts with a blank, which keeps CMake from wrapping it.
macro(durnoval_missing what package)
    set(line " ${what} is missing (Debian: ${package})")
    if(${ARGC} GREATER 2)
        string(APPEND line "; -D${ARGV2}=OFF leaves out ${ARGV3}")
    endif()
    message(FATAL_ERROR "${line}")
endmacro()
