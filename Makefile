# The two commands a player or a developer needs: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD ?= build-web
WEB_PORT ?= 8080
FUZZ_SECONDS ?= 600
CMAKE_FLAGS ?=

.PHONY: all deps web-deps configure build run test test-asan bench fuzz fuzz-ci package screenshots format clean \
  web web-run

all: build

deps:
	@scripts/install-deps.sh

web-deps:
	@scripts/install-deps.sh web

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUILLON_WEB_BUILD=$(CURDIR)/$(WEB_BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@./$(BUILD)/quillon

# The browser build's tools come first: the tests of the page are set up only where node is.
test: web-deps build web
	@ctest --test-dir $(BUILD) --output-on-failure -j2

# The game in the browser (docs/web.md): the static site in $(WEB_BUILD)/site, and
# $(WEB_BUILD)/quillon-script, script mode under node. Debian's emscripten runs its optimiser
# with Debian's own JavaScript libraries.
WEB_ENV = NODE_PATH=/usr/share/nodejs
web: web-deps node_modules
	@$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  $(CMAKE_FLAGS) > /dev/null
	@$(WEB_ENV) cmake --build $(WEB_BUILD)

# Serves the site with Python's own web server.
web-run: web
	@echo "Quillon: http://127.0.0.1:$(WEB_PORT)/"
	@python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD)/site $(WEB_PORT)

# The browser tests' driver, puppeteer-core, drives Debian's chromium: no browser is downloaded.
node_modules: package.json package-lock.json | web-deps
	@npm ci --no-audit --no-fund --loglevel=error > /dev/null
	@touch node_modules

# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(ASAN_BUILD)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# Every benchmark, the game's figures beside a bare Qt window's (docs/performance.md); one alone
# with `make bench BENCH=startup` (or repaint, headless, memory, idle).
BENCH ?= all
bench: build
	@./$(BUILD)/bench/bench_run $(BENCH)

# The fuzzers (see fuzz/README.md), built with clang in $(FUZZ_BUILD): `make fuzz
# FUZZ_SECONDS=3600` runs each that long on one core, its corpus kept in
# $(FUZZ_BUILD)/fuzz/corpus; `make fuzz-ci` runs each for 25 s and fails on any crash, hang or
# broken invariant.
define build_fuzzers
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_WINDOW=OFF -DQUILLON_TESTS=OFF -DQUILLON_FUZZ=ON $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzz_game fuzz_script
endef
FUZZ_RUN = cd $(FUZZ_BUILD)/fuzz && mkdir -p corpus/game corpus/script artifacts && nice
FUZZ_FLAGS = -max_len=4096 -timeout=20 -print_final_stats=1 -artifact_prefix=artifacts/
FUZZ_SCRIPT_DICT = -dict=$(CURDIR)/fuzz/script.dict
# Long inputs from the start: a game of many events costs one start-up.
FUZZ_GAME_LENGTHS = -len_control=0

fuzz: deps
	$(build_fuzzers)
	@$(FUZZ_RUN) ./fuzz_game $(FUZZ_FLAGS) $(FUZZ_GAME_LENGTHS) -max_total_time=$(FUZZ_SECONDS) \
	  corpus/game seeds/game
	@$(FUZZ_RUN) ./fuzz_script $(FUZZ_FLAGS) $(FUZZ_SCRIPT_DICT) -max_total_time=$(FUZZ_SECONDS) \
	  corpus/script seeds/script

fuzz-ci: deps
	$(build_fuzzers)
	@$(FUZZ_RUN) ./fuzz_game $(FUZZ_FLAGS) $(FUZZ_GAME_LENGTHS) -max_total_time=25 \
	  corpus/game seeds/game
	@$(FUZZ_RUN) ./fuzz_script $(FUZZ_FLAGS) $(FUZZ_SCRIPT_DICT) -max_total_time=25 \
	  corpus/script seeds/script

# The Debian package, build/quillon_1.0.0_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB > /dev/null && ls "$$PWD"/quillon_*.deb

# Pictures of the window for the documentation, from the scripts in docs/screenshots/, and
# docs/web.png, the page in Chromium.
screenshots: build web
	@for script in docs/screenshots/*.qs; do ./$(BUILD)/quillon_screenshot $$script > /dev/null || exit 1; done
	@node tools/web/screenshot.mjs docs/screenshots/connection.qs docs/web.png > /dev/null

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)
