# Install rules and the Debian package: the program, the command-line tool, and what a desktop
# needs to offer the program in its menus (entry, icon, AppStream metainfo).
# Only these are installed: test executables and benchmarks stay in the build folder.
include(GNUInstallDirs)

set(TESS_APP_ID org.tessaline.Tessaline)
# The date of the release named by the project version; set it when the version changes.
set(TESS_RELEASE_DATE 2026-12-08)

install(TARGETS tessaline-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET tessaline)
  install(TARGETS tessaline RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  set(TESS_DIST_DIR ${CMAKE_CURRENT_LIST_DIR})
  set(TESS_ICON_SVG ${TESS_DIST_DIR}/${TESS_APP_ID}.svg)
  set(TESS_ICON_SIZES 16 32 48 64 128 256)

  # The PNG sizes are drawn from the SVG by our own renderer at build time.
  find_package(Qt6 REQUIRED COMPONENTS Svg)
  add_executable(tess_render_icon ${TESS_DIST_DIR}/render_icon.cpp)
  target_link_libraries(tess_render_icon PRIVATE Qt6::Gui Qt6::Svg)
  tess_target(tess_render_icon)
  set_target_properties(tess_render_icon PROPERTIES AUTOMOC OFF)

  set(TESS_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
  set(TESS_ICON_PNGS)
  foreach(size ${TESS_ICON_SIZES})
    file(MAKE_DIRECTORY ${TESS_ICON_DIR}/${size})
    list(APPEND TESS_ICON_PNGS ${TESS_ICON_DIR}/${size}/${TESS_APP_ID}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${TESS_ICON_PNGS}
    COMMAND tess_render_icon ${TESS_ICON_SVG} ${TESS_ICON_DIR}/%s/${TESS_APP_ID}.png ${TESS_ICON_SIZES}
    DEPENDS tess_render_icon ${TESS_ICON_SVG}
    COMMENT "Rendering the program's icon"
    VERBATIM)
  add_custom_target(tess_icons ALL DEPENDS ${TESS_ICON_PNGS})

  configure_file(${TESS_DIST_DIR}/${TESS_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${TESS_APP_ID}.metainfo.xml @ONLY)

  install(FILES ${TESS_DIST_DIR}/${TESS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/${TESS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${TESS_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${TESS_ICON_SIZES})
    install(FILES ${TESS_ICON_DIR}/${size}/${TESS_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# cpack -G DEB, from the build folder.
set(CPACK_PACKAGE_NAME tessaline)
set(CPACK_PACKAGE_VENDOR "The Tessaline developers")
set(CPACK_PACKAGE_CONTACT "The Tessaline developers <dev@tessaline.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Patience games of the Klondike family")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaline plays 33 patience (solitaire) games of the Klondike family from one\n\
engine, with undo, replay, per-player scores and statistics. It also brings\n\
tessaline-cli, which runs the engine and the score stores without a window.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tessaline.org/")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tessaline)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The Qt libraries the binaries link come from dpkg-shlibdeps; the fonts the cards and the
# word-mark are drawn in are only named, so they are asked for here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
