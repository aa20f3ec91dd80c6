# Front door: every target installs what it needs first.
BUILD_DIR ?= build
TEST_DIR ?= build-test
PACKAGE_DIR ?= build-deb
FUZZ_DIR ?= build-fuzz
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# `make fuzz`: seconds per fuzz target.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS := board_text moves_line

.PHONY: all deps build package run test format fuzz fuzz-build clean

all: build

deps:
	@./scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DQF_BUILD_UI=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The Debian package, $(BUILD_DIR)/quadriflank_<version>_amd64.deb: built in a
# tree of its own with Debian's hardening flags (dpkg-buildflags: fortify,
# stack protector, relro, bindnow; GCC makes PIE by default), packed by CPack,
# then checked by lintian, whose verdict is printed.
HARDENING := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DQF_BUILD_UI=ON \
	  -DQF_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_CXX_FLAGS="$$($(HARDENING) CXXFLAGS) $$($(HARDENING) CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(HARDENING) LDFLAGS)"
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB -B $(abspath $(BUILD_DIR))
	@deb=$$(ls $(BUILD_DIR)/quadriflank_*_amd64.deb | tail -n 1); \
	tags=$$(lintian --pedantic -I -E --allow-root $$deb 2>&1); \
	if [ -z "$$tags" ]; then echo "lintian: $$deb: no tags"; \
	else echo "lintian: $$deb:"; echo "$$tags"; fi

run: build
	./$(BUILD_DIR)/quadriflank

# The tests run on a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# the libFuzzer targets are built first so CTest can give each a short run.
test: fuzz-build
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQF_SANITIZE=ON \
	  -DQF_BUILD_UI=ON -DQF_FUZZ_BIN_DIR=$(abspath $(FUZZ_DIR)) $(CMAKE_FLAGS)
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQF_FUZZ=ON -DQF_BUILD_UI=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addsuffix _fuzzer,$(FUZZ_TARGETS))

# Longer fuzzing; new inputs and any crash land in fuzz-out/.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p fuzz-out/$$t && \
	  ./$(FUZZ_DIR)/tests/fuzz/$${t}_fuzzer -max_total_time=$(FUZZ_SECONDS) \
	    -print_final_stats=1 -artifact_prefix=fuzz-out/$$t/ \
	    fuzz-out/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) $(FUZZ_DIR) $(PACKAGE_DIR)
