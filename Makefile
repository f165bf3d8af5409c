# Two commands do everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds a release and starts the editor
#   make test   installs what is missing, builds with sanitizers and runs every test
# Both call apt-get only when a package is missing (run them as root, or with sudo available).

# clang-14 and its libFuzzer build the fuzz targets, which `make test` builds too.
PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev libgl-dev libfreetype-dev fonts-dejavu-core xfonts-base imagemagick xvfb \
            desktop-file-utils shared-mime-info g++-mingw-w64-x86-64-posix wine wine64 fonts-wine dpkg-dev file \
            clang-14 libclang-rt-14-dev
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

PREFIX ?= /usr/local
EDITOR_PROGRAM := ./build/release/src/app/glyphsmith

.PHONY: run test deps fuzz-deps release debug windows package bench screenshots windows-screenshots install fuzz clean

deps:
	@missing="$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done)"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  SUDO=; [ "$$(id -u)" -eq 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

debug: deps
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

# Without a display Qt would abort with a page of text; say it in one line.
run: release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display to open the editor on. To try it off screen: xvfb-run -a $(EDITOR_PROGRAM) examples/sample.wfn"; \
	else \
	  $(EDITOR_PROGRAM) examples/sample.wfn; \
	fi

test: debug
	ctest --preset debug -j $(JOBS)

# glyphsmith.exe and glyphsmith-convert.exe, cross-built with mingw-w64 into
# build/windows (the tests run them under Wine: see windows_tests).
windows: deps
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target glyphsmith glyphsmith-convert

# build/windows/glyphsmith-VERSION-win64.zip and build/release/glyphsmith_VERSION_ARCH.deb.
package: release windows
	cd build/windows && cpack -C Release
	cd build/release && cpack -C Release

bench: release
	./build/release/benchmarks/glyphsmith-bench
	./build/release/benchmarks/glyphsmith-editor-bench

# The README's pictures of the editor, made by driving it offscreen.
screenshots: release
	./build/release/tools/glyphsmith-screenshots examples/sample.wfn docs/screenshots

# The Windows build's pictures, taken under Wine on an Xvfb screen.
windows-screenshots: windows
	sh tools/windows_screenshots.sh examples/sample.wfn docs/screenshots

install: release
	cmake --install build/release --prefix $(PREFIX)

# Fuzzes each font reader for FUZZ_SECONDS seconds, starting from its
# committed corpus; new inputs go to build/fuzz/corpus, findings to build/fuzz/findings.
fuzz: fuzz-deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@for target in wfn sci bmp font_import sci_game ags_package; do \
	  mkdir -p build/fuzz/corpus/$$target build/fuzz/findings; \
	  echo "== $$target"; \
	  ./build/fuzz/fuzz/$${target}_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/findings/$$target- build/fuzz/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

clean:
	rm -rf build
