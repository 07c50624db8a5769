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
# make, make all   configures and builds the program, its tests and tools in build/
# make install     installs it under PREFIX (cmake's, /usr/local), below DESTDIR if given
# make check-debian-bookworm, make check-debian-unstable
#             make test on a fresh Debian root made with mmdebstrap (as root or through sudo);
#             ROOT_TARGETS=... runs those targets there instead
# make check-debian-trixie
#             the same on Debian 13, then the Debian packages built there from make dist's
#             tarball, checked with lintian, installed, and tested with autopkgtest
# make check-debian
#             the three roots at once, as most of their time goes to apt
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGE_DIR ?= $(BUILD_DIR)/package
# What needs root gets it through sudo when make runs as another user.
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

VERSION := $(shell sed -n 's/^ *VERSION \([0-9.]*\)$$/\1/p' CMakeLists.txt)

.PHONY: all install deps dist run build test check sanitize check-leftovers package lintian clean \
	check-hardening check-reproducible screenshots check-debian autopkgtest check-distributions ci here

# The program, its tests and the tools they run; CMAKE_OPTIONS go to cmake.
all build:
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON $(CMAKE_OPTIONS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

deps:
	scripts/install-deps.sh $(LEVEL)

# The source release, durnoval-$(VERSION).tar.xz: the committed tree under durnoval-$(VERSION)/,
# the same bytes from any clone of the commit (git archive gives every member the commit's time;
# xz on one thread packs the same way each time). It builds without git, at the release date.
dist:
	git archive --format=tar --prefix=durnoval-$(VERSION)/ HEAD | xz -9 -T1 >durnoval-$(VERSION).tar.xz

# Only the program and what it needs; the tests and tools are built by make test.
run:
	$(MAKE) deps LEVEL=run
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF
	cmake --build $(BUILD_DIR) --target durnoval -j $(JOBS)
	$(BUILD_DIR)/app/durnoval

test:
	$(MAKE) deps LEVEL=test
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The checks in this order, one at a time even under make -j, up to the first that fails.
check:
	$(MAKE) deps LEVEL=check
	$(MAKE) -j1 sanitize check-leftovers check-hardening check-reproducible check-distributions

sanitize:
	$(MAKE) test BUILD_DIR=$(SANITIZE_DIR) CMAKE_OPTIONS='-DDURNOVAL_SANITIZE=ON \
	    -DDURNOVAL_E2E_DESKTOPS="openbox;bare;mutter;kwin;icewm;mutter-wayland;orca"'

# The end-to-end test, after a pass, a failure, its own deadline, Ctrl+C and its wrapper killed
# outright, leaves no process running: beside a Wayland compositor, and in GNOME's, which runs
# the session itself.
check-leftovers: build
	for desktop in bare mutter-wayland; do tests/e2e/leftovers.sh $(BUILD_DIR)/app/durnoval $$desktop || exit 1; done

# The pictures of the windows: docs/ for the README, and the pictures test's reference for
# this machine's renderer in tests/pictures/. Run after a deliberate change to how a window
# looks, on each renderer the references are kept for.
screenshots: build
	scripts/own-environment.sh --fonts $(BUILD_DIR)/tools/durnoval-screenshots save docs
	scripts/own-environment.sh --fonts $(BUILD_DIR)/tools/durnoval-screenshots reference tests/pictures

# The Debian packages, from the source release and packaging/debian as a distribution builds
# them (so from the committed HEAD): $(PACKAGE_DIR)/durnoval_<version>-1_<arch>.deb beside the
# source package. DEB_BUILD_OPTIONS are dpkg's.
package: dist
	rm -rf $(PACKAGE_DIR) && mkdir -p $(PACKAGE_DIR)
	cp durnoval-$(VERSION).tar.xz $(PACKAGE_DIR)/durnoval_$(VERSION).orig.tar.xz
	tar -xf durnoval-$(VERSION).tar.xz -C $(PACKAGE_DIR)
	cp -r packaging/debian $(PACKAGE_DIR)/durnoval-$(VERSION)/debian
	cd $(PACKAGE_DIR)/durnoval-$(VERSION) && dpkg-buildpackage --unsigned-source --unsigned-changes

# Any lintian error or warning fails; every other tag is shown and passes.
lintian: package
	lintian --pedantic --display-info --fail-on error,warning $(PACKAGE_DIR)/*.changes

# For a throwaway Debian root only, as make check-debian-trixie makes one: installs what
# packaging/debian/control names to build the package, builds and checks the packages as make
# lintian does, installs the .deb and runs the package's own tests (packaging/debian/tests)
# against the installed program.
autopkgtest:
	apt-get build-dep -y -q ./packaging && apt-get install -y -q --no-install-recommends lintian autopkgtest
	$(MAKE) lintian
	apt-get install -y -q --no-remove ./$(PACKAGE_DIR)/durnoval_$(VERSION)-*.deb
	autopkgtest $(PACKAGE_DIR)/durnoval_$(VERSION)-*.deb $(PACKAGE_DIR)/durnoval-$(VERSION) -- null

# Every protection hardening-check looks for that this machine's toolchain can give. The linker
# marks a program for control-flow protection only when the C library's start-up code is marked
# too, which Debian 12's and 13's are not; branch protection exists on arm64 alone, and Debian
# 12's hardening-check has no line for it.
check-hardening: build
	hardening-check $(BUILD_DIR)/app/durnoval \
	    $$(readelf -n "$$($(CXX) -print-file-name=Scrt1.o)" | grep -q "x86 feature: IBT, SHSTK" || echo --nocfprotection) \
	    $$([ "$$(uname -m)" = aarch64 ] || hardening-check --help 2>&1 | grep -o -m 1 -- --nobranchprotection)

# Two builds of the package must give the same bytes: one at a longer path, under another umask
# and time zone, and the one in $(PACKAGE_DIR), which lintian checks. diffoscope, where
# installed, shows how they differ.
check-reproducible: export DEB_BUILD_OPTIONS = nocheck parallel=$(JOBS)
check-reproducible: again = $(PACKAGE_DIR)-again-at-a-longer-path
check-reproducible:
	umask 002 && TZ=Pacific/Kiritimati $(MAKE) package PACKAGE_DIR=$(again)
	$(MAKE) lintian
	for deb in $(PACKAGE_DIR)/*.deb; do cmp $$deb $(again)/$${deb##*/} || \
	    { ! command -v diffoscope || diffoscope $$deb $(again)/$${deb##*/}; exit 1; }; done

# The program and its tests built as Fedora's and Arch's packages build them, with their usual
# flags and generators, each in a fresh folder: the build must give no warning, and every test
# but the end-to-end sessions must pass. The x86 flags name this machine's processor family.
DISTRIBUTIONS_DIR ?= $(BUILD_DIR)/distributions
x86 := $(if $(filter x86_64,$(shell uname -m)),-mtune=generic -mno-omit-leaf-frame-pointer)
# Fedora's usual compiler and linker flags for packages, as its CMake macro passes them, with
# its shared-libraries default; its compiler wrapper files are Fedora's own and left out.
fedora_flags = CXXFLAGS="-O2 -flto=auto -ffat-lto-objects -fexceptions -g -grecord-gcc-switches -pipe \
    -Wall -Werror=format-security -Wp,-U_FORTIFY_SOURCE,-D_FORTIFY_SOURCE=3 -Wp,-D_GLIBCXX_ASSERTIONS \
    -fstack-protector-strong -fasynchronous-unwind-tables -fstack-clash-protection -fcf-protection \
    -fno-omit-frame-pointer $(x86)" LDFLAGS="-Wl,-z,relro -Wl,--as-needed -Wl,-z,now -flto=auto"
fedora_cmake = -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_SHARED_LIBS=ON
# Arch's makepkg.conf, its debug option's source mapping, and the Ninja its packages use: the
# debug information must name the sources by that mapping only.
arch_sources = /usr/src/debug/durnoval
arch_flags = CXXFLAGS="-O2 -pipe -fno-plt -fexceptions -Wp,-D_FORTIFY_SOURCE=3 -Wformat \
    -Werror=format-security -fstack-clash-protection -fcf-protection -fno-omit-frame-pointer $(x86) \
    -Wp,-D_GLIBCXX_ASSERTIONS -g -ffile-prefix-map=$(CURDIR)=$(arch_sources)" \
    LDFLAGS="-Wl,-O1 -Wl,--sort-common -Wl,--as-needed -Wl,-z,relro -Wl,-z,now"
arch_cmake = -G Ninja -DCMAKE_BUILD_TYPE=None

check-distributions: check-distribution-fedora check-distribution-arch
	readelf --debug-dump=info $(DISTRIBUTIONS_DIR)/arch/app/durnoval | grep -E "DW_AT_(comp_dir|name) .*/" \
	    >$(DISTRIBUTIONS_DIR)/arch.paths
	! grep -F $(CURDIR) $(DISTRIBUTIONS_DIR)/arch.paths && grep -qF $(arch_sources)/ $(DISTRIBUTIONS_DIR)/arch.paths

check-distribution-%: dir = $(DISTRIBUTIONS_DIR)/$*
check-distribution-%:
	rm -rf $(dir) && mkdir -p $(dir)
	{ $($*_flags) cmake -S . -B $(dir) -DBUILD_TESTING=ON $($*_cmake) && cmake --build $(dir) -j $(JOBS); } \
	    >$(dir).log 2>&1 || { tail -30 $(dir).log; echo "FAILED: $*: the build, all of it in $(dir).log"; exit 1; }
	! grep -E "warning:|CMake Warning" $(dir).log || { echo "FAILED: $*: warnings, all in $(dir).log"; exit 1; }
	ctest --test-dir $(dir) -LE e2e -j $(JOBS) --output-on-failure

# make test, or ROOT_TARGETS, on a fresh Debian root (minbase) made from the first Debian mirror
# this machine's apt uses, with the committed HEAD cloned in as a new user would clone it, and
# the time it took. mmdebstrap mounts what the root needs in namespaces of its own and removes
# the root again, however it ends. A mirror that is a snapshot serves unstable's Release file
# past its Valid-Until date, which apt refuses unless told. On Debian 13 the packages too, built,
# checked, installed and tested.
check-debian-trixie: ROOT_TARGETS ?= test autopkgtest
check-debian-%: targets = $(or $(ROOT_TARGETS),test)
check-debian-%: bundle = $(abspath $(BUILD_DIR))/debian-$*.bundle
check-debian-%: mirror = $(shell apt-get indextargets --format '$$(REPO_URI)' | awk '!/security/ && !found++')
check-debian-%:
	mkdir -p $(BUILD_DIR) && git bundle create -q $(bundle) HEAD
	@echo "make $(targets) on a fresh $* root at $$(git rev-parse --short=12 HEAD), from $(mirror)"
	@start=$$(date +%s); if $(SUDO) env TMPDIR=$${TMPDIR:-/var/tmp} mmdebstrap --quiet --mode=unshare \
	    --variant=minbase --include=git,make,ca-certificates,sudo --aptopt='Acquire::Check-Valid-Until "false"' \
	    --customize-hook='copy-in $(bundle) /root' --customize-hook='chroot "$$1" git \
	        -c advice.detachedHead=false clone -q /root/$(notdir $(bundle)) /root/durnoval' \
	    --customize-hook='chroot "$$1" env -i -C /root/durnoval HOME=/root LANG=C.UTF-8 TERM=dumb \
	        CI=$(CI) PATH=/usr/sbin:/usr/bin:/sbin:/bin make $(targets)' $* /dev/null $(mirror); \
	then echo "$*: make $(targets) passed in $$(($$(date +%s) - start)) s"; \
	else echo "$*: make $(targets) FAILED after $$(($$(date +%s) - start)) s"; exit 1; fi

# Each root's log is shown whole when it ends.
check-debian:
	$(MAKE) -j3 --output-sync=target check-debian-bookworm check-debian-trixie check-debian-unstable

# What CI runs, with make -j4: make test and make check on this machine, each with its time,
# beside the three fresh Debian roots.
ci: here check-debian-bookworm check-debian-trixie check-debian-unstable
here:
	start=$$(date +%s); $(MAKE) test && echo "make test passed in $$(($$(date +%s) - start)) s" && \
	    $(MAKE) check && echo "make check passed at $$(($$(date +%s) - start)) s"

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
