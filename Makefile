# Tarvel's two set-up commands are `make run` and `make test`; the rest are for developers.
# Every target installs missing Debian packages first (scripts/install-deps).

.PHONY: deps build run test test-sanitize bench fuzz shots format tidy clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

run: build
	@if [ -z "$$QT_QPA_PLATFORM$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    echo "tarvel: no display found (DISPLAY and WAYLAND_DISPLAY are unset); run it in a desktop session, or set QT_QPA_PLATFORM=offscreen for a smoke start."; \
	else \
	    build/src/tarvel; \
	fi

test: build
	@ctest --test-dir build --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

bench: build
	@build/bench/tarvel-bench

# Fuzz each parser for FUZZ_SECONDS (default 60) with libFuzzer.
FUZZ_SECONDS ?= 60
fuzz: deps
	@scripts/install-deps --fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target fuzzers
	@scripts/run-fuzzers build-fuzz/fuzz $(FUZZ_SECONDS)

# Renders every screen into docs/screens (the README's screenshot comes from there).
shots: build
	@QT_QPA_PLATFORM=offscreen build/tools/tarvel-shots docs/screens

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	@git ls-files 'src/*.cpp' 'tools/*.cpp' | xargs clang-tidy -p build --quiet

clean:
	@rm -rf build build-sanitize build-fuzz
