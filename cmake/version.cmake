# The program's version numbers, taken from the project's VERSION (major.minor.revision): a generated header for the
# code (velvane_version.h) and, per executable, a version resource that Explorer's properties show.

set(VELVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/velvane_version.h.in ${VELVANE_GENERATED_DIR}/velvane_version.h @ONLY)

# Gives the executable target a VERSIONINFO resource with the project's numbers and the description.
function(velvane_version_resource target description)
  set(VELVANE_RC_NAME ${target})
  set(VELVANE_RC_DESCRIPTION "${description}")
  set(rc ${CMAKE_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/assets/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
