# The Windows build (MinGW-w64, static Qt): included by the top-level CMakeLists.txt when
# the target is Windows. scripts/windows.sh configures it with
# cmake/mingw-w64-x86_64.cmake and the static Qt it builds.

# Tests whose subject exists only on Linux: the installation into a prefix, the install
# scripts' change of apt's package sources, and the crash tests that kill the program
# with POSIX signals.
set(VELLORAN_TEST_SKIP_SOURCES ship/test_install.cpp ship/test_crashsave.cpp ship/test_recovery_kill.cpp
    ship/test_install_scripts.cpp
    # openpyxl, the independent reader and writer of the spreadsheet tests, is Python on Linux
    export/test_sheets.cpp)

# Test cases are listed when CTest runs, not after every link (listing them runs the
# Windows programs, under Wine here).
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The plugins a static program must import itself: the offscreen platform (command-line
# exports and the tests) beside the Windows one, the printer support for the Windows
# spooler, and the image formats and SVG icons that exist in this Qt build.
set(VELLORAN_WINDOWS_PLUGINS
    Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
    Qt6::QWindowsVistaStylePlugin Qt6::QWindowsPrinterSupportPlugin
    Qt6::QJpegPlugin Qt6::QGifPlugin Qt6::QICOPlugin
    Qt6::QSvgIconPlugin Qt6::QSvgPlugin)
# The picture formats of Qt's image formats module stay out, also where a Qt built
# earlier still holds them (static Qt links every plugin it has unless told not to):
# WebP and TIFF decode with the copies of libwebp and libtiff in Qt's source, which
# predate fixes of Debian's patched libraries (a heap overflow from a crafted WebP
# picture among them); ICNS, TGA and WBMP pictures are not used for a menu card.
set(VELLORAN_WINDOWS_PLUGINS_LEFT_OUT
    Qt6::QWebpPlugin Qt6::QTiffPlugin Qt6::QTgaPlugin Qt6::QWbmpPlugin Qt6::QICNSPlugin
    Qt6::QMngPlugin Qt6::QJp2Plugin)
find_package(Qt6 QUIET COMPONENTS Svg)

# The versions of the picture and compression libraries built into the static Qt, for
# --version and the about box: scripts/windows.sh passes them ("zlib 1.2.13;libpng ...").
set(VELLORAN_BUILT_LIBRARIES "" CACHE STRING
    "Picture and compression libraries in the static Qt, \"name version\" separated by semicolons")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/windows/builtlibraries.h"
     CONTENT "// Made by cmake/windows.cmake from VELLORAN_BUILT_LIBRARIES.\n#define VELLORAN_BUILT_LIBRARIES \"@VELLORAN_BUILT_LIBRARIES@\"\n"
     @ONLY)

function(velloran_windows_program target)
  foreach(_p ${VELLORAN_WINDOWS_PLUGINS})
    if(TARGET ${_p})
      target_link_libraries(${target} PRIVATE ${_p})
    endif()
  endforeach()
  qt_import_plugins(${target} EXCLUDE ${VELLORAN_WINDOWS_PLUGINS_LEFT_OUT})
  # One program file: the C and C++ runtimes and winpthreads linked in.
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# Called once every folder has been read: the programs exist then.
function(velloran_windows_finish)
  set(_programs velloran tsv2dat make_example make_paper)
  foreach(_folder catalogue i18n layout texture export dialogs app ship)
    list(APPEND _programs test_${_folder})
  endforeach()
  foreach(_t ${_programs})
    if(TARGET ${_t})
      velloran_windows_program(${_t})
    endif()
  endforeach()
  if(TARGET velloran)
    # A window program: a double click opens no console window. The command-line exports
    # still report through their standard output and error when these are redirected.
    set_target_properties(velloran PROPERTIES WIN32_EXECUTABLE ON)
    # Version resource (file properties) and the icon that Explorer shows for the
    # program and its .vlr documents.
    set(VELLORAN_ICO "${PROJECT_BINARY_DIR}/windows/velloran.ico")
    find_program(PERL perl REQUIRED)
    add_custom_command(OUTPUT "${VELLORAN_ICO}"
      COMMAND "${PERL}" "${PROJECT_SOURCE_DIR}/windows/png2ico.pl" "${VELLORAN_ICO}"
              "${PROJECT_SOURCE_DIR}/data/icons/velloran-48.png"
              "${PROJECT_SOURCE_DIR}/data/icons/velloran-128.png"
              "${PROJECT_SOURCE_DIR}/data/icons/velloran-256.png"
      DEPENDS "${PROJECT_SOURCE_DIR}/windows/png2ico.pl"
      VERBATIM)
    add_custom_target(velloran_icon DEPENDS "${VELLORAN_ICO}")
    add_dependencies(velloran velloran_icon)
    set(VELLORAN_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
    configure_file("${PROJECT_SOURCE_DIR}/windows/velloran.rc.in" "${PROJECT_BINARY_DIR}/windows/velloran.rc" @ONLY)
    set_source_files_properties("${PROJECT_BINARY_DIR}/windows/velloran.rc" TARGET_DIRECTORY velloran
                                PROPERTIES OBJECT_DEPENDS "${VELLORAN_ICO}")
    target_sources(velloran PRIVATE "${PROJECT_BINARY_DIR}/windows/velloran.rc")
    # The installer script, with the version filled in (scripts/windows.sh runs makensis).
    configure_file("${PROJECT_SOURCE_DIR}/windows/installer.nsi.in" "${PROJECT_BINARY_DIR}/windows/installer.nsi" @ONLY)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL velloran_windows_finish)
