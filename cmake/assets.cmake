# Pictures the programs load at run time: the skins, the wizard's pages and the program icon. They are drawn by
# scripts/make_assets.py into ${CMAKE_BINARY_DIR}/assets; the language files are committed under assets/lang.
#
# Sets VELVANE_RC, the generated resource script that embeds the icon and the application manifest. The executables velvane and Primewiz get
# it (and a dependency on the drawn pictures) at the end of the directory, wherever this file is included.

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(VELVANE_ASSETS_DIR ${CMAKE_BINARY_DIR}/assets)
set(VELVANE_ICON_FILE ${VELVANE_ASSETS_DIR}/icon.ico)
set(_velvane_assets_script ${CMAKE_SOURCE_DIR}/scripts/make_assets.py)
set(_velvane_assets_stamp ${CMAKE_BINARY_DIR}/velvane_assets.stamp)

# The script writes every picture in one run, so one stamp stands for all of them; the icon is named as well
# because the resource compiler reads it.
add_custom_command(
  OUTPUT ${_velvane_assets_stamp} ${VELVANE_ICON_FILE}
  COMMAND ${Python3_EXECUTABLE} ${_velvane_assets_script} ${VELVANE_ASSETS_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${_velvane_assets_stamp}
  DEPENDS ${_velvane_assets_script}
  COMMENT "Drawing skins, wizard pictures and the program icon"
  VERBATIM)
add_custom_target(velvane_assets ALL DEPENDS ${_velvane_assets_stamp} ${VELVANE_ICON_FILE})

set(VELVANE_MANIFEST_FILE ${CMAKE_BINARY_DIR}/velvane.manifest)
set(VELVANE_CONTROLS_MANIFEST_FILE ${CMAKE_SOURCE_DIR}/assets/controls.manifest)
configure_file(${CMAKE_SOURCE_DIR}/assets/velvane.manifest.in ${VELVANE_MANIFEST_FILE} @ONLY)
set(VELVANE_RC ${CMAKE_BINARY_DIR}/velvane.rc)
configure_file(${CMAKE_SOURCE_DIR}/assets/velvane.rc.in ${VELVANE_RC} @ONLY)
# windres does not report the icon and the manifest as dependencies, so new ones would not rebuild the resource object.
set_source_files_properties(${VELVANE_RC} PROPERTIES OBJECT_DEPENDS
  "${VELVANE_ICON_FILE};${VELVANE_MANIFEST_FILE};${VELVANE_CONTROLS_MANIFEST_FILE}")

function(_velvane_assets_attach)
  foreach(exe IN ITEMS velvane Primewiz)
    if(TARGET ${exe})
      add_dependencies(${exe} velvane_assets)
      get_target_property(sources ${exe} SOURCES)
      if(NOT VELVANE_RC IN_LIST sources)
        target_sources(${exe} PRIVATE ${VELVANE_RC})
      endif()
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL _velvane_assets_attach)
