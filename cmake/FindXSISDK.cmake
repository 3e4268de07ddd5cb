# Finds the XSI host's C++ SDK in an SDK tree, for building the plug-in against it.
#
#   cmake -S . -B build-host -DKELVANE_SDK_ROOT=/path/to/XSI_SDK
#
# Looks under KELVANE_SDK_ROOT only (never in system folders, where another SDK could hide):
# the headers in include/ (xsi_application.h marks them), the libraries sicppsdk and sicoresdk
# in lib/ or a platform subfolder of it (on Windows the .lib import libraries). Gives:
#   XSISDK::sicppsdk   the SDK's classes (required)
#   XSISDK::sicoresdk  the core constants; where the tree has no such library, the headers alone
#   XSISDK_FOUND, XSISDK_INCLUDE_DIR, XSISDK_sicppsdk_LIBRARY, XSISDK_sicoresdk_LIBRARY
#
# On Linux with GCC's C++ library, KELVANE_GLIBCXX_USE_CXX11_ABI (default 1) says which C++
# ABI the SDK was built with: a host built with an older compiler needs 0. It travels with
# XSISDK::sicppsdk to everything that links it.
include(FindPackageHandleStandardArgs)

set(_xsisdk_root "${KELVANE_SDK_ROOT}")
if(NOT _xsisdk_root AND DEFINED ENV{KELVANE_SDK_ROOT})
  set(_xsisdk_root "$ENV{KELVANE_SDK_ROOT}")
endif()

set(_xsisdk_lib_folders lib lib64)
if(WIN32)
  list(APPEND _xsisdk_lib_folders lib/nt-x86-64 lib/x64 lib/win64 lib/Win64)
else()
  list(APPEND _xsisdk_lib_folders lib/linux lib/linux-x86-64 lib/linux_x64 lib/x64)
endif()

find_path(XSISDK_INCLUDE_DIR NAMES xsi_application.h
  PATHS "${_xsisdk_root}" PATH_SUFFIXES include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(XSISDK_sicppsdk_LIBRARY NAMES sicppsdk
  PATHS "${_xsisdk_root}" PATH_SUFFIXES ${_xsisdk_lib_folders} NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)
find_library(XSISDK_sicoresdk_LIBRARY NAMES sicoresdk
  PATHS "${_xsisdk_root}" PATH_SUFFIXES ${_xsisdk_lib_folders} NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)

find_package_handle_standard_args(XSISDK
  REQUIRED_VARS XSISDK_sicppsdk_LIBRARY XSISDK_INCLUDE_DIR
  REASON_FAILURE_MESSAGE "KELVANE_SDK_ROOT (\"${_xsisdk_root}\") must hold include/xsi_application.h and lib/ with sicppsdk")

if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(KELVANE_GLIBCXX_USE_CXX11_ABI 1 CACHE STRING
      "The C++ ABI of the host SDK's libstdc++ (1: since GCC 5, 0: the old one)")
  set_property(CACHE KELVANE_GLIBCXX_USE_CXX11_ABI PROPERTY STRINGS 0 1)
endif()

if(XSISDK_FOUND AND NOT TARGET XSISDK::sicppsdk)
  add_library(XSISDK::sicppsdk UNKNOWN IMPORTED)
  set_target_properties(XSISDK::sicppsdk PROPERTIES
    IMPORTED_LOCATION "${XSISDK_sicppsdk_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${XSISDK_INCLUDE_DIR}")
  if(DEFINED KELVANE_GLIBCXX_USE_CXX11_ABI)
    set_property(TARGET XSISDK::sicppsdk APPEND PROPERTY
      INTERFACE_COMPILE_DEFINITIONS _GLIBCXX_USE_CXX11_ABI=${KELVANE_GLIBCXX_USE_CXX11_ABI})
  endif()
  if(XSISDK_sicoresdk_LIBRARY)
    add_library(XSISDK::sicoresdk UNKNOWN IMPORTED)
    set_target_properties(XSISDK::sicoresdk PROPERTIES
      IMPORTED_LOCATION "${XSISDK_sicoresdk_LIBRARY}"
      INTERFACE_LINK_LIBRARIES XSISDK::sicppsdk)
  else()
    add_library(XSISDK::sicoresdk INTERFACE IMPORTED)
    set_target_properties(XSISDK::sicoresdk PROPERTIES INTERFACE_LINK_LIBRARIES XSISDK::sicppsdk)
  endif()
endif()
mark_as_advanced(XSISDK_INCLUDE_DIR XSISDK_sicppsdk_LIBRARY XSISDK_sicoresdk_LIBRARY)
