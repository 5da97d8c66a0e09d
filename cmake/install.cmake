# Installation as a desktop program (executable, menu entry, icons, AppStream metadata) and
# the Debian package that CPack builds from the same rules.
include(GNUInstallDirs)

set(SIGHT_APP_ID io.github.sighttrainer.SightTrainer)
set(SIGHT_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
# The program names its desktop entry, so that desktops match its windows to the entry's icon.
target_compile_definitions(sight-trainer PRIVATE SIGHT_APP_ID="${SIGHT_APP_ID}")

# On Windows the trainer opens no console beside its windows.
set_target_properties(sight-trainer PROPERTIES WIN32_EXECUTABLE ON)
install(TARGETS sight-trainer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry, the icon theme and AppStream are the freedesktop.org desktops' ways; other
# systems get the executable alone.
if(NOT UNIX OR APPLE)
  return()
endif()

install(FILES ${SIGHT_PACKAGING_DIR}/${SIGHT_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SIGHT_PACKAGING_DIR}/${SIGHT_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The artwork generator draws the icon in every size the hicolor theme is searched in;
# icon.png is the 32-pixel one the windows use.
foreach(size 16 32 48 64 128 256)
  if(size EQUAL 32)
    set(picture icon.png)
  else()
    set(picture icon_${size}.png)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/assets/${picture}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${SIGHT_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sight-trainer)
set(CPACK_PACKAGE_VENDOR "Sight trainer developers")
set(CPACK_PACKAGE_CONTACT "Sight trainer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Grenade launcher sight trainer")
set(CPACK_PACKAGE_DESCRIPTION
  "A training simulator for the 3x optical sight of a hand-held anti-tank grenade launcher: \
estimate a tank's range from the reticle, or fire with hold-off for wind and range. The \
interface is in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries come from what the executable links; the fonts and Qt's Wayland platform
# are looked up by name at run time, so they are named here: the stand-ins with Cyrillic
# glyphs for the window fonts, and the platform of a Wayland session without an X display.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QT_VERSION_MAJOR EQUAL 6)
  set(SIGHT_QT_WAYLAND_PACKAGE qt6-wayland)
else()
  set(SIGHT_QT_WAYLAND_PACKAGE qtwayland5)
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-liberation2, fonts-roboto-unhinted, ${SIGHT_QT_WAYLAND_PACKAGE}")
include(CPack)

if(BUILD_TESTING)
  # The install rules put every file where a desktop looks for it.
  add_test(NAME install_layout
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/install_layout_test.sh ${CMAKE_BINARY_DIR}
      ${SIGHT_APP_ID})
  # The Debian package installs with apt, and the installed program starts; needs root.
  add_test(NAME installed_package
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/installed_package_test.sh ${CMAKE_BINARY_DIR}
      ${SIGHT_APP_ID} ${QT_VERSION_MAJOR})
  set_tests_properties(installed_package PROPERTIES RUN_SERIAL TRUE TIMEOUT 600
    SKIP_RETURN_CODE 77)
endif()
