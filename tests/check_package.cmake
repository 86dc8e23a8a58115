# SPDX-License-Identifier: MIT
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
    usr/share/metainfo/org.macquelvor.MacQuelvor.metainfo.xml
    usr/share/doc/macquelvor/accuracy.md
    usr/share/doc/macquelvor/accuracy/stripline_thickness.svg)
  if(NOT EXISTS ${scratch}/root/${file})
    message(FATAL_ERROR "the package lacks ${file}")
  endif()
endforeach()
if(NOT depends MATCHES "libqt6widgets6" OR NOT depends MATCHES "libqt6svg6")
  message(FATAL_ERROR "the package does not depend on Debian's Qt 6: ${depends}")
endif()

# One version everywhere: the package, the newest changelog entry and the manual page.
execute_process(COMMAND dpkg-deb -f ${packages} Version OUTPUT_VARIABLE package_version
  OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND gzip -dc ${scratch}/root/usr/share/doc/macquelvor/changelog.gz
  OUTPUT_VARIABLE changelog)
execute_process(COMMAND gzip -dc ${scratch}/root/usr/share/man/man1/macquelvor.1.gz
  OUTPUT_VARIABLE manual)
string(REGEX MATCH "^macquelvor \\(([^)]*)\\)" _ "${changelog}")
set(changelog_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "\n\\.TH [^\n]*\"MacQuelvor ([^\"]*)\"" _ "${manual}")
set(manual_version "${CMAKE_MATCH_1}")
foreach(found package_version changelog_version manual_version)
  if(NOT "${${found}}" STREQUAL "${VERSION}")
    message(FATAL_ERROR "${found} is '${${found}}', the project's version is ${VERSION}")
  endif()
endforeach()

# No control character but newline and tab in any installed text, compressed or not: a form
# feed where "\f" was meant garbles the manual page without a word from groff or lintian.
file(GLOB_RECURSE shared ${scratch}/root/usr/share/*)
set(texts)
foreach(file IN LISTS shared)
  if(file MATCHES "\\.gz$")
    string(REGEX REPLACE "\\.gz$" "" unpacked "${file}")
    execute_process(COMMAND gzip -dc ${file} OUTPUT_FILE ${unpacked})
    list(APPEND texts ${unpacked})
  elseif(NOT file MATCHES "\\.png$")
    list(APPEND texts ${file})
  endif()
endforeach()
execute_process(COMMAND grep -lP "[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F\\x7F]" ${texts}
  OUTPUT_VARIABLE controlled)
if(controlled)
  message(FATAL_ERROR "control characters in installed text:\n${controlled}")
endif()

if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${packages}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian reports:\n${output}")
  endif()
endif()

file(GLOB_RECURSE everything RELATIVE ${scratch}/root ${scratch}/root/*)
message(STATUS "package holds: ${everything}")
