# Targets: the core library (no QtGui), the report library (QtGui, no QtWidgets), the UI library, the programs,
# the tests and the benchmarks.
# Sources are collected by folder so a new unit needs no edit here.

# A unit's library follows its folder: the core library holds everything that runs without a screen, the report
# library the report's documents (painted with QtGui, without widgets), the UI library the windows and controls.
# A new folder is added to one of the lists.
set(ZEMLO_CORE_DIRS support core platform binding exchange)
set(ZEMLO_REPORT_DIRS report)
# The UI folders from the bottom up: a folder's files include those of the folders before it, never of those
# after it.
set(ZEMLO_UI_DIRS controls dbcontrols forms maintenance exchangeui overview)

function(zemlo_sources_of dirs out)
  set(found_all "")
  foreach(dir IN LISTS dirs)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/src/${dir}/*.h
                                      ${PROJECT_SOURCE_DIR}/src/${dir}/*.qrc)
    list(APPEND found_all ${found})
  endforeach()
  set(${out} ${found_all} PARENT_SCOPE)
endfunction()

zemlo_sources_of("${ZEMLO_CORE_DIRS}" ZEMLO_CORE_SOURCES)
zemlo_sources_of("${ZEMLO_REPORT_DIRS}" ZEMLO_REPORT_SOURCES)
zemlo_sources_of("${ZEMLO_UI_DIRS}" ZEMLO_UI_SOURCES)

# The layers are kept by their includes: a file that includes a Qt module or a project folder above its own
# layer stops the configuration. Only the spelling with the module folder can reach a GUI header from the core
# or the report; a bare <QWidget> is not on their include path and fails to compile by itself.
# The rule to tell follows the three arguments, in as many strings as it takes.
function(zemlo_check_includes dir modules folders)
  set(patterns "")
  if(modules)
    list(JOIN modules "|" alternatives)
    list(APPEND patterns "<Qt(${alternatives})[/>]")
  endif()
  if(folders)
    list(JOIN folders "|" alternatives)
    list(APPEND patterns "\"(${alternatives})/")
  endif()
  if(NOT patterns)
    return()
  endif()
  list(JOIN patterns "|" pattern)
  zemlo_sources_of("${dir}" files)
  foreach(f IN LISTS files)
    if(f MATCHES "\\.(h|cpp)$")
      file(STRINGS ${f} offending REGEX "^[ \t]*#[ \t]*include[ \t]*(${pattern})")
      if(offending)
        file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${f})
        list(JOIN ARGN "" rule)
        message(FATAL_ERROR "${rel} includes ${offending}\n${rule}")
      endif()
    endif()
  endforeach()
endfunction()

list(JOIN ZEMLO_REPORT_DIRS ", " report_names)
list(JOIN ZEMLO_UI_DIRS ", " ui_names)
foreach(dir IN LISTS ZEMLO_CORE_DIRS)
  zemlo_check_includes(${dir} "Widgets;Gui;PrintSupport" "${ZEMLO_REPORT_DIRS};${ZEMLO_UI_DIRS}"
    "src/${dir} belongs to the core library, which runs without a screen: it includes no Qt GUI module and no "
    "file of the report (${report_names}) or the UI (${ui_names}). Move the file up, or take that part out of it.")
endforeach()
foreach(dir IN LISTS ZEMLO_REPORT_DIRS)
  zemlo_check_includes(${dir} "Widgets;PrintSupport" "${ZEMLO_UI_DIRS}"
    "src/${dir} belongs to the report library, which paints with QtGui but has no widgets: it includes no "
    "QtWidgets or QtPrintSupport header and no file of the UI (${ui_names}).")
endforeach()
set(below "")
set(above ${ZEMLO_UI_DIRS})
foreach(dir IN LISTS ZEMLO_UI_DIRS)
  list(REMOVE_ITEM above ${dir})
  list(JOIN above ", " above_names)
  zemlo_check_includes(${dir} "" "${above}"
    "The UI folders are layered from the bottom up in ZEMLO_UI_DIRS (${ui_names}): src/${dir} may include the "
    "core, the report and ${below}${dir}, but not ${above_names}. Move the file or the part it needs, or put a new "
    "folder at its place in the list.")
  string(APPEND below "${dir}, ")
endforeach()

# A new header found by the globs must reach Qt's code generator; its timestamps would otherwise keep an
# incremental build from looking at it.
file(GLOB ZEMLO_AUTOGEN_STAMPS ${CMAKE_BINARY_DIR}/*_autogen/timestamp)
if(ZEMLO_AUTOGEN_STAMPS)
  file(REMOVE ${ZEMLO_AUTOGEN_STAMPS})
endif()

add_library(zemlo_core STATIC ${ZEMLO_CORE_SOURCES})
target_include_directories(zemlo_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zemlo_core PUBLIC Qt6::Core PkgConfig::SQLITE3 ${CHM_LIBRARY} PkgConfig::LIBMDB)
target_include_directories(zemlo_core PRIVATE ${CHM_INCLUDE_DIR})
target_precompile_headers(zemlo_core PRIVATE <QtCore>)
# The schema scripts travel inside the program, so a delivered database can be written anywhere.
qt_add_resources(zemlo_core zemlo_schema PREFIX /db BASE ${PROJECT_SOURCE_DIR}/db
  FILES ${PROJECT_SOURCE_DIR}/db/Zemlo2024.sql ${PROJECT_SOURCE_DIR}/db/QueltX2024.sql)

# The report's PDF is painted with QtGui alone, so the command line writes it without the widgets. Its headers
# need no QtGui, so a test of the report without a screen keeps the core's precompiled header.
add_library(zemlo_report STATIC ${ZEMLO_REPORT_SOURCES})
target_link_libraries(zemlo_report PUBLIC zemlo_core PRIVATE Qt6::Gui PkgConfig::XLSXWRITER)
target_precompile_headers(zemlo_report PRIVATE <QtCore>)

add_library(zemlo_ui STATIC ${ZEMLO_UI_SOURCES})
target_link_libraries(zemlo_ui PUBLIC zemlo_core zemlo_report Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
target_link_libraries(zemlo_ui PUBLIC PkgConfig::HUNSPELL)
target_precompile_headers(zemlo_ui PRIVATE <QtCore> <QtGui> <QtWidgets>)

# The delivered database: written next to the programs when absent, never overwritten.
set(ZEMLO_DELIVERED_DB ${CMAKE_BINARY_DIR}/Zemlo2024.mdb)

add_executable(zemlo-cli src/app/cli.cpp)
# The PDF needs a QGuiApplication, which the command line makes (offscreen) for it.
target_link_libraries(zemlo-cli PRIVATE zemlo_core zemlo_report Qt6::Gui)

add_custom_target(delivered_database ALL
  COMMAND ${CMAKE_COMMAND} -DZEMLO_CLI=$<TARGET_FILE:zemlo-cli> -DDATABASE=${ZEMLO_DELIVERED_DB}
          -P ${PROJECT_SOURCE_DIR}/cmake/WriteDeliveredDatabase.cmake
  DEPENDS zemlo-cli
  COMMENT "Writing the delivered database Zemlo2024.mdb when it is absent"
  VERBATIM)

# The help file: the HTML topics compiled next to the program.
set(ZEMLO_HELP_FILE ${CMAKE_BINARY_DIR}/Zemlo2024.CHM)
file(GLOB ZEMLO_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
add_custom_command(OUTPUT ${ZEMLO_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/help ${CHMCMD} --no-html-scan Zemlo2024.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/help/Zemlo2024.CHM ${ZEMLO_HELP_FILE}
  DEPENDS ${ZEMLO_HELP_SOURCES}
  COMMENT "Compiling the help file Zemlo2024.CHM"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${ZEMLO_HELP_FILE})

add_executable(Zemlo2024 src/app/main.cpp)
target_link_libraries(Zemlo2024 PRIVATE zemlo_ui)
add_dependencies(Zemlo2024 delivered_database help_file)

# Tests: one executable per tests/**/tst_*.cpp. A test that uses QTEST_GUILESS_MAIN links only the core, and the
# report library when it tests a report folder.
enable_testing()
# The test helpers follow the same rule: tests/testlib for every test, tests/testlib/widgets for widget tests.
file(GLOB ZEMLO_TESTLIB_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/testlib/*.cpp
     ${PROJECT_SOURCE_DIR}/tests/testlib/*.h)
add_library(zemlo_testlib STATIC ${ZEMLO_TESTLIB_SOURCES})
target_include_directories(zemlo_testlib PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(zemlo_testlib PUBLIC zemlo_core Qt6::Test)
target_precompile_headers(zemlo_testlib PUBLIC <QtCore> <QtTest>)

# Widget tests are compiled with other definitions, so they share a precompiled header of their own.
file(GLOB ZEMLO_WIDGET_TESTLIB_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/testlib/widgets/*.cpp
     ${PROJECT_SOURCE_DIR}/tests/testlib/widgets/*.h)
add_library(zemlo_widget_testlib STATIC ${ZEMLO_WIDGET_TESTLIB_SOURCES})
target_link_libraries(zemlo_widget_testlib PUBLIC zemlo_testlib zemlo_ui)
target_precompile_headers(zemlo_widget_testlib PRIVATE <QtCore> <QtTest> <QtWidgets>)

file(GLOB_RECURSE ZEMLO_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/tst_*.cpp)
foreach(src IN LISTS ZEMLO_TEST_SOURCES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  file(STRINGS ${src} guiless REGEX "QTEST_GUILESS_MAIN")
  if(guiless)
    target_link_libraries(${name} PRIVATE zemlo_testlib)
    get_filename_component(folder ${src} DIRECTORY)
    get_filename_component(folder ${folder} NAME)
    if(folder IN_LIST ZEMLO_REPORT_DIRS)
      target_link_libraries(${name} PRIVATE zemlo_report)
    endif()
    target_precompile_headers(${name} REUSE_FROM zemlo_testlib)
  else()
    target_link_libraries(${name} PRIVATE zemlo_widget_testlib)
    target_precompile_headers(${name} REUSE_FROM zemlo_widget_testlib)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=Europe/Amsterdam;LANG=C.UTF-8;LC_ALL=C.UTF-8;ZEMLO_CLI=$<TARGET_FILE:zemlo-cli>;ZEMLO_PROGRAM=$<TARGET_FILE:Zemlo2024>;ZEMLO_HELP_FILE=${ZEMLO_HELP_FILE};${ZEMLO_TEST_ENVIRONMENT}"
    TIMEOUT 300)
  add_dependencies(${name} zemlo-cli Zemlo2024)
endforeach()

# Benchmarks are built on request (make bench), never run by ctest.
file(GLOB ZEMLO_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/bench_*.cpp)
foreach(src IN LISTS ZEMLO_BENCH_SOURCES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src})
  target_link_libraries(${name} PRIVATE zemlo_ui)
endforeach()

# Small programs for review (previews, screenshots).
file(GLOB ZEMLO_TOOL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/*.cpp)
foreach(src IN LISTS ZEMLO_TOOL_SOURCES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE zemlo_ui)
endforeach()

# The compaction tests' helper, which ends the process abruptly, or waits, at a chosen step of the compaction.
add_executable(compact_crash_helper tests/core/CompactCrashHelper.cpp)
target_link_libraries(compact_crash_helper PRIVATE zemlo_core)
add_dependencies(tst_CompactDatabase compact_crash_helper)
add_dependencies(tst_CompactConcurrency compact_crash_helper)

# The program itself on a real X server under Xvfb, driven with xdotool (window titles; a clerk's keyboard
# run through the employer windows); skipped where either is missing.
foreach(script window_titles employer_keyboard)
  add_test(NAME xvfb_${script}
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/xvfb/${script}.sh
            $<TARGET_FILE:Zemlo2024> $<TARGET_FILE:zemlo-cli> ${ZEMLO_HELP_FILE})
  set_tests_properties(xvfb_${script} PROPERTIES
    SKIP_RETURN_CODE 77
    ENVIRONMENT "TZ=Europe/Amsterdam;LANG=C.UTF-8;LC_ALL=C.UTF-8;${ZEMLO_TEST_ENVIRONMENT}"
    TIMEOUT 180)
endforeach()
