# A Release build is the one that is packaged. It gets the hardening that
# dpkg-buildflags gives Debian's binaries with hardening=+all (fortified libc
# calls, stack protector, read-only relocations bound at start-up) and the
# stack clash protection that newer dpkg adds; not control-flow protection,
# which Debian 12's C start files lack, so no program linked with them could
# claim it. It also keeps the paths of the source and build folders out of
# the programs, so the same commit built in two places gives the same bytes.
include(CheckCXXCompilerFlag)

set(nexmar_release_options -fstack-protector-strong -Wformat -Werror=format-security -Wdate-time)
# A packager whose CXXFLAGS already fortify keeps their level.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  list(APPEND nexmar_release_options -D_FORTIFY_SOURCE=2)
endif()
check_cxx_compiler_flag(-fstack-clash-protection NEXMAR_HAS_STACK_CLASH_PROTECTION)
if(NEXMAR_HAS_STACK_CLASH_PROTECTION)
  list(APPEND nexmar_release_options -fstack-clash-protection)
endif()
# GCC 12 at -O3 sees overlapping copies inside std::string's own
# concatenation ("/" + text) where there are none, its bug 105651; with
# -Werror that false warning would stop the packaged build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND nexmar_release_options -Wno-restrict)
endif()
# GCC tries the map given last first, so a build folder inside the source
# folder maps as the build folder.
list(APPEND nexmar_release_options
     -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
     -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)

add_compile_options("$<$<CONFIG:Release>:${nexmar_release_options}>")
add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro;LINKER:-z,now>")
