# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# make run    installs what is missing, builds, starts the program
# make test   the same set-up, then every test
# make check  every test again under AddressSanitizer and UndefinedBehaviorSanitizer, a fuzz
#             run of the core (FUZZ_SECONDS, 60 by default), then lintian on the package
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test check sanitize fuzz package lintian screenshots clean

all: build

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the program and what it needs; the tests and tools are built by make test.
run: configure
	cmake --build $(BUILD_DIR) --target durnoval -j $(JOBS)
	$(BUILD_DIR)/app/durnoval

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

check: sanitize fuzz
	$(MAKE) lintian

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DDURNOVAL_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# New inputs the fuzzer finds go to $(FUZZ_DIR)/corpus; the committed seeds stay as they are.
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DDURNOVAL_FUZZ=ON -DDURNOVAL_SANITIZE=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/calc_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus fuzz/corpus

# The pictures of the windows in docs/, which the README shows; the program test checks that
# the windows still look so. Run after a deliberate change to how a window looks.
screenshots: configure
	cmake --build $(BUILD_DIR) --target durnoval -j $(JOBS)
	$(BUILD_DIR)/app/durnoval -platform offscreen -style fusion --screenshots docs

# The Debian package, build/durnoval_<version>_<arch>.deb; an older version's goes first, so
# that exactly one is there to check.
package: build
	rm -f $(BUILD_DIR)/durnoval_*.deb
	cd $(BUILD_DIR) && cpack -G DEB

# Any lintian error or warning fails; its notes (I:) are shown but pass.
lintian: package
	lintian --fail-on error,warning --display-info $(BUILD_DIR)/durnoval_*.deb

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
