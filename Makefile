# Tarnwick: `make play` builds everything and starts the game; `make test`
# builds the same and runs every test. The program folder is $(BUILD)/bin.
# `make install` puts the game under $(PREFIX) (DESTDIR is honoured);
# `make package` builds the Debian package in $(BUILD).
BUILD ?= build
SANITIZE ?= OFF
WERROR ?= OFF
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

.PHONY: all build play test deps clean fuzz install package

all: build

deps:
	@scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DTARNWICK_SANITIZE=$(SANITIZE) -DTARNWICK_WERROR=$(WERROR) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/bin && ./tarnwick

test: build
	@scripts/check-sdl-includes.sh
	@scripts/check-library-includes.sh
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

fuzz: deps
	@scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
