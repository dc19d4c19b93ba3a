# The two commands a player or a developer needs: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-asan package screenshots format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@./$(BUILD)/quillon

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2

# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(ASAN_BUILD)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# The Debian package, build/quillon_1.0.0_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB > /dev/null && ls "$$PWD"/quillon_*.deb

# Pictures of the window for the documentation, from the scripts in docs/screenshots/.
screenshots: build
	@for script in docs/screenshots/*.qs; do ./$(BUILD)/quillon_screenshot $$script > /dev/null || exit 1; done

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD)
