# SPDX-License-Identifier: GPL-2.0-or-later
# Brelvo: `make run` opens a copy of the sample movie, `make test` runs every test headless.
BUILD      ?= build
BUILD_CORE ?= build-core
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
CCACHE     := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_ARGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: deps build build-core run test test-core test-sanitize fuzz bench screenshots clean

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The core and the CLI without Qt: proves the core never came to depend on it.
build-core: deps
	cmake -S . -B $(BUILD_CORE) $(CMAKE_ARGS) -DBRELVO_BUILD_GUI=OFF
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

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize $(CMAKE_ARGS) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer harness for FUZZ_SECONDS (clang build, sanitizers on).
FUZZ_SECONDS ?= 60
fuzz: deps
	scripts/fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

screenshots: build
	scripts/screenshots.sh $(BUILD) $(BUILD)/screenshots

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DBRELVO_BUILD_BENCH=ON -DBUILD_TESTING=OFF -DBRELVO_BUILD_GUI=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	bench/run-all.sh $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD_CORE) $(BUILD)-bench run

# Installing, the Debian package, and the core built for Windows (MinGW-w64, tests under Wine).
.PHONY: install package test-windows-core
PREFIX ?= /usr/local

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	JOBS=$(JOBS) scripts/make-package.sh $(BUILD)

test-windows-core: deps
	JOBS=$(JOBS) scripts/test-windows-core.sh $(BUILD)-mingw
