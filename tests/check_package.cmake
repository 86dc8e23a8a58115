# Builds the Debian package into a scratch directory, unpacks it with dpkg-deb -x and checks
# that every file is where the desktop looks for it and that it depends on Debian's Qt 6.
set(scratch ${BINARY_DIR}/package-check)
file(REMOVE_RECURSE ${scratch})
execute_process(COMMAND ${CPACK} --config ${BINARY_DIR}/CPackConfig.cmake -B ${scratch}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages ${scratch}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${packages}")
endif()
execute_process(COMMAND dpkg-deb -x ${packages} ${scratch}/root RESULT_VARIABLE status)
execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(file
    usr/bin/macquelvor
    usr/share/applications/org.macquelvor.MacQuelvor.desktop
    usr/share/icons/hicolor/scalable/apps/org.macquelvor.MacQuelvor.svg
    usr/share/metainfo/org.macquelvor.MacQuelvor.metainfo.xml)
  if(NOT EXISTS ${scratch}/root/${file})
    message(FATAL_ERROR "the package lacks ${file}")
  endif()
endforeach()
if(NOT depends MATCHES "libqt6widgets6" OR NOT depends MATCHES "libqt6svg6")
  message(FATAL_ERROR "the package does not depend on Debian's Qt 6: ${depends}")
endif()
file(GLOB_RECURSE everything RELATIVE ${scratch}/root ${scratch}/root/*)
message(STATUS "package holds: ${everything}")
