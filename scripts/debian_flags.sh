# Debian's flags for its own packages, every hardening feature on (_FORTIFY_SOURCE, the strong
# stack protector, PIE, read-only relocations bound at start-up), as CMake's cache arguments for
# the builds that make Debian packages (package.sh, arm64.sh). CMake has no preprocessor flags of
# its own, so CPPFLAGS go with the compile flags; given on the command line, they replace whatever
# an earlier configure kept.
# Usage: source it, then debianCMakeFlags [ARCH CC] (another architecture's, for the compiler CC):
# the arguments are in the array debianFlags.
debianCMakeFlags() {
    local get=(dpkg-buildflags --get)
    [ $# -eq 2 ] && get=(env CC="$2" dpkg-architecture -a"$1" -c dpkg-buildflags --get)
    local -A flag
    local name
    for name in CFLAGS CPPFLAGS CXXFLAGS LDFLAGS; do
        flag[$name]="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all "${get[@]}" "$name")"
    done
    debianFlags=(-DCMAKE_C_FLAGS="${flag[CFLAGS]} ${flag[CPPFLAGS]}"
                 -DCMAKE_CXX_FLAGS="${flag[CXXFLAGS]} ${flag[CPPFLAGS]}"
                 -DCMAKE_EXE_LINKER_FLAGS="${flag[LDFLAGS]}"
                 -DCMAKE_SHARED_LINKER_FLAGS="${flag[LDFLAGS]}")
}
