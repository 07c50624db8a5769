# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# durnoval_hardening: what Debian's dpkg-buildflags adds with hardening=+all, for the project's
# own targets: position independence, glibc's checked functions, stack protection, stack clash
# probes, control-flow markers, and full RELRO with immediate binding. The sanitizer build
# keeps its own instrumentation and gets none of this: glibc's checked functions would
# go past ASan's interceptors.
# A packager's flags win: a build of type None, which debhelper configures with the flags it
# takes from dpkg-buildflags, gets none of this, nor does one with the option off.
include(CheckCXXCompilerFlag)
include(CMakeDependentOption)
cmake_dependent_option(DURNOVAL_HARDENING
    "Build with the hardening flags Debian's hardening=+all gives" ON
    "NOT CMAKE_BUILD_TYPE STREQUAL None" OFF)

add_library(durnoval_hardening INTERFACE)
if(NOT DURNOVAL_HARDENING OR DURNOVAL_SANITIZE)
    return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# The checks need optimisation, and glibc warns without it; a level the distribution's own
# flags choose is left as it is.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
    target_compile_definitions(durnoval_hardening INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()

# Each compiler flag only where the compiler takes it for this target (the control-flow
# markers are x86's); every ELF linker takes both -z options.
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "DURNOVAL_HAS${flag}" has)
    check_cxx_compiler_flag(${flag} ${has})
    target_compile_options(durnoval_hardening INTERFACE $<$<BOOL:${${has}}>:${flag}>)
endforeach()
target_link_options(durnoval_hardening INTERFACE LINKER:-z,relro LINKER:-z,now)
