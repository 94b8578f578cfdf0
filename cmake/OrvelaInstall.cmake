# What `cmake --install build --prefix P` puts where: the game in P/bin, its data in
# P/share/orvela-puzzle (found from the program as ORVELA_DATA_FROM_BIN), the desktop entry,
# the AppStream metainfo file, the icons of the hicolor theme, the licences and the help pages.
include(GNUInstallDirs)

set(ORVELA_APP_ID io.github.orvela.OrvelaPuzzle)
set(ORVELA_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/orvela-puzzle)
set(ORVELA_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/orvela-puzzle)
# The data folder as seen from the program's folder, whatever the install folders are.
file(RELATIVE_PATH ORVELA_DATA_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${ORVELA_DATA_INSTALL_DIR})

# Called at the end of the top-level CMakeLists, once the targets exist.
function(orvela_install_rules)
  install(TARGETS orvela-puzzle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY gfx sfx dane DESTINATION ${ORVELA_DATA_INSTALL_DIR})
  # The help pages the more-games screen opens, beside the data; the rest of docs/ is ours.
  install(FILES docs/how-to-play.html docs/tips-and-tricks.html docs/about-and-licences.html
          DESTINATION ${ORVELA_DATA_INSTALL_DIR}/docs)
  # The desktop entry starts the game by its full installed path: a prefix's bin/ (such as
  # ~/.local/bin) is not always on the desktop session's PATH. The path is known only when
  # installing (`--prefix`), so the entry is written then, and listed for the uninstall.
  install(CODE "
    set(program \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orvela-puzzle\")
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${ORVELA_APP_ID}.desktop\")
    file(READ \"${PROJECT_SOURCE_DIR}/desktop/${ORVELA_APP_ID}.desktop\" text)
    string(REPLACE \"Exec=orvela-puzzle\" \"Exec=\\\"\${program}\\\"\" text \"\${text}\")
    message(STATUS \"Installing: \${entry}\")
    file(WRITE \"\${entry}\" \"\${text}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
  ")
  install(FILES desktop/${ORVELA_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES desktop/icons/${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ORVELA_APP_ID}.png)
  endforeach()
  install(FILES gfx/bluehigh-LICENSE.txt docs/about-and-licences.html docs/how-to-play.html
          docs/tips-and-tricks.html DESTINATION ${ORVELA_DOC_INSTALL_DIR})
  # Takes away what the last install from this build folder put in place.
  add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
            -P ${PROJECT_SOURCE_DIR}/cmake/OrvelaUninstall.cmake)
endfunction()
