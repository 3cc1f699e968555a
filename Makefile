# `make run` and `make test` do all set-up on a fresh Debian 12 machine.
BUILD_DIR ?= build
JOBS ?= 2
# `make install` puts Vellicor under PREFIX; DESTDIR stages it elsewhere, as packagers do.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps configure build run test bench fuzz install uninstall format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "Vellicor is a desktop editor and needs a desktop session: no display was found (DISPLAY and WAYLAND_DISPLAY are unset)."; \
	  echo "Start it from a graphical session, or over ssh -X."; \
	  exit 1; \
	fi
	$(BUILD_DIR)/src/vellicor

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/vellicor_bench

# Each reader of outside input under libFuzzer for FUZZ_SECONDS, in its own clang build; clang
# needs its runtime package for -fsanitize=fuzzer, and llvm's symbolizer names the lines.
FUZZ_SECONDS ?= 60
FUZZ_BUILD_DIR ?= build-fuzz
fuzz:
	@scripts/install-deps.sh clang libclang-rt-14-dev llvm
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_BUILD_DIR=$(FUZZ_BUILD_DIR) JOBS=$(JOBS) scripts/run-fuzz.sh

# Installs the program, its menu entry, icons, metainfo, MIME type and manual page. Installing
# straight onto this machine also refreshes the desktop's caches, so the menu entry and the
# project files' type show at once; staged installs leave that to the package manager.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then scripts/refresh-desktop-caches.sh "$(PREFIX)"; fi

# Removes every file the last install wrote, as listed in its manifest, then refreshes the
# caches under the prefix it was installed to.
uninstall:
	@manifest=$(BUILD_DIR)/install_manifest.txt; \
	if [ ! -f $$manifest ]; then \
	  echo "Nothing to uninstall: $$manifest is missing (run make install first)."; \
	  exit 1; \
	fi; \
	while IFS= read -r file || [ -n "$$file" ]; do rm -fv -- "$(DESTDIR)$$file"; done < $$manifest; \
	if [ -z "$(DESTDIR)" ]; then \
	  prefix=$$(sed -n 's|/share/applications/[^/]*$$||p' $$manifest); \
	  scripts/refresh-desktop-caches.sh "$${prefix:-$(PREFIX)}"; \
	fi

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
