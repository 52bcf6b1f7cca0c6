# Mirado: one entry point for newcomers and CI.
#   make test    install what is missing, build all presets, run every test
#   make demo    the resident changer on a Wine desktop, changing the wallpaper
#   make dist    the release zip for users: dist/Mirado-<version>-win32.zip
#   make bench   the benchmarks
#   make fuzz    libFuzzer over the core (FUZZ_SECONDS a target)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 120

# native: the portable core, its tests and benchmarks (Linux g++); asan: the core
# and its tests under AddressSanitizer and UBSan; win64 and win32: everything for
# Windows, the 32-bit build being the release.
PRESETS := native asan win64 win32

.PHONY: all setup $(PRESETS) dist test test-native test-asan test-win32 test-win64 demo \
        bench bench-apply bench-settings fuzz clean

all: native win64 win32

setup:
	@tools/setup.sh

$(PRESETS): %: setup
	cmake --preset $* >/dev/null
	cmake --build --preset $* -j $(JOBS)

# The 32-bit build's six files, the settings program's help (MDS.CHM) and the
# user's readme (package/README.TXT, in code page 932 with CRLF) in one zip;
# tools/make-package.sh checks it before it lands and leaves no zip when
# anything is missing or wrong.
dist: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS) --target dist

test-native test-asan: test-%: %
	ctest --preset $* -j $(JOBS)

# One after another: the build's Win32 tests share its Wine prefix, so its
# registry and the values of MD.dll are common to them.
test-win64: win64
	ctest --preset win64

# The release build's tests run under Wine's 32-bit loader where this machine
# can run 32-bit code (tools/wine-run.sh --probe); elsewhere only the checks that
# need no running (tests labelled "static": export tables, the release zip). The
# zip is made in the same recipe, not as a second prerequisite: two builds in
# build/win32 at once (make -j) would trip over each other.
test-win32: win32
	cmake --build --preset win32 -j $(JOBS) --target dist
	@MIRADO_WINE_ARCH=win32 tools/wine-run.sh --probe; case $$? in \
	  0) ctest --preset win32 ;; \
	  127) echo "test-win32: 32-bit behaviour tests skipped: no Wine 32-bit loader (wine32:i386 is not installed); static checks only"; \
	       ctest --preset win32 -L static ;; \
	  *) echo "test-win32: 32-bit behaviour tests skipped: this machine does not run 32-bit code; static checks only"; \
	     ctest --preset win32 -L static ;; \
	esac

test: test-win32 test-native test-asan test-win64

# The main job: MDK.EXE on a Wine desktop with a sample table; screenshots as the
# wallpaper changes (DEMO_SECONDS, default 270). Only the programs and the
# driver that plays the user in the settings program are built.
demo: setup
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS) --target MDK MDS MD ifwic mds_demo_driver
	tools/demo.sh $(DEMO_SECONDS)

bench: native
	build/native/bench/mirado_bench --benchmark_color=false

# Putting up a 3840x2160 JPEG under Wine, timed against djpeg on the same file.
bench-apply: setup
	tools/bench-apply.sh

# Opening the settings program's main dialog and switching to a tab of 1,000
# pictures, under Wine.
bench-settings: win64
	tools/bench-settings.sh

# libFuzzer over the core's parsers and layouts (clang), FUZZ_SECONDS a target.
fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) tools/fuzz.sh

clean:
	rm -rf build
