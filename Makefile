# SPDX-License-Identifier: GPL-2.0-or-later
# Brelvo: `make run` opens a copy of the sample movie, `make test` runs every test headless.
# CONTRIBUTING.md describes every target.
BUILD      ?= build
BUILD_CORE ?= build-core
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
CCACHE     := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_ARGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif
# Warnings are errors in the project's own test and CI targets only: whoever just builds and
# runs Brelvo, perhaps with a newer compiler, is not stopped by a new warning.
WERROR ?= OFF
test test-core test-sanitize test-release fuzz test-windows-core: WERROR = ON

.PHONY: deps build build-core run test test-core test-sanitize test-release fuzz bench \
        screenshots clean format format-check coverage

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS) -DBRELVO_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

# The core and the CLI without Qt: proves the core never came to depend on it.
build-core: deps
	cmake -S . -B $(BUILD_CORE) $(CMAKE_ARGS) -DBRELVO_WERROR=$(WERROR) -DBRELVO_BUILD_GUI=OFF
	cmake --build $(BUILD_CORE) -j $(JOBS)

run: build
	@mkdir -p run
	cp samples/sample.avi run/sample.avi
	@if [ -x $(BUILD)/app/brelvo ]; then \
	  $(BUILD)/app/brelvo "$(CURDIR)/run/sample.avi"; \
	else \
	  $(BUILD)/cli/brelvo-cli info "$(CURDIR)/run/sample.avi"; \
	fi

test-core: build-core
	cd $(BUILD_CORE) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: build test-core
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite built as a distribution builds it: Release, -O3, assertions off. The Debian
# package is checked once, by `make test`.
test-release: deps
	cmake -S . -B $(BUILD)-release $(CMAKE_ARGS) -DBRELVO_WERROR=$(WERROR) \
	  -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS)
	cd $(BUILD)-release && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) \
	  -E '^Packaging\.DebianPackage'

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize $(CMAKE_ARGS) -DBRELVO_WERROR=$(WERROR) \
	  -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer harness for FUZZ_SECONDS (clang build, sanitizers on).
FUZZ_SECONDS ?= 60
fuzz: deps
	WERROR=$(WERROR) scripts/fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# clang-format (the repository's .clang-format) is the house style: format-check lists every
# C++ file it would change and fails if there is one; format changes them.
format-check: deps
	scripts/format.sh --check

format: deps
	scripts/format.sh

# Line and branch coverage of the core (avi, audio, editing, info, repair and platform without
# its Qt half) by the Qt-free suite: the figure that guards against losing tests of the core.
coverage: deps
	cmake -S . -B $(BUILD)-coverage -DCMAKE_BUILD_TYPE=Debug -DBRELVO_BUILD_GUI=OFF \
	  -DCMAKE_CXX_FLAGS="--coverage" -DCMAKE_EXE_LINKER_FLAGS="--coverage"
	find $(BUILD)-coverage -name '*.gcda' -delete
	cmake --build $(BUILD)-coverage -j $(JOBS)
	cd $(BUILD)-coverage && ctest -j $(JOBS) >/dev/null || true
	gcovr --root . --object-directory $(BUILD)-coverage \
	  --filter '(avi|audio|editing|info|repair)/' --filter 'platform/[^/]*$$' \
	  --exclude-unreachable-branches --exclude-throw-branches \
	  --print-summary --txt $(BUILD)-coverage/coverage.txt

screenshots: build
	scripts/screenshots.sh $(BUILD) $(BUILD)/screenshots

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DBRELVO_BUILD_BENCH=ON -DBUILD_TESTING=OFF -DBRELVO_BUILD_GUI=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	bench/run-all.sh $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD_CORE) $(BUILD)-bench $(BUILD)-release $(BUILD)-sanitize \
	  $(BUILD)-coverage run

# Installing, the Debian package, and the core built for Windows (MinGW-w64, tests under Wine).
.PHONY: install package test-windows-core
PREFIX ?= /usr/local

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	JOBS=$(JOBS) scripts/make-package.sh $(BUILD)

test-windows-core: deps
	JOBS=$(JOBS) WERROR=$(WERROR) scripts/test-windows-core.sh $(BUILD)-mingw
