# Installed like a desktop application: desktop file, AppStream metainfo, hicolor icons, man
# pages, shell completions and the Debian package's documents; `cpack -G DEB` (make package)
# then builds a Debian package of the install tree.

include(GNUInstallDirs)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)

install(FILES ${packaging}/${MARVOLIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${MARVOLIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${MARVOLIN_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Man pages and the changelog, compressed as Debian wants them (no name or time stamp in the
# gzip header, so that builds repeat byte for byte).
set(compressed_docs)
foreach(source IN ITEMS docs/marvolin.1 docs/marvolin-fx.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${CMAKE_SOURCE_DIR}/${source} ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND compressed_docs ${output})
  if(name STREQUAL "changelog")
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  else()
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
add_custom_target(marvolin_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Completions for marvolin-fx.
set(completions ${packaging}/completions)
install(FILES ${completions}/marvolin-fx.bash RENAME marvolin-fx
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${completions}/_marvolin-fx DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${completions}/marvolin-fx.fish
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marvolin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Marvolin developers")
set(CPACK_PACKAGE_CONTACT "The Marvolin developers <developers@marvolin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "voice effects on a short recording")
# CPack puts the summary first and indents these lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Marvolin turns a short voice recording into a funny or atmospheric version\nof itself: record or open a sound file, click one of 40 preset effects in\n8 categories, hear the result, undo, and save it as a WAV file. The\ncommand-line tool marvolin-fx applies the same effects to files.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://marvolin.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins are loaded at run time, out of dpkg-shlibdeps' sight.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR OFF)
include(CPack)
