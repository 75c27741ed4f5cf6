# The two commands of the README, plus the benchmarks. Each first installs
# whatever Debian packages are missing, and skips apt entirely when none is.

BUILD     ?= build
# The same tests once more, built with AddressSanitizer and UBSan.
SANITIZE_BUILD ?= build-sanitize
PACKAGES  := cmake ninja-build g++ qt6-base-dev libjpeg62-turbo-dev libgtest-dev \
             libbenchmark-dev fonts-liberation2 qt6-translations-l10n python3 xvfb xdotool \
             dpkg-dev file desktop-file-utils appstream
# Fuzzing needs clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang libclang-rt-dev
FUZZ_SECONDS  ?= 60
# The start-up benchmark measures the game in a real X server.
BENCH_PACKAGES := xvfb python3
SUDO      := $(if $(filter 0,$(shell id -u)),,sudo)
GENERATOR := $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)

# Where `make install` puts the game: for the player alone by default.
PREFIX ?= $(HOME)/.local

.PHONY: all deps install-missing build run test bench fuzz install package clean

all: build

deps:
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGES)"

install-missing:
	@missing=$$(for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(GENERATOR)

$(SANITIZE_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(SANITIZE_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DPLIMMERLO_SANITIZE=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --parallel

run: build
	cd $(BUILD)/shell && ./plimmerlo

test: build $(SANITIZE_BUILD)/CMakeCache.txt
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
	cmake --build $(SANITIZE_BUILD) --parallel
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2

# A benchmark that fails, as well as a goal missed, fails the target.
bench: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(BENCH_PACKAGES)"
	@bash -o pipefail -c '{ $(BUILD)/bench/game_bench && $(BUILD)/bench/picture_bench && $(BUILD)/bench/paint_bench \
	   && $(BUILD)/bench/settings_bench && bash bench/startup.sh $(BUILD); } 2>&1 | python3 bench/summary.py'

fuzz: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(FUZZ_PACKAGES)"
	bash tests/fuzz/run.sh $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the game, $(BUILD)/plimmerlo_<version>_<architecture>.deb.
package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
