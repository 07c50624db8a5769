# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# durnoval_missing(WHAT PACKAGE [OPTION LEFT-OUT]): stops configuring with one line that names
# what is missing, the Debian package that has it and, where one does, the option that leaves
# out what needs it. The line starts with a blank, which keeps CMake from wrapping it.
function(durnoval_missing what package)
    # OPTION and LEFT-OUT, when given, become the note on the option.
    string(REGEX REPLACE "^(.+);(.+)$" "; -D\\1=OFF leaves out \\2" leaves_out "${ARGN}")
    message(FATAL_ERROR " ${what} is missing (Debian: ${package})${leaves_out}")
endfunction()
