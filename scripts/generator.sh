# Sourced by the build scripts: their trees are built with Ninja, which
# compiles the layers' libraries side by side (Make compiles a library only
# after the libraries it links). A tree another generator made is started
# afresh, since CMake cannot switch a tree's generator.
drop_other_generator() {
    local build="$1"
    if [[ -f "$build/CMakeCache.txt" ]] &&
        ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$build/CMakeCache.txt"; then
        rm -rf "$build"
    fi
}
