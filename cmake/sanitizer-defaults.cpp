// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sanitized build's own settings, linked into each of its programs; ASAN_OPTIONS still
// overrides them.
//
// GCC 12's LeakSanitizer now and then dies in its tracer at exit ("Tracer caught signal 11"),
// no leak found: its __tls_get_addr interceptor takes a thread-local block that a library
// loaded at run time (Qt's plugins, D-Bus) happens to place at a certain offset for an old
// glibc's header, and reads behind it. Without the interceptor it reads nothing there.
extern "C" const char *__asan_default_options() {
    return "intercept_tls_get_addr=0";
}
