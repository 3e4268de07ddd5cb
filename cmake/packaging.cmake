# The plug-in as users get it: `cpack` makes kelvane-<version>-<system>.zip (and .tar.gz on
# Linux) holding Application/Plugins/ with the plug-in library, and the README, LICENSE and
# CHANGELOG, ready to unpack into the host's user or workgroup folder.
install(FILES README.md LICENSE CHANGELOG.md DESTINATION . COMPONENT plugin)

set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR tuv)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mirrors a skeleton chain in the XSI host, side tokens flipped")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
if(WIN32)
  set(KELVANE_PACKAGE_SYSTEM windows-x64)
  set(CPACK_GENERATOR ZIP)
else()
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" KELVANE_PACKAGE_SYSTEM)
  set(CPACK_GENERATOR "ZIP;TGZ")
endif()
set(CPACK_PACKAGE_FILE_NAME "kelvane-${PROJECT_VERSION}-${KELVANE_PACKAGE_SYSTEM}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The plug-in only: the stand-in SDK (installed only when asked for by name) is for building;
# the host brings its own.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
