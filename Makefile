# SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
# SPDX-License-Identifier: GPL-3.0-or-later
#
# make run | make test | make golden | make bench | make sanitize | make fuzz
# make package | make cross-test | make bits-test
# Each target first installs what is missing (Debian 12, apt-get through
# sudo when not root), then configures, builds and tests with the CMake
# presets of CMakePresets.json; WERROR=ON is passed on top of them.

# The build folders are the presets' binaryDir: change them there.
BUILD_DIR    := build
SAN_DIR      := build-sanitize
FUZZ_DIR     := build-fuzz
PACKAGE_DIR  := build-package
CROSS_DIR    := build-cross
BITS_DIR     := build-bits
FUZZ_SECONDS ?= 60
WERROR       ?= OFF
JOBS         ?= $(shell nproc)

# What the program alone needs (make package); the tests and benchmarks add
# GoogleTest and Google Benchmark, the sanitizers and the fuzzer clang.
PROGRAM_PACKAGES := g++ cmake make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev \
            libboost-dev fonts-liberation2 qt6-translations-l10n
PACKAGES := $(PROGRAM_PACKAGES) libgtest-dev libbenchmark-dev clang libclang-rt-14-dev locales
# make package: the package tools, and the checks of what it holds.
PACKAGE_TOOLS := dpkg-dev file lintian desktop-file-utils appstream
# make cross-test: mingw-w64 with POSIX threads, GoogleTest's sources, wine.
CROSS_TOOLS := mingw-w64 g++-mingw-w64-x86-64-posix googletest wine64
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps build run test golden bench sanitize fuzz package cross-test bits-test clean

all: build

# Installs the Debian packages named in $(1) that are missing.
define install-missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))
	@# The tests read numbers under an Italian locale too.
	@locale -a 2>/dev/null | grep -qix 'it_IT.utf8' || $(SUDO) localedef -i it_IT -c -f UTF-8 it_IT.UTF-8

build: deps
	cmake --preset release -DRLC_WERROR=$(WERROR)
	cmake --build --preset release -j $(JOBS)

run: build
	./$(BUILD_DIR)/rlc-parallelo

test: build
	ctest --preset release -j $(JOBS)

# Rewrites the reference images of the window tests (tests/images/*.png)
# from what the windows show now. Look at every changed image before
# committing it.
golden: build
	RLC_WRITE_IMAGES=1 ctest --preset release -R window

bench: build
	./$(BUILD_DIR)/bench/simulation_bench
	./$(BUILD_DIR)/bench/window_bench

sanitize: deps
	cmake --preset sanitize -DRLC_WERROR=$(WERROR)
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

fuzz: deps
	cmake --preset fuzz -DRLC_WERROR=$(WERROR)
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	./$(FUZZ_DIR)/fuzz/field_check_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=256 \
	  -timeout=10 -print_final_stats=1 $(FUZZ_DIR)/corpus fuzz/corpus

# The Debian package, built as Debian builds: Release, the hardening flags of
# dpkg-buildflags, stripped, the system's Liberation Sans; no tests and no
# benchmarks, so neither GoogleTest nor Google Benchmark is needed. It is left in
# $(BUILD_DIR) and checked with lintian, desktop-file-validate and appstreamcli.
package:
	$(call install-missing,$(PROGRAM_PACKAGES) $(PACKAGE_TOOLS))
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake --preset package -DRLC_WERROR=$(WERROR) \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build --preset package -j $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB
	mkdir -p $(BUILD_DIR) && cp $(PACKAGE_DIR)/rlc-parallelo_*.deb $(BUILD_DIR)/
	desktop-file-validate packaging/rlc-parallelo.desktop
	appstreamcli validate --no-net $(PACKAGE_DIR)/packaging/*.metainfo.xml
	lintian --fail-on error,warning $(BUILD_DIR)/rlc-parallelo_*.deb

# The analysis and its tests for Windows, with mingw-w64, run under wine.
cross-test:
	$(call install-missing,cmake make libboost-dev $(CROSS_TOOLS))
	cmake --preset cross -DRLC_WERROR=$(WERROR)
	cmake --build --preset cross -j $(JOBS)
	ctest --preset cross

# The analysis and its tests built as a user with a newer machine in mind
# might build them: fused multiply-add allowed. The result bits must not move.
bits-test:
	$(call install-missing,g++ cmake make libgtest-dev libboost-dev)
	cmake --preset bits -DRLC_WERROR=$(WERROR)
	cmake --build --preset bits -j $(JOBS)
	@grep -qw avx2 /proc/cpuinfo || { echo "bits-test skipped: this CPU runs no x86-64-v3 code"; exit 0; }; \
	./$(BITS_DIR)/tests/analysis_tests

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR) $(PACKAGE_DIR) $(CROSS_DIR) $(BITS_DIR)
