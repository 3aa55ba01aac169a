# The two commands of the README: `make run` and `make test`. Both set up a fresh Debian 12
# machine first (the packages they need), then configure, build and run.
BUILD      ?= build
SANITIZE   ?= build-sanitize
FUZZBUILD  ?= build-fuzz
RELEASE    ?= build-release
RELEASE_CLANG ?= build-release-clang
# The optimisation of `make release`, in place of CMake's -O3 for Release: e.g. make release OPT=-O2.
# A changed OPT reconfigures the release builds.
OPT        ?= -O3
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
SCRIPT     ?= examples/tour.vxs
INSTALLBUILD ?= build-install
PREFIX     ?= /usr/local

.PHONY: all deps configure build python run screenshots screenshots-x11 test validate bench sanitize fuzz release clean format install uninstall deb

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# The Python module alone, into $(BUILD)/python/vorex (use it with PYTHONPATH=$(BUILD)/python).
python: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target _vorex

# With a display (X11 or Wayland) the desktop program; without one, or with SCRIPT=file given,
# the script through vorex-cli.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ "$(origin SCRIPT)" = file ]; then \
	  $(BUILD)/bin/vorex; \
	else \
	  [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] || echo "No display: running $(SCRIPT) through vorex-cli."; \
	  $(BUILD)/bin/vorex-cli $(SCRIPT) && \
	  { [ "$(SCRIPT)" != examples/tour.vxs ] || \
	    echo "The tour's plot is in $(BUILD)/tour.png (and $(BUILD)/tour.svg)."; }; \
	fi

# The README's pictures, taken on the offscreen platform.
screenshots: build
	tools/screenshots.sh $(BUILD) docs

# The desktop program under a real X server with a window manager.
screenshots-x11: build
	tools/screenshots-x11.sh $(BUILD) docs

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Every validation case, with docs/validation.md and its convergence plot.
validate: build
	$(BUILD)/bin/validate --report docs/validation.md --plot docs/validation-convergence.png

bench: build
	@set -e; for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

# The Debian packages vorex and python3-vorex, built from the tree into build-deb/ and checked by
# lintian; `apt install ./build-deb/vorex_*.deb` installs them.
deb:
	@tools/install-deps.sh packaging
	tools/make-deb.sh build-deb

sanitize: deps
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DVOREX_SANITIZE=address,undefined -DVOREX_BENCH=OFF \
	  -DVOREX_PYTHON=OFF
	cmake --build $(SANITIZE) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE) --output-on-failure -j $(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVOREX_FUZZ=ON -DVOREX_TESTS=OFF -DVOREX_BENCH=OFF -DVOREX_UI=OFF \
	  -DVOREX_PYTHON=OFF
	cmake --build $(FUZZBUILD) -j $(JOBS)
	$(FUZZBUILD)/bin/make-fuzz-dictionary > $(FUZZBUILD)/fuzz_script.dict
	$(FUZZBUILD)/bin/make-fuzz-dictionary settings > $(FUZZBUILD)/fuzz_settings.dict
	@set -e; for f in $(FUZZBUILD)/bin/fuzz_*; do \
	  name=$$(basename $$f); mkdir -p $(FUZZBUILD)/corpus/$$name; \
	  dict=""; [ -f $(FUZZBUILD)/$$name.dict ] && dict="-dict=$(FUZZBUILD)/$$name.dict"; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -timeout=60 -artifact_prefix=$(FUZZBUILD)/ -rss_limit_mb=2048 -print_final_stats=1 $$dict \
	    $(FUZZBUILD)/corpus/$$name fuzz/seeds/$$name; \
	done

# A release build of its own, installed stripped under $(PREFIX) (DESTDIR=... stages it).
install: deps
	cmake -S . -B $(INSTALLBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DVOREX_TESTS=OFF -DVOREX_BENCH=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(INSTALLBUILD) -j $(JOBS)
	cmake --install $(INSTALLBUILD) --strip

# Removes what the last `make install` wrote, as its manifest lists it (under the same DESTDIR).
uninstall:
	@test -f $(INSTALLBUILD)/install_manifest.txt || \
	  { echo "Nothing to uninstall: $(INSTALLBUILD)/install_manifest.txt is missing."; exit 1; }
	sed 's|^|$(DESTDIR)|' $(INSTALLBUILD)/install_manifest.txt | xargs -d '\n' rm -fv

# The optimised builds the packages ship, with GCC and with clang, each with its tests run:
# warnings are errors at every level, and the results must not change with the optimisation.
release: deps
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
	  "-DCMAKE_CXX_FLAGS_RELEASE=$(OPT) -DNDEBUG" -DVOREX_TESTS=ON
	cmake --build $(RELEASE) -j $(JOBS)
	ctest --test-dir $(RELEASE) --output-on-failure -j $(JOBS)
	cmake -S . -B $(RELEASE_CLANG) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
	  "-DCMAKE_CXX_FLAGS_RELEASE=$(OPT) -DNDEBUG" -DVOREX_TESTS=ON
	cmake --build $(RELEASE_CLANG) -j $(JOBS)
	ctest --test-dir $(RELEASE_CLANG) --output-on-failure -j $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZBUILD) $(INSTALLBUILD) $(RELEASE) $(RELEASE_CLANG) build-deb build-pip
