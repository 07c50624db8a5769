# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The set-up commands install the Debian packages they need first (scripts/install-deps.sh), list
# them before they do, and never remove one; NO_INSTALL=1 only reports what is missing:
# make run    the program's packages; builds the program and starts it
# make test   the tests' packages too; builds everything and runs every test
# make check  the rest too; every test again under AddressSanitizer and
#             UndefinedBehaviorSanitizer, the end-to-end test ended five ways and what it
#             leaves running counted, hardening-check on the program, two builds of the package
#             that must give the same bytes, lintian on it, and builds with Fedora's and Arch's
#             flags
# make deps LEVEL=run|test|check|bench   only the packages of that level (bench: the
#             measurement programs', which -DDURNOVAL_BENCHMARKS=ON builds)
# make dist   the source release, durnoval-VERSION.tar.xz, from the committed HEAD
# Everything else only builds or installs the project, and never installs a package:
# make, make all   configures and builds in build/
# make install     installs it under PREFIX (/usr/local), below DESTDIR if given
# make check-debian12, make check-debian-unstable
#             make test on a fresh Debian root made with debootstrap (needs root or sudo)
# make check-debian13
#             the same on Debian 13, then the Debian packages built there from make dist's
#             tarball, checked with lintian, installed, and tested with autopkgtest
# make check-debian-package
#             only the packages' part, on a fresh root of DEBIAN_RELEASE (trixie by default)
# make check-debian
#             the three roots at once, as most of their time goes to debootstrap and apt
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
LEVEL ?= test
DEBIAN_RELEASE ?= trixie

# Any lintian error or warning fails; every other tag is shown and passes.
LINTIAN := lintian --pedantic --display-info --fail-on error,warning

VERSION := $(shell sed -n 's/^ *VERSION \([0-9.]*\)$$/\1/p' CMakeLists.txt)

.PHONY: all install deps dist run build test check sanitize check-leftovers package lintian \
	check-hardening check-reproducible screenshots clean check-debian13 check-debian12 \
	check-debian-unstable check-debian check-debian-package autopkgtest check-distributions

all:
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

install: all
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

deps:
	NO_INSTALL=$(NO_INSTALL) scripts/install-deps.sh $(LEVEL)

# The source release, durnoval-$(VERSION).tar.xz: the committed tree under durnoval-$(VERSION)/,
# the same bytes from any clone of the commit (git archive gives every member the commit's time;
# xz on one thread packs the same way each time). It builds without git, at the release date.
dist:
	git archive --format=tar --prefix=durnoval-$(VERSION)/ HEAD | xz -9 -T1 >durnoval-$(VERSION).tar.xz
	@echo "durnoval-$(VERSION).tar.xz: $$(sha256sum <durnoval-$(VERSION).tar.xz | cut -d ' ' -f 1)"

# Only the program and what it needs; the tests and tools are built by make test.
run:
	$(MAKE) deps LEVEL=run
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF
	cmake --build $(BUILD_DIR) --target durnoval -j $(JOBS)
	$(BUILD_DIR)/app/durnoval

# The program, its tests and the tools they run.
build:
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

test:
	$(MAKE) deps LEVEL=test
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The checks in this order, one at a time even under make -j, up to the first that fails.
check:
	$(MAKE) deps LEVEL=check
	$(MAKE) -j1 sanitize check-leftovers check-hardening check-reproducible check-distributions

sanitize:
	cmake -S . -B $(SANITIZE_DIR) -DDURNOVAL_SANITIZE=ON \
	    -DDURNOVAL_E2E_DESKTOPS="openbox;bare;mutter;kwin;icewm;mutter-wayland;orca"
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# The end-to-end test, after a pass, a failure, its own deadline, Ctrl+C and its wrapper killed
# outright, leaves no process running: beside a Wayland compositor, and in GNOME's, which runs
# the session itself.
check-leftovers: build
	tests/e2e/leftovers.sh $(BUILD_DIR)/app/durnoval bare
	tests/e2e/leftovers.sh $(BUILD_DIR)/app/durnoval mutter-wayland

# The pictures of the windows: docs/ for the README, and the pictures test's reference for
# this machine's renderer in tests/pictures/. Run after a deliberate change to how a window
# looks, on each renderer the references are kept for.
screenshots: build
	scripts/own-environment.sh --fonts $(BUILD_DIR)/tools/durnoval-screenshots save docs
	scripts/own-environment.sh --fonts $(BUILD_DIR)/tools/durnoval-screenshots reference tests/pictures

# The Debian packages, from the source release and packaging/debian as a distribution builds
# them (so from the committed HEAD): build/package/durnoval_<version>-1_<arch>.deb beside the
# source package.
package: dist
	scripts/build-package.sh durnoval-$(VERSION).tar.xz $(BUILD_DIR)/package

lintian: package
	$(LINTIAN) $(BUILD_DIR)/package/*.changes

# For a throwaway Debian root only, as make check-debian-package makes one: installs the
# package's build dependencies, builds and checks the packages as make lintian does, installs the
# .deb and runs the package's own tests (packaging/debian/tests) against the installed program.
autopkgtest:
	$(MAKE) deps LEVEL=package
	$(MAKE) lintian
	apt-get install -y -q --no-remove ./$(BUILD_DIR)/package/durnoval_$(VERSION)-*.deb
	autopkgtest $(BUILD_DIR)/package/durnoval_$(VERSION)-*.deb \
	    $(BUILD_DIR)/package/durnoval-$(VERSION) -- null

# Every protection hardening-check looks for that this machine's toolchain can give.
check-hardening: build
	CXX=$(CXX) scripts/check-hardening.sh $(BUILD_DIR)/app/durnoval

# Two builds of the committed HEAD, in clones at different paths and with different file
# times, must give the same package, byte for byte; the first is kept in build/package for
# lintian.
check-reproducible:
	JOBS=$(JOBS) scripts/check-reproducible.sh $(BUILD_DIR)/package
	$(LINTIAN) $(BUILD_DIR)/package/*.changes

# The program and its tests built as Fedora's and Arch's packages build them, warning-free, and
# every test but the end-to-end sessions passed.
check-distributions:
	JOBS=$(JOBS) scripts/check-distributions.sh

check-debian13:
	scripts/check-debian.sh trixie test autopkgtest

check-debian12:
	scripts/check-debian.sh bookworm test

check-debian-unstable:
	scripts/check-debian.sh unstable test

# Each root's log is shown whole when it ends.
check-debian:
	$(MAKE) -j3 --output-sync=target check-debian12 check-debian13 check-debian-unstable

# The source and binary packages built, checked and tested on a fresh Debian root
# (DEBIAN_RELEASE, trixie by default), as make autopkgtest does there.
check-debian-package:
	scripts/check-debian.sh $(DEBIAN_RELEASE) autopkgtest

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
