# Fails when the plug-in's code reaches past the SDK face, or when the SDK face gives away
# the stand-in's insides. Run by ctest as `cmake -DSOURCE=<project> -P sdk_contract.cmake`.
#
# The plug-in (plugin/, mirror/, text/) may include its own files ("..."), the SDK face's
# per-class headers (<xsi_*.h> of host/sdk/include) and the C++ library (<name> without .h).
# A face header may include other face headers and <cstdint>/<cfloat> only; it may not define
# a member function (each is exported and out of line), hold the text layout, reference
# counting or containers, or name the host's machinery.
cmake_minimum_required(VERSION 3.25)
set(faults "")
file(GLOB face RELATIVE "${SOURCE}/host/sdk/include" "${SOURCE}/host/sdk/include/*")
foreach(header IN LISTS face)
  if(NOT header MATCHES "^xsi_[a-z0-9]+\\.h$")
    string(APPEND faults "host/sdk/include/${header}: not named xsi_<class>.h\n")
  endif()
endforeach()

file(GLOB_RECURSE plugin_files RELATIVE "${SOURCE}"
  "${SOURCE}/plugin/*.h" "${SOURCE}/plugin/*.cpp" "${SOURCE}/mirror/*.h" "${SOURCE}/mirror/*.cpp"
  "${SOURCE}/text/*.h" "${SOURCE}/text/*.cpp")
foreach(file IN LISTS plugin_files)
  file(STRINGS "${SOURCE}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "<(xsi_[a-z0-9]+\\.h)>")
      if(NOT CMAKE_MATCH_1 IN_LIST face)
        string(APPEND faults "${file}: includes <${CMAKE_MATCH_1}>, which the SDK face lacks\n")
      endif()
    elseif(line MATCHES "<([a-z_]+)>")
      # the C++ library
    elseif(line MATCHES "\"([A-Za-z_]+\\.h)\"")
      file(GLOB_RECURSE own "${SOURCE}/plugin/${CMAKE_MATCH_1}" "${SOURCE}/mirror/${CMAKE_MATCH_1}"
           "${SOURCE}/text/${CMAKE_MATCH_1}")
      if(NOT own)
        string(APPEND faults "${file}: includes \"${CMAKE_MATCH_1}\", not a file of the plug-in\n")
      endif()
    else()
      string(APPEND faults "${file}: ${line}: neither the SDK face nor the C++ library\n")
    endif()
  endforeach()
endforeach()

set(insides "atomic|holders|Narrow|StringData|lengthAndWidth|machinery|xsihost|detail::|std::vector|m_count|m_inline")
foreach(header IN LISTS face)
  file(READ "${SOURCE}/host/sdk/include/${header}" text)
  # Comments say what the class promises; only the code counts.
  string(REGEX REPLACE "//[^\n]*" "" code "${text}")
  string(REGEX MATCHALL "#include[^\n]*" includes "${code}")
  foreach(line IN LISTS includes)
    if(NOT line MATCHES "<(xsi_[a-z0-9]+\\.h|cstdint|cfloat)>")
      string(APPEND faults "host/sdk/include/${header}: ${line}: not the SDK face\n")
    endif()
  endforeach()
  if(code MATCHES "(${insides})")
    string(APPEND faults "host/sdk/include/${header}: names the stand-in's insides (${CMAKE_MATCH_1})\n")
  endif()
  if(code MATCHES "\\)[ \n]*(const)?[ \n]*(noexcept)?[ \n]*(:[^;{]*)?{")
    string(APPEND faults "host/sdk/include/${header}: a function defined in the header\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "The SDK face is not kept as a contract:\n${faults}")
endif()
list(LENGTH plugin_files checked)
list(LENGTH face headers)
message(STATUS "plug-in: ${checked} files include only the SDK face; face: ${headers} headers, no insides")
