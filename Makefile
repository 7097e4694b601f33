# The two set-up commands: `make run` and `make test`. Each installs what is
# missing (with sudo when not run as root), then configures and builds into
# build/. `sudo make install` puts the program on the system for every user;
# `sudo make uninstall` takes it away again.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build run test bench install uninstall clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# DESTDIR=folder installs under that folder, for packaging.
install: build
	@bash scripts/install.sh $(BUILD)

uninstall:
	@bash scripts/uninstall.sh $(BUILD)

bench: build
	@bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
