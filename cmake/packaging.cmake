# The Debian package: nexmar and nexmar-cli with their desktop entry and
# icons (installed next to the targets), plus the manual pages, the AppStream
# metainfo, the bash completion and the Debian copyright, changelog and
# lintian overrides installed here.

# Every date the package holds is SOURCE_DATE_EPOCH: from the environment, as
# dpkg-buildpackage sets it, or else the time of the last commit, so two
# builds of one commit agree. Only outside a git checkout with no
# SOURCE_DATE_EPOCH do the dates fall back to the time of the build. Qt's
# resource compiler reads it from the build's environment alone, which
# scripts/build_package.sh sets for the whole build.
set(NEXMAR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(NEXMAR_SOURCE_DATE_EPOCH STREQUAL "" AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE NEXMAR_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NEXMAR_SOURCE_DATE_EPOCH STREQUAL "")
  message(STATUS "No SOURCE_DATE_EPOCH and no git history: the package's dates are the build's")
  set(nexmar_dated_command)
else()
  set(nexmar_dated_command ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${NEXMAR_SOURCE_DATE_EPOCH})
endif()

# Each manual page is made by help2man from the program's own --help and
# --version, so the page cannot drift from the options; the include file next
# to the program adds what --help does not say. help2man dates the page from
# SOURCE_DATE_EPOCH.
find_program(NEXMAR_HELP2MAN help2man REQUIRED)
find_program(NEXMAR_GZIP gzip REQUIRED)
set(NEXMAR_MAN_DIR ${PROJECT_BINARY_DIR}/man)
function(nexmar_add_man_page program include_file)
  set(page ${NEXMAR_MAN_DIR}/${program}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NEXMAR_MAN_DIR}
    COMMAND ${nexmar_dated_command} ${NEXMAR_HELP2MAN} --no-info --include ${include_file} --output ${page}
            $<TARGET_FILE:${program}>
    COMMAND ${NEXMAR_GZIP} -9 -n -f -k ${page}
    DEPENDS ${program} ${include_file}
    COMMENT "Making the manual page ${program}.1 from ${program} --help"
    VERBATIM)
  add_custom_target(${program}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
nexmar_add_man_page(nexmar ${PROJECT_SOURCE_DIR}/app/nexmar.h2m)
nexmar_add_man_page(nexmar-cli ${PROJECT_SOURCE_DIR}/cli/nexmar-cli.h2m)

set(NEXMAR_APP_ID io.github.nexmar.Nexmar)
set(NEXMAR_METAINFO ${PROJECT_SOURCE_DIR}/res/${NEXMAR_APP_ID}.metainfo.xml)
install(FILES ${NEXMAR_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/cli/nexmar-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME nexmar-cli)
# The schema of the JSON document that --json and Export JSON write.
set(nexmar_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/nexmar)
install(FILES ${PROJECT_SOURCE_DIR}/docs/nexmar-run.schema.json DESTINATION ${nexmar_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright DESTINATION ${nexmar_doc_dir})

# The Debian changelog, whose newest entry must name the package's version.
set(NEXMAR_DEBIAN_RELEASE 1)
set(nexmar_changelog ${PROJECT_SOURCE_DIR}/res/debian/changelog)
file(STRINGS ${nexmar_changelog} nexmar_newest_entry LIMIT_COUNT 1)
if(NOT nexmar_newest_entry MATCHES "^nexmar \\(${PROJECT_VERSION}-${NEXMAR_DEBIAN_RELEASE}\\) ")
  message(FATAL_ERROR "${nexmar_changelog} begins with '${nexmar_newest_entry}', "
                      "not with an entry for ${PROJECT_VERSION}-${NEXMAR_DEBIAN_RELEASE}")
endif()
set(nexmar_changelog_copy ${PROJECT_BINARY_DIR}/debian/changelog.Debian)
set(nexmar_changelog_gz ${nexmar_changelog_copy}.gz)
add_custom_command(
  OUTPUT ${nexmar_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${nexmar_changelog} ${nexmar_changelog_copy}
  COMMAND ${NEXMAR_GZIP} -9 -n -f ${nexmar_changelog_copy}
  DEPENDS ${nexmar_changelog}
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
add_custom_target(nexmar_debian_changelog ALL DEPENDS ${nexmar_changelog_gz})
install(FILES ${nexmar_changelog_gz} DESTINATION ${nexmar_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME nexmar)

# A stripped install (cpack, cmake --install --strip) also drops the
# compiler's .comment and .note sections, as Debian's dh_strip does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program nexmar nexmar-cli)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# What the package holds that a build makes; a package build makes only this
# (with CMAKE_SKIP_INSTALL_ALL_DEPENDENCY, cpack builds nothing more).
add_custom_target(nexmar_package_contents)
add_dependencies(nexmar_package_contents nexmar nexmar-cli nexmar_man_page nexmar-cli_man_page
                 nexmar_debian_changelog)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nexmar)
set(CPACK_PACKAGE_CONTACT "Nexmar maintainers <maintainers@users.noreply.c-seed-0a25c4f8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One line of the Debian description a line here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Nexmar rolls simulated dice on the generation tables of a tabletop"
       "space-strategy game and shows the star systems as a tree in a dialog."
       "Every run also writes the result as a comma-separated text report and"
       "as an HTML report. nexmar-cli generates the same reports without a"
       "window.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${NEXMAR_DEBIAN_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends lists the packages of the shared libraries the programs link,
# as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# CPack dates every file of the package from SOURCE_DATE_EPOCH when cpack
# runs: the one the build was configured with, unless cpack is given its own.
set(nexmar_cpack_dates ${PROJECT_BINARY_DIR}/CPackSourceDateEpoch.cmake)
file(CONFIGURE OUTPUT ${nexmar_cpack_dates} CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "@NEXMAR_SOURCE_DATE_EPOCH@" STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} "@NEXMAR_SOURCE_DATE_EPOCH@")
endif()
]] @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${nexmar_cpack_dates})
include(CPack)
