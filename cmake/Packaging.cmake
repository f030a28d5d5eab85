# Installation as a desktop game, and the Debian package made from it.
include(GNUInstallDirs)

# Games go where Debian policy puts them: /usr/games in the package, /usr/local/games for a
# local installation.
set(PIVOLO_INSTALL_GAMESDIR games CACHE STRING
    "Where the programs are installed, relative to the installation prefix")
set(PIVOLO_MAINTAINER "pivolo developers <developers@pivolo.org>")
set(PIVOLO_COPYRIGHT "2026 the pivolo developers")
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/pivolo)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
find_program(PIVOLO_GZIP gzip REQUIRED)

set(PIVOLO_PROGRAMS pivolo pivolo-solve pivolo-stats pivolo-entrainement)
install(TARGETS ${PIVOLO_PROGRAMS} RUNTIME DESTINATION ${PIVOLO_INSTALL_GAMESDIR})
# The programs link no shared library of their own: no search path beside them.
set_target_properties(${PIVOLO_PROGRAMS} PROPERTIES INSTALL_RPATH "")
# A stripped installation (the package's, or cmake --install --strip) also drops the
# sections that Debian's own stripping drops: compiler versions and build notes.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program ${PIVOLO_PROGRAMS})
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PIVOLO_INSTALL_GAMESDIR}/\${program}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()
")

# A desktop entry starts its program by its full path, which is known only when it is
# installed: the package installs under another prefix than the build tree was set up with.
# Each destination gets an entry of its own, so that two installations at once (a package
# and a local installation) cannot swap theirs.
foreach(entry pivolo:org.pivolo.pivolo pivolo-entrainement:org.pivolo.entrainement)
    string(REPLACE ":" ";" entry ${entry})
    list(GET entry 0 program)
    list(GET entry 1 id)
    set(desktop_in ${PROJECT_SOURCE_DIR}/res/desktop/${id}.desktop.in)
    install(CODE "
        set(PIVOLO_EXEC \"\${CMAKE_INSTALL_PREFIX}/${PIVOLO_INSTALL_GAMESDIR}/${program}\")
        string(MD5 destination \"\$ENV{DESTDIR}\${PIVOLO_EXEC}\")
        set(entry \"${CMAKE_CURRENT_BINARY_DIR}/desktop/\${destination}/${id}.desktop\")
        configure_file(\"${desktop_in}\" \"\${entry}\" @ONLY)
        file(INSTALL \"\${entry}\"
            DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
    ")
    install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/${id}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 128)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icon/${program}-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${program}.png)
    endforeach()
endforeach()

# Compressed as Debian wants them: at the highest level, without a name or a time stamp.
set(compressed)
function(pivolo_gzip source output)
    get_filename_component(directory ${output} DIRECTORY)
    string(REGEX REPLACE "\\.gz$" "" plain ${output})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
        COMMAND ${PIVOLO_GZIP} -9nf ${plain}
        DEPENDS ${source} VERBATIM)
    set(compressed ${compressed} ${output} PARENT_SCOPE)
endfunction()

# The manual pages: English in the manual's own folders, French in the French locale's.
foreach(lang IN ITEMS en fr)
    set(subdir man6)
    if(NOT lang STREQUAL en)
        set(subdir ${lang}/man6)
    endif()
    string(REPLACE "man6" "" source_dir ${subdir})
    foreach(page ${PIVOLO_PROGRAMS})
        set(output ${CMAKE_CURRENT_BINARY_DIR}/man/${subdir}/${page}.6.gz)
        pivolo_gzip(${PROJECT_SOURCE_DIR}/docs/man/${source_dir}${page}.6 ${output})
        install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/${subdir})
    endforeach()
endforeach()

# Bash completion of the tools, where bash-completion looks for it (its pkg-config variable,
# made relative to its prefix so that the package and a local installation each put it
# under their own prefix), else where it looks by default.
set(PIVOLO_BASH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_get_variable(bash_completions bash-completion completionsdir)
    pkg_get_variable(bash_completion_prefix bash-completion prefix)
    if(bash_completions AND bash_completion_prefix)
        file(RELATIVE_PATH PIVOLO_BASH_COMPLETION_DIR ${bash_completion_prefix} ${bash_completions})
    endif()
endif()
install(FILES ${packaging}/bash-completion/pivolo-solve ${packaging}/bash-completion/pivolo-stats
        DESTINATION ${PIVOLO_BASH_COMPLETION_DIR})

# The copyright in Debian's machine-readable format, its licence text taken from LICENSE
# (without its copyright line), and the changelog.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
list(POP_FRONT license_lines)
list(POP_FRONT license_lines)
set(PIVOLO_LICENSE_TEXT)
foreach(line IN LISTS license_lines)
    if(line STREQUAL "")
        set(line ".")
    endif()
    string(APPEND PIVOLO_LICENSE_TEXT " ${line}\n")
endforeach()
string(STRIP "${PIVOLO_LICENSE_TEXT}" PIVOLO_LICENSE_TEXT)
set(PIVOLO_LICENSE_TEXT " ${PIVOLO_LICENSE_TEXT}")
configure_file(${packaging}/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)
configure_file(${packaging}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
pivolo_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${docdir})
install(FILES ${packaging}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME pivolo)
add_custom_target(pivolo_compressed_docs ALL DEPENDS ${compressed})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pivolo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${PIVOLO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numbers game solver with six tiles and a target")
# CPack puts the summary first and indents these lines as Debian displays them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Type six tiles, drawn from a set of 28, and a target from 0 to 999, or
draw a game at random: the program searches every sequence of additions,
subtractions, multiplications and exact divisions for the target or,
failing that, the nearest value it can reach, and lists the steps.
The window's texts are in French.

pivolo-entrainement is a practice window: a draw with as many large tiles
as the player chooses and a target of the level chosen, a clock, the
player's answer checked as it is typed and judged, then the simplest
solutions. pivolo-solve solves games given as text, one a line, with the
same checks and the same search. pivolo-stats solves every game of the
tile set, every draw with every target, and reports how often each target
is reached and how far off the others end, as text, CSV files and a
picture.]])
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The dialog is laid out for this face.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are worked out from the libraries the program links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Reproducible: the package's time stamps are the last commit's, or the changelog's date.
file(STRINGS ${packaging}/changelog.in changelog_trailer REGEX "^ -- ")
string(REGEX REPLACE "^ -- .*  " "" changelog_date "${changelog_trailer}")
execute_process(COMMAND date -u -d "${changelog_date}" +%s
    OUTPUT_VARIABLE PIVOLO_CHANGELOG_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/PackageTimestamp.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/PackageTimestamp.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/PackageTimestamp.cmake)
include(CPack)
