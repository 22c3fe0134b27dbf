# Installing Lumen Drift like any Linux game, and the Debian package made from that (scripts/package).
#
#   PREFIX/games/lumendrift, lumendrift-editor   launchers: change to the data folder, start the program
#   PREFIX/games/lumendrift-level                the level tool, which needs no data folder
#   PREFIX/lib/games/lumendrift/                 the game and the editor themselves
#   PREFIX/share/games/lumendrift/               the generated data folder
#   PREFIX/share/{applications,icons,man,doc}/   menu entries, icons, manual pages, copyright, changelog
#   PREFIX/share/metainfo/                       what software centres show (AppStream)
#
# The launchers find everything from their own place, so any prefix and an unpacked package work.
if(CMAKE_CROSSCOMPILING)
  return()  # a build for another platform (the browser) installs nothing here
endif()

set(LUMEN_VERSION ${PROJECT_VERSION})
set(LUMEN_MAINTAINER "Lumen Drift maintainers <maintainers@users.noreply.c-seed-6133a4da.example>")
# The newest changelog entry's date (seconds since 1970): manual pages carry it, not the build day.
set(LUMEN_RELEASE_EPOCH 1796601600)
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${LUMEN_RELEASE_EPOCH})
string(TIMESTAMP LUMEN_RELEASE_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
# The AppStream id is the reverse of the maintainers' domain ('-' becomes '_', as AppStream asks).
set(LUMEN_APPSTREAM_ID example.c_seed_6133a4da.lumendrift)
set(LUMEN_HOMEPAGE https://c-seed-6133a4da.example/lumendrift)

set(LUMEN_PACKAGE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(LUMEN_PACKAGE_BUILD ${CMAKE_BINARY_DIR}/package)
set(LUMEN_GAME_LIBDIR lib/games/lumendrift)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- generated files: icons, manual pages, changelog, launcher, metainfo ---------------------------
set(icon_dir ${LUMEN_PACKAGE_BUILD}/icons)
set(generated ${icon_dir}/lumendrift-48.png ${icon_dir}/lumendrift-128.png
    ${icon_dir}/lumendrift-256.png)
add_custom_command(
  OUTPUT ${generated}
  COMMAND lumendrift-assets --icons ${icon_dir}
  DEPENDS lumendrift-assets
  COMMENT "Drawing the menu icons in ${icon_dir}"
  VERBATIM)

find_program(LUMEN_SCDOC scdoc)
if(NOT LUMEN_SCDOC)
  message(WARNING "scdoc not found (scripts/bootstrap installs it): no manual pages")
endif()
# Manual pages and the changelog are compressed the way Debian asks: gzip -9, no name or time.
foreach(page lumendrift lumendrift-level lumendrift-editor)
  if(LUMEN_SCDOC)
    set(out ${LUMEN_PACKAGE_BUILD}/man/${page}.6)
    add_custom_command(
      OUTPUT ${out}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMEN_PACKAGE_BUILD}/man
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${LUMEN_RELEASE_EPOCH}
              sh -c "'${LUMEN_SCDOC}' < \"$1\" > \"$2\" && gzip -9nf \"$2\"" sh
              ${LUMEN_PACKAGE_DIR}/man/${page}.6.scd ${out}
      DEPENDS ${LUMEN_PACKAGE_DIR}/man/${page}.6.scd
      VERBATIM)
    list(APPEND generated ${out}.gz)
  endif()
endforeach()
configure_file(${LUMEN_PACKAGE_DIR}/changelog ${LUMEN_PACKAGE_BUILD}/changelog @ONLY)
configure_file(${LUMEN_PACKAGE_DIR}/lumendrift ${LUMEN_PACKAGE_BUILD}/lumendrift @ONLY)
configure_file(${LUMEN_PACKAGE_DIR}/lumendrift.metainfo.xml
               ${LUMEN_PACKAGE_BUILD}/${LUMEN_APPSTREAM_ID}.metainfo.xml @ONLY)
add_custom_command(
  OUTPUT ${LUMEN_PACKAGE_BUILD}/changelog.gz
  COMMAND gzip -9nkf ${LUMEN_PACKAGE_BUILD}/changelog
  DEPENDS ${LUMEN_PACKAGE_BUILD}/changelog
  VERBATIM)
list(APPEND generated ${LUMEN_PACKAGE_BUILD}/changelog.gz)
add_custom_target(package-files ALL DEPENDS ${generated})

# --- install rules ---------------------------------------------------------------------------------
install(TARGETS lumendrift DESTINATION ${LUMEN_GAME_LIBDIR})
install(TARGETS lumendrift-level DESTINATION games)
install(PROGRAMS ${LUMEN_PACKAGE_BUILD}/lumendrift DESTINATION games)
install(DIRECTORY ${LUMEN_DATA_DIR}/ DESTINATION share/games/lumendrift
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${LUMEN_PACKAGE_DIR}/lumendrift.desktop DESTINATION share/applications)
install(FILES ${LUMEN_PACKAGE_BUILD}/${LUMEN_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 128 256)
  install(FILES ${icon_dir}/lumendrift-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME lumendrift.png)
endforeach()
foreach(page lumendrift lumendrift-level)
  install(FILES ${LUMEN_PACKAGE_BUILD}/man/${page}.6.gz DESTINATION share/man/man6 OPTIONAL)
endforeach()
install(FILES ${LUMEN_PACKAGE_DIR}/copyright ${LUMEN_PACKAGE_BUILD}/changelog.gz
        DESTINATION share/doc/lumendrift)

# --- the Debian package ----------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumendrift)
set(CPACK_PACKAGE_VERSION ${LUMEN_VERSION})
set(CPACK_PACKAGE_CONTACT ${LUMEN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The first line is the synopsis; CPack indents the rest and marks the empty line.
set(LUMEN_DESCRIPTION "top-down space shooter on a warped lattice
Lumen Drift is a single-player, top-down 2D space shooter. Its arena is a
Lattice: a grid of nodes joined by spline patches into a smooth, warped sheet,
and every ship, shot and explosion is drawn where the Lattice puts it. Fly,
fight enemy ships with five weapons, collect what they drop and reach the next
level; the black-hole weapon bends the arena itself, for good.

")

# The editor is its own subdirectory and may be added after this file is read, so its rules and
# the package's configuration wait until the whole top-level CMakeLists.txt has been read.
function(lumen_finish_package)
  if(TARGET lumendrift-editor)
    install(TARGETS lumendrift-editor DESTINATION ${LUMEN_GAME_LIBDIR})
    install(PROGRAMS ${LUMEN_PACKAGE_DIR}/lumendrift-editor DESTINATION games)
    install(FILES ${LUMEN_PACKAGE_DIR}/lumendrift-editor.desktop DESTINATION share/applications)
    install(FILES ${LUMEN_PACKAGE_BUILD}/man/lumendrift-editor.6.gz DESTINATION share/man/man6
            OPTIONAL)
    string(APPEND LUMEN_DESCRIPTION "The package holds the game, its level tool and its arena editor.")
  else()
    string(APPEND LUMEN_DESCRIPTION "The package holds the game and its level tool.")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION ${LUMEN_DESCRIPTION})
  include(CPack)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL lumen_finish_package)
