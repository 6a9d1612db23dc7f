# What `cmake --install` puts on a user's system, and the Debian package made of it
# (cpack -G DEB, or scripts/package). Only the program is installed: no test, demo
# or benchmark.
include(GNUInstallDirs)

set(TOLVERA_APP_ID org.tolvera.Tolvera) # the desktop file's name, as the window says

install(TARGETS tolvera RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TOLVERA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TOLVERA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128)
  install(FILES ${PROJECT_SOURCE_DIR}/src/assets/art/icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TOLVERA_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/assets/art/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TOLVERA_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvera)
set(CPACK_PACKAGE_VENDOR "Tolvera")
set(CPACK_PACKAGE_CONTACT "Tolvera maintainers <maintainers@tolvera.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "webmaster tool: a site's index, back links and rankings")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tolvera站长工具 asks the public search engines and ranking services about a web\n"
       "site: indexed pages and back links on five engines, PageRank, Sogou rank, Alexa\n"
       "and ChinaRank, the home page's title and a thumbnail; a keyword's position in\n"
       "the first hundred results of Baidu and Google; and an audit of every friend link.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # Depends computed from the program's libraries
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
