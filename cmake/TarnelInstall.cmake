# Installing Tarnel as a Linux application (cmake --install, and the Debian package built from
# the same rules by cmake/TarnelPackage.cmake).
include(GNUInstallDirs)

set(TARNEL_APP_ID org.tarnel.Tarnel)
set(TARNEL_PACKAGE_MAINTAINER "Tarnel developers <maintainers@tarnel.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")
set(linux ${PROJECT_SOURCE_DIR}/resources/linux)
set(generated ${PROJECT_BINARY_DIR}/install-files)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS tarnel tarnel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${linux}/tarnel-demo DESTINATION ${CMAKE_INSTALL_BINDIR})

find_program(TARNEL_PYTHON3 python3 REQUIRED)
find_program(TARNEL_GZIP gzip REQUIRED)

# The demo configuration with its pictures, drawn at build time.
add_custom_command(OUTPUT ${generated}/demo.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${generated}/demo
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/demo
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/demo/config.xml ${generated}/demo/
    COMMAND ${TARNEL_PYTHON3} ${PROJECT_SOURCE_DIR}/demo/make-pictures.py ${generated}/demo
        > /dev/null
    COMMAND ${CMAKE_COMMAND} -E touch ${generated}/demo.stamp
    DEPENDS ${PROJECT_SOURCE_DIR}/demo/config.xml ${PROJECT_SOURCE_DIR}/demo/make-pictures.py
    COMMENT "Drawing the demo's pictures")

# The icon in every size of the hicolor theme, and its vector form.
add_custom_command(OUTPUT ${generated}/icons.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${generated}/icons
    COMMAND ${TARNEL_PYTHON3} ${linux}/make-icons.py ${generated}/icons ${TARNEL_APP_ID}
    COMMAND ${CMAKE_COMMAND} -E touch ${generated}/icons.stamp
    DEPENDS ${linux}/make-icons.py
    COMMENT "Drawing the application icon")

# Manual pages and the changelog, with the version filled in and compressed as Debian wants.
set(compressed)
foreach(file tarnel.1 tarnel-sim.1 tarnel-demo.1 changelog)
    configure_file(${linux}/${file} ${generated}/${file} @ONLY)
    add_custom_command(OUTPUT ${generated}/${file}.gz
        COMMAND ${TARNEL_GZIP} -9 -n -c ${generated}/${file} > ${generated}/${file}.gz
        DEPENDS ${generated}/${file})
    list(APPEND compressed ${generated}/${file}.gz)
endforeach()
configure_file(${linux}/${TARNEL_APP_ID}.metainfo.xml ${generated}/${TARNEL_APP_ID}.metainfo.xml
    @ONLY)

add_custom_target(tarnel_install_files ALL
    DEPENDS ${generated}/demo.stamp ${generated}/icons.stamp ${compressed})

install(DIRECTORY ${generated}/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnel/demo)
install(DIRECTORY ${generated}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${linux}/${TARNEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${TARNEL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${generated}/tarnel.1.gz ${generated}/tarnel-sim.1.gz ${generated}/tarnel-demo.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${linux}/tarnel.bash-completion DESTINATION
    ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tarnel)
install(FILES ${linux}/copyright ${generated}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnel)
# The rule for USB serial adapters, where the project has one.
if(EXISTS ${linux}/60-tarnel-serial.rules)
    install(FILES ${linux}/60-tarnel-serial.rules DESTINATION lib/udev/rules.d)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/TarnelPackage.cmake)
