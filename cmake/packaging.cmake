# The Debian package: nexmar and nexmar-cli with their desktop entry and
# icons (installed next to the targets), plus the manual pages, the AppStream
# metainfo and the bash completion installed here.

# Each manual page is made by help2man from the program's own --help and
# --version, so the page cannot drift from the options; the include file next
# to the program adds what --help does not say.
find_program(NEXMAR_HELP2MAN help2man REQUIRED)
find_program(NEXMAR_GZIP gzip REQUIRED)
function(nexmar_add_man_page program include_file)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${NEXMAR_HELP2MAN} --no-info --include ${include_file} --output ${page} $<TARGET_FILE:${program}>
    COMMAND ${NEXMAR_GZIP} -9 -n -f -k ${page}
    DEPENDS ${program} ${include_file}
    COMMENT "Making the manual page ${program}.1 from ${program} --help"
    VERBATIM)
  add_custom_target(${program}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
nexmar_add_man_page(nexmar ${PROJECT_SOURCE_DIR}/app/nexmar.h2m)
nexmar_add_man_page(nexmar-cli ${PROJECT_SOURCE_DIR}/cli/nexmar-cli.h2m)

set(NEXMAR_METAINFO ${PROJECT_SOURCE_DIR}/res/io.github.nexmar.nexmar.metainfo.xml)
install(FILES ${NEXMAR_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/cli/nexmar-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME nexmar-cli)
# The schema of the JSON document that --json and Export JSON write.
install(FILES ${PROJECT_SOURCE_DIR}/docs/nexmar-run.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/nexmar)

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
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends lists the packages of the shared libraries the programs link,
# as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
