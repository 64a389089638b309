# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the network helper to libexec and grants it, and only it, the two capabilities the
# PC-network code needs instead of running anything as root: CAP_NET_ADMIN (temporary
# addresses) and CAP_NET_RAW (ARP probes). The wizard and the CLI install without any and
# start the helper when they lack them. An install that cannot grant them (not root, a
# staged DESTDIR for a package) says how to.
include(GNUInstallDirs)

function(orvanta_install_net_helper target)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvanta2)
    install(CODE "
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/orvanta2/$<TARGET_FILE_NAME:${target}>\")
        execute_process(COMMAND setcap cap_net_admin,cap_net_raw+ep \"\${file}\"
                        RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
        if(rc EQUAL 0)
            message(STATUS \"Granted cap_net_admin,cap_net_raw: \${file}\")
        else()
            message(WARNING \"Could not grant capabilities; run: \"
                            \"sudo setcap cap_net_admin,cap_net_raw+ep \${file}\")
        endif()
    ")
endfunction()
