# Installs an executable and grants it the two capabilities the PC-network code needs instead
# of running it as root: CAP_NET_ADMIN (temporary addresses) and CAP_NET_RAW (ARP probes).
# An install that cannot grant them (not root, a staged DESTDIR for a package) says how to.
include(GNUInstallDirs)

function(orvanta_install_with_net_caps target)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(CODE "
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${target}>\")
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
