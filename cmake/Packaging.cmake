# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: scripts/package configures a tree for it (Release, prefix /usr,
# ORVANTA_HARDENING) and runs `cmake --build BUILD --target package`, which writes
# orvanta2_VERSION_ARCH.deb. The same target in a tree for /usr/local gives a package that
# does not belong in a Debian system.
#
# One package holds the wizard, the command-line tool, the camera simulator and the network
# helper. The documentation Debian wants beside them (manual pages, changelog.Debian.gz,
# copyright) is installed here, next to the bash completion and the AppStream metainfo.
include(GNUInstallDirs)

set(orvanta_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(orvanta_packaging_out ${PROJECT_BINARY_DIR}/packaging)

set(ORVANTA_PACKAGE_MAINTAINER "Orvanta2 maintainers <maintainers@orvanta2.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(ORVANTA_SCREENSHOT_URL "https://orvanta2.example/screenshots"
    CACHE STRING "Where the AppStream metainfo says the screenshots are")

# The Debian changelog is the one place that names the package's version and date: its top
# entry gives the Debian revision, the release date of the metainfo and the manual pages'.
file(STRINGS ${orvanta_packaging_dir}/changelog orvanta_changelog_head LIMIT_COUNT 1)
if(NOT orvanta_changelog_head MATCHES "^orvanta2 \\(([^)-]+)-([^)]+)\\)")
    message(FATAL_ERROR "packaging/changelog: the first line is not 'orvanta2 (VERSION-REVISION) ...'")
endif()
set(orvanta_changelog_version ${CMAKE_MATCH_1})
set(orvanta_debian_revision ${CMAKE_MATCH_2})
if(NOT orvanta_changelog_version STREQUAL PROJECT_VERSION)
    message(WARNING "packaging/changelog starts with version ${orvanta_changelog_version}, "
                    "the project is ${PROJECT_VERSION}: add a changelog entry")
endif()

file(STRINGS ${orvanta_packaging_dir}/changelog orvanta_changelog_trailer
     REGEX "^ -- .*  [A-Z][a-z][a-z], [0-9]+ [A-Z][a-z][a-z] [0-9]+ " LIMIT_COUNT 1)
if(NOT orvanta_changelog_trailer MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    message(FATAL_ERROR "packaging/changelog: the first entry has no ' -- NAME <MAIL>  DATE' line")
endif()
set(orvanta_day ${CMAKE_MATCH_1})
set(orvanta_month_abbr ${CMAKE_MATCH_2})
set(orvanta_year ${CMAKE_MATCH_3})
set(orvanta_months Jan January Feb February Mar March Apr April May May Jun June
    Jul July Aug August Sep September Oct October Nov November Dec December)
list(FIND orvanta_months ${orvanta_month_abbr} orvanta_month_index)
if(orvanta_month_index LESS 0)
    message(FATAL_ERROR "packaging/changelog: unknown month ${orvanta_month_abbr}")
endif()
math(EXPR orvanta_month_name_index "${orvanta_month_index} + 1")
math(EXPR orvanta_month_number "${orvanta_month_index} / 2 + 1")
list(GET orvanta_months ${orvanta_month_name_index} orvanta_month_name)
string(LENGTH "${orvanta_day}" orvanta_day_length)
if(orvanta_day_length EQUAL 1)
    set(orvanta_day 0${orvanta_day})
endif()
if(orvanta_month_number LESS 10)
    set(orvanta_month_number 0${orvanta_month_number})
endif()

set(ORVANTA_VERSION ${PROJECT_VERSION})
set(ORVANTA_MAN_DATE "${orvanta_month_name} ${orvanta_year}")
set(ORVANTA_RELEASE_DATE "${orvanta_year}-${orvanta_month_number}-${orvanta_day}")

# Debian wants manual pages and the changelog compressed at the highest level, without the
# name and time stamp gzip would store (so the same sources give the same package).
set(orvanta_man_pages orvanta2-cli.1 orvanta2-camsim.1)
if(ORVANTA_GUI)
    list(APPEND orvanta_man_pages orvanta2.1)
endif()
if(TARGET orvanta2-nethelper)
    list(APPEND orvanta_man_pages orvanta2-nethelper.8)
endif()

set(orvanta_compressed)
foreach(page ${orvanta_man_pages})
    configure_file(${orvanta_packaging_dir}/man/${page} ${orvanta_packaging_out}/man/${page} @ONLY)
    list(APPEND orvanta_compressed ${orvanta_packaging_out}/man/${page})
endforeach()
configure_file(${orvanta_packaging_dir}/changelog ${orvanta_packaging_out}/changelog.Debian COPYONLY)
list(APPEND orvanta_compressed ${orvanta_packaging_out}/changelog.Debian)

find_program(ORVANTA_GZIP gzip REQUIRED)
set(orvanta_compressed_outputs)
foreach(file ${orvanta_compressed})
    add_custom_command(OUTPUT ${file}.gz
        COMMAND ${ORVANTA_GZIP} -9 -n -k -f ${file}
        DEPENDS ${file}
        COMMENT "Compressing ${file}"
        VERBATIM)
    list(APPEND orvanta_compressed_outputs ${file}.gz)
endforeach()
add_custom_target(orvanta_package_docs ALL DEPENDS ${orvanta_compressed_outputs})

foreach(page ${orvanta_man_pages})
    string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
    install(FILES ${orvanta_packaging_out}/man/${page}.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
install(FILES ${orvanta_packaging_out}/changelog.Debian.gz ${orvanta_packaging_dir}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta2)
install(FILES ${orvanta_packaging_dir}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME orvanta2)
install(FILES ${orvanta_packaging_dir}/orvanta2-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME orvanta2-cli)
if(ORVANTA_GUI)
    configure_file(${orvanta_packaging_dir}/org.orvanta.orvanta2.metainfo.xml.in
                   ${orvanta_packaging_out}/org.orvanta.orvanta2.metainfo.xml @ONLY)
    install(FILES ${orvanta_packaging_out}/org.orvanta.orvanta2.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The hardening Debian builds its own packages with. scripts/package turns it on for the
# package tree; other trees keep their flags (benchmarks, sanitizers) unless asked.
option(ORVANTA_HARDENING "Release builds with _FORTIFY_SOURCE and full RELRO (for the package)" OFF)
if(ORVANTA_HARDENING)
    set(orvanta_optimised "$<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>")
    target_compile_options(orvanta_options INTERFACE
        "$<${orvanta_optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
    target_link_options(orvanta_options INTERFACE "$<${orvanta_optimised}:LINKER:-z,relro,-z,now>")
endif()

# CPack's DEB generator: no debian/ folder to keep, and it packs what the install rules say.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvanta2 developers")
set(CPACK_PACKAGE_CONTACT "${ORVANTA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup wizard for network cameras")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta2 finds the IP cameras on the local network, gives a camera an\n"
    "address the PC can reach, configures its wired and wireless link, UPnP,\n"
    "dynamic DNS, name and clock, saves the settings and finds the camera again\n"
    "at its new address.\n"
    "\n"
    "The package holds the Qt wizard, orvanta2-cli for installers and scripts\n"
    "(it also configures many cameras at once from a CSV file) and\n"
    "orvanta2-camsim, a virtual camera to try them against.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${orvanta_debian_revision})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVANTA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
if(TARGET orvanta2-nethelper)
    # setcap for the helper in postinst
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcap2-bin")
endif()
if(ORVANTA_GUI)
    # xdg-open starts the browser on a camera's web page
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${orvanta_packaging_dir}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Only what the install rules put under the prefix: no /usr/local, no build paths.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
