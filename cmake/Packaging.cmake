# Installation in the usual Debian places and the .deb made of it (scripts/package).
include(GNUInstallDirs)

if(NOT TARGET skarnel OR NOT TARGET skarnel-cli OR NOT TARGET skarnel-sim)
  return()
endif()

find_package(Python3 COMPONENTS Interpreter)
set(SKARNEL_PACKAGING ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(man_pages)
foreach(program skarnel skarnel-cli skarnel-sim)
  set(summary_skarnel "service the radio-control transmitter (desktop application)")
  set(summary_skarnel-cli "service the radio-control transmitter from the command line")
  set(summary_skarnel-sim "a simulated transmitter on a pseudo-terminal")
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${Python3_EXECUTABLE} ${SKARNEL_PACKAGING}/help_to_man.py $<TARGET_FILE:${program}> ${program}
            "${summary_${program}}" ${page}
    DEPENDS ${program} ${SKARNEL_PACKAGING}/help_to_man.py
    COMMENT "Man page of ${program}"
    VERBATIM)
  list(APPEND man_pages ${page})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})

install(TARGETS skarnel skarnel-cli skarnel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET skarnel_web_view)
  install(TARGETS skarnel_web_view LIBRARY DESTINATION ${SKARNEL_WEB_VIEW_DIR})
endif()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${SKARNEL_PACKAGING}/skarnel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKARNEL_PACKAGING}/skarnel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SKARNEL_PACKAGING}/60-skarnel-cable.rules DESTINATION lib/udev/rules.d)
install(FILES ${SKARNEL_PACKAGING}/skarnel-cli.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME skarnel-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skarnel)
set(CPACK_PACKAGE_VENDOR "Skarnel")
set(CPACK_PACKAGE_CONTACT "Skarnel developers <skarnel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service suite for a radio-control transmitter")
set(CPACK_PACKAGE_DESCRIPTION "Reads the transmitter's product information, upgrades its firmware, backs up and
restores model memories, manages voice data, records live telemetry, browses the SD card and sets the
clock over the transmitter's USB serial cable. Comes with a command line (skarnel-cli, with a doctor
that finds what keeps the cable from working) and a transmitter simulator (skarnel-sim).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The views are laid out for a Tahoma-like and an Arial-like face; these carry faces of the same metrics.
# The map view's street-map page is drawn with Debian's copy of Leaflet.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2, udev, libjs-leaflet")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-nanum")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${SKARNEL_PACKAGING}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
