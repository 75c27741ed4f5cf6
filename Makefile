# The two commands of the README, and the others of its table. Each first
# installs whatever Debian packages it is missing, and skips apt entirely
# when none is. A player's `make run` asks only for what building and
# running the game takes; the tools of the tests come with `make test`.

BUILD     ?= build
# The same tests once more, built with AddressSanitizer and UBSan.
SANITIZE_BUILD ?= build-sanitize
# Building and running the game. WebP and TIFF pictures, and the native
# platform of a Wayland desktop, are plugins Qt loads when it runs; a CMYK
# photo without a colour profile is shown through Ghostscript's press profile.
RUN_PACKAGES  := cmake ninja-build g++ qt6-base-dev libxcb1-dev libfontconfig-dev libjpeg62-turbo-dev libheif-dev liblcms2-dev \
                 fonts-liberation2 qt6-translations-l10n qt6-image-formats-plugins qt6-wayland libgs-common
# A Debian package: cpack computes its dependencies with dpkg-shlibdeps.
PACKAGE_PACKAGES := $(RUN_PACKAGES) dpkg-dev file
# The tests build the benchmarks' start-up probe too, install and package the
# game, play it under X (with and without a window manager) and Wayland, and check the package as Debian does.
TEST_PACKAGES := $(PACKAGE_PACKAGES) libgtest-dev libbenchmark-dev python3 xvfb xdotool openbox weston \
                 desktop-file-utils appstream lintian
# Fuzzing needs clang and its libFuzzer runtime.
FUZZ_PACKAGES := $(RUN_PACKAGES) clang libclang-rt-dev
FUZZ_SECONDS  ?= 60
# The start-up benchmark measures the game in a real X server.
BENCH_PACKAGES := $(RUN_PACKAGES) libbenchmark-dev xvfb python3
SUDO      := $(if $(filter 0,$(shell id -u)),,sudo)

# Warnings are errors for the tests and CI, which see every new warning
# first; a player's build on a newer compiler must not stop at one.
TEST_OPTIONS := -DPLIMMERLO_WERROR=ON -DPLIMMERLO_TESTS=ON -DPLIMMERLO_BENCH=ON

# Where `make install` puts the game: for the player alone by default.
PREFIX ?= $(HOME)/.local

# Configures folder $(1) with the options $(2). A new folder gets Ninja when
# it is installed by then; an existing one keeps its generator and options.
configure = cmake -S . -B $(1) $$(test -f $(1)/CMakeCache.txt || ! command -v ninja >/dev/null || echo -G Ninja) $(2)

.PHONY: all install-missing build run test bench fuzz install package clean

all: build

install-missing:
	@missing=$$(for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# The program alone, in the folder's build type and options.
build:
	@$(MAKE) --no-print-directory install-missing WANTED="$(RUN_PACKAGES)"
	@test -f $(BUILD)/CMakeCache.txt || $(call configure,$(BUILD))
	cmake --build $(BUILD) --parallel --target plimmerlo

run: build
	cd $(BUILD)/shell && ./plimmerlo

test:
	@$(MAKE) --no-print-directory install-missing WANTED="$(TEST_PACKAGES)"
	$(call configure,$(BUILD),$(TEST_OPTIONS))
	cmake --build $(BUILD) --parallel
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
	$(call configure,$(SANITIZE_BUILD),$(TEST_OPTIONS) -DCMAKE_BUILD_TYPE=Debug -DPLIMMERLO_SANITIZE=ON)
	cmake --build $(SANITIZE_BUILD) --parallel
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2

# A benchmark that fails, as well as a goal missed, fails the target.
bench:
	@$(MAKE) --no-print-directory install-missing WANTED="$(BENCH_PACKAGES)"
	$(call configure,$(BUILD),-DPLIMMERLO_BENCH=ON)
	cmake --build $(BUILD) --parallel
	@bash -o pipefail -c '{ $(BUILD)/bench/game_bench && $(BUILD)/bench/picture_bench && $(BUILD)/bench/paint_bench \
	   && $(BUILD)/bench/settings_bench && $(BUILD)/bench/picturedialog_bench && bash bench/startup.sh $(BUILD); } 2>&1 | python3 bench/summary.py'

fuzz:
	@$(MAKE) --no-print-directory install-missing WANTED="$(FUZZ_PACKAGES)"
	bash tests/fuzz/run.sh $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the game, $(BUILD)/plimmerlo_<version>_<architecture>.deb.
package: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGE_PACKAGES)"
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
