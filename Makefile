# Quillmere: the whole set-up on a fresh Debian machine.
#   make run    build, then start the program on the sample database
#   make test   build, then run every test
#   make install, make deb: install the program, or build its Debian package

BUILD_DIR          ?= build
SANITIZE_BUILD_DIR ?= build-sanitize
FUZZ_BUILD_DIR     ?= build-fuzz
DEB_BUILD_DIR      ?= build-deb
PREFIX             ?= /usr/local
FUZZ_SECONDS       ?= 120
CMAKE              ?= cmake
JOBS               ?= $(shell nproc)

.PHONY: all deps build test test-sanitize run bench install uninstall deb test-package format format-check clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	@$(CMAKE) -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

build: deps $(BUILD_DIR)/build.ninja
	@$(CMAKE) --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure --progress -j $(JOBS)

$(SANITIZE_BUILD_DIR)/build.ninja: | deps
	@$(CMAKE) -S . -B $(SANITIZE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_SANITIZE=ON >/dev/null

test-sanitize: deps $(SANITIZE_BUILD_DIR)/build.ninja
	@$(CMAKE) --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	@cd $(SANITIZE_BUILD_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure --progress -j $(JOBS)

run: build
	@scripts/run-program $(BUILD_DIR)

# make install [PREFIX=/usr/local] [DESTDIR=...]; make uninstall removes what it installed.
install: build
	@DESTDIR="$(DESTDIR)" $(CMAKE) --install $(BUILD_DIR) --prefix "$(PREFIX)"

uninstall:
	@DESTDIR="$(DESTDIR)" scripts/uninstall $(BUILD_DIR)/install_manifest.txt

deb: deps
	@scripts/build-deb $(DEB_BUILD_DIR)

# The package's contents, lintian, and (as root) installing it, using it and removing it.
test-package: build deb
	@scripts/test-package $(BUILD_DIR) $(DEB_BUILD_DIR)

bench: build
	@for program in $(BUILD_DIR)/bin/bench-*; do \
		echo "== $$program"; "$$program" || exit 1; \
	done

# make fuzz-ipdb, make fuzz-skin...: builds with clang and runs every fuzz-<layer>* program
# for FUZZ_SECONDS each, keeping its corpus under fuzz-corpus/.
fuzz-%: deps
	@CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUILLMERE_FUZZ=ON >/dev/null
	@$(CMAKE) --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@scripts/run-fuzzers $(FUZZ_BUILD_DIR) $* $(FUZZ_SECONDS)

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES) && echo "format-check: all files formatted"

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR) $(FUZZ_BUILD_DIR)
