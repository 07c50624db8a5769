# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# make run    installs what the program needs, builds it, starts it
# make test   installs what the tests need too, builds everything, runs every test
# make check  installs the rest, then every test again under AddressSanitizer and
#             UndefinedBehaviorSanitizer, a fuzz run of the core (FUZZ_SECONDS, 60 by default),
#             lintian on the package, hardening-check on the program, and two builds of the
#             package that must give the same bytes
# make check-debian13, make check-debian12
#             make test on a fresh Debian root made with debootstrap (needs root or sudo)
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all run build test check sanitize fuzz package lintian check-hardening \
	check-reproducible screenshots clean check-debian13 check-debian12

all: build

# Only the program and what it needs; the tests and tools are built by make test.
run:
	scripts/install-deps.sh run
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF
	cmake --build $(BUILD_DIR) --target durnoval -j $(JOBS)
	$(BUILD_DIR)/app/durnoval

# Everything: the program, its tests, tools and measurement programs.
build:
	scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

check: sanitize fuzz
	$(MAKE) lintian
	$(MAKE) check-hardening
	$(MAKE) check-reproducible

sanitize:
	scripts/install-deps.sh check
	cmake -S . -B $(SANITIZE_DIR) -DDURNOVAL_SANITIZE=ON \
	    -DDURNOVAL_E2E_DESKTOPS="openbox;mutter;bare;kwin;icewm;mutter-wayland"
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# New inputs the fuzzer finds go to $(FUZZ_DIR)/corpus; the committed seeds stay as they are.
fuzz:
	scripts/install-deps.sh check
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DDURNOVAL_FUZZ=ON -DDURNOVAL_SANITIZE=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/calc_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus fuzz/corpus

# The pictures of the windows: docs/ for the README, and the program test's reference for
# this machine's renderer in tests/pictures/. Run after a deliberate change to how a window
# looks, on each renderer the references are kept for.
screenshots: build
	scripts/own-environment.sh $(BUILD_DIR)/tools/durnoval-screenshots save docs
	scripts/own-environment.sh $(BUILD_DIR)/tools/durnoval-screenshots reference tests/pictures

# The Debian package, build/durnoval_<version>_<arch>.deb; an older version's goes first, so
# that exactly one is there to check. cpack gives the archive's members the modes its umask
# leaves, so that is fixed.
package: build
	scripts/install-deps.sh check
	rm -f $(BUILD_DIR)/durnoval_*.deb
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB

# Any lintian error or warning fails; its notes (I:) are shown but pass.
lintian: package
	lintian --fail-on error,warning --display-info $(BUILD_DIR)/durnoval_*.deb

# Every protection hardening-check looks for that this machine's toolchain can give.
check-hardening: build
	scripts/install-deps.sh check
	CXX=$(CXX) scripts/check-hardening.sh $(BUILD_DIR)/app/durnoval

# Two builds of the committed HEAD, in clones at different paths and with different file
# times, must give the same package, byte for byte.
check-reproducible:
	scripts/install-deps.sh check
	JOBS=$(JOBS) scripts/check-reproducible.sh

check-debian13:
	scripts/check-debian.sh trixie test

check-debian12:
	scripts/check-debian.sh bookworm test

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
