# The two commands of the README: `make run` and `make test`. Each installs the Debian packages it
# needs when they are missing, then builds.
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps build run test bench format clean install uninstall mutate fuzz kill-test

all: build

deps:
	@scripts/install-deps.sh

# The release build; leaves the portable program folder $(BUILD_DIR)/Almanor/.
build: deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DALMANOR_TESTS=OFF
	cmake --build $(BUILD_DIR)

# Starts the calendar. Without a display it runs on a private X server, saves a screenshot,
# prints the screenshot's path and exits.
run: build
	@scripts/run.sh $(BUILD_DIR)/Almanor

# The whole suite: unit and offscreen widget tests, and the end-to-end runs under Xvfb + openbox,
# in a build with -Werror, AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TEST_BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	    -DALMANOR_WERROR=ON -DALMANOR_SANITIZE=ON -DALMANOR_BENCH=OFF
	cmake --build $(TEST_BUILD_DIR)
	ctest --test-dir $(TEST_BUILD_DIR) --output-on-failure

# Installs the program folder to $(PREFIX)/lib/almanor with a desktop launcher and icon, and
# records the folder for the Remover (see README, "Install and uninstall").
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Removes the files of the last `make install` from $(BUILD_DIR); events and packs made since stay.
uninstall:
	cmake -DBUILD_DIR=$(BUILD_DIR) -P cmake/Uninstall.cmake

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Runs every libFuzzer target for FUZZ_SECONDS (default 60) on its seed corpus (clang), FUZZ_JOBS
# of them at a time.
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1
fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(FUZZ_JOBS) scripts/fuzz.sh

# Kills a program 1,000 times while it saves calendar.dat (and 250 times while it saves the settings
# file) and checks after every kill that nothing was lost. `make test` runs 100 kills. Then kills
# the note sync KILL_ROUNDS times while both sides change, and checks that one clean sync leaves
# no note lost or doubled (`make test`: 100 rounds).
KILLS ?= 1000
KILL_ROUNDS ?= 1000
kill-test: deps
	cmake -S . -B $(TEST_BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	    -DALMANOR_WERROR=ON -DALMANOR_SANITIZE=ON -DALMANOR_BENCH=OFF
	cmake --build $(TEST_BUILD_DIR) --target test_crash test_kill
	cd $(TEST_BUILD_DIR)/tests && ALMANOR_KILLS=$(KILLS) QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=0 ./test_crash
	cd $(TEST_BUILD_DIR)/tests && ALMANOR_KILL_ROUNDS=$(KILL_ROUNDS) QT_QPA_PLATFORM=offscreen \
	    QTEST_FUNCTION_TIMEOUT=7200000 ASAN_OPTIONS=detect_leaks=0 ./test_kill

# Plants each fault of tests/mutations.txt in a scratch copy and tells which the tests catch.
mutate: deps
	@python3 scripts/mutate.py

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR)
