# Windows cross build: Tovrane.exe, the adapter tests and the end-to-end probe.
include(ExternalProject)

# libjpeg for MinGW: Debian's libjpeg-turbo source (fetched by scripts/lib/deps.sh into
# build/deps), built once as a static library inside this build tree.
file(GLOB TOVR_LIBJPEG_TARBALLS ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-turbo_*.orig.tar.gz)
set(TOVR_LIBJPEG_TARBALL "" CACHE FILEPATH "libjpeg-turbo upstream tarball")
if(NOT TOVR_LIBJPEG_TARBALL)
  list(GET TOVR_LIBJPEG_TARBALLS 0 TOVR_LIBJPEG_TARBALL_FOUND)
  set(TOVR_LIBJPEG_TARBALL ${TOVR_LIBJPEG_TARBALL_FOUND})
endif()
if(NOT EXISTS "${TOVR_LIBJPEG_TARBALL}")
  message(FATAL_ERROR "libjpeg-turbo source not found in build/deps; run scripts/test or scripts/run, which fetch it")
endif()
set(TOVR_JPEG_PREFIX ${CMAKE_BINARY_DIR}/libjpeg)
ExternalProject_Add(libjpeg_ext
  URL ${TOVR_LIBJPEG_TARBALL}
  PREFIX ${CMAKE_BINARY_DIR}/libjpeg-build
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${TOVR_JPEG_PREFIX}
    -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_SIMD=0 -DWITH_TURBOJPEG=0
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
  BUILD_BYPRODUCTS ${TOVR_JPEG_PREFIX}/lib/libjpeg.a
  DOWNLOAD_EXTRACT_TIMESTAMP ON)
file(MAKE_DIRECTORY ${TOVR_JPEG_PREFIX}/include)
add_library(tovr_jpeg STATIC IMPORTED)
set_target_properties(tovr_jpeg PROPERTIES
  IMPORTED_LOCATION ${TOVR_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${TOVR_JPEG_PREFIX}/include)
add_dependencies(tovr_jpeg libjpeg_ext)
add_dependencies(tovr_core libjpeg_ext)
target_link_libraries(tovr_core PUBLIC tovr_jpeg)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Sections aligned to pages in the file as in memory: Wine then maps the exe instead of copying
# it into private memory (about 1.5 MB less for Tovrane.exe); Windows maps either kind.
set(TOVR_STATIC_LINK -static -static-libgcc -static-libstdc++ -Wl,--file-alignment,4096)
set(TOVR_SYSTEM_LIBS user32 gdi32 shell32 ole32 oleaut32 uuid comctl32 comdlg32 advapi32 winmm winhttp shlwapi bcrypt)

# Win32 adapters and views: a library shared by the exe and the adapter tests.
set(TOVR_WIN32_LIB_SOURCES ${TOVR_WIN32_SOURCES})
list(FILTER TOVR_WIN32_LIB_SOURCES EXCLUDE REGEX "/app/win32/WinMain\\.cpp$")
if(TOVR_WIN32_LIB_SOURCES)
  add_library(tovr_win32 STATIC ${TOVR_WIN32_LIB_SOURCES})
  target_include_directories(tovr_win32 PRIVATE ${CMAKE_SOURCE_DIR}/res)
  target_link_libraries(tovr_win32 PUBLIC tovr_core ${TOVR_SYSTEM_LIBS})
  tovr_warnings(tovr_win32)
else()
  add_library(tovr_win32 INTERFACE)
  target_link_libraries(tovr_win32 INTERFACE tovr_core ${TOVR_SYSTEM_LIBS})
endif()

add_executable(Tovrane WIN32 ${CMAKE_SOURCE_DIR}/src/app/win32/WinMain.cpp
  ${CMAKE_SOURCE_DIR}/res/Tovrane.rc)
target_link_libraries(Tovrane PRIVATE tovr_win32)
target_link_options(Tovrane PRIVATE -municode ${TOVR_STATIC_LINK} $<$<CONFIG:Release>:-s>)
tovr_warnings(Tovrane)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Tovrane.rc PROPERTIES
  OBJECT_DEPENDS "${TOVR_GEN_DIR}/Tovrane.manifest;${TOVR_GEN_DIR}/TovrVersion.h;${CMAKE_SOURCE_DIR}/res/Tovrane.ico")

# GoogleTest cross-compiled from the system's sources, for the Wine-run adapter tests.
set(TOVR_GTEST_SRC /usr/src/googletest/googletest)
add_library(tovr_gtest STATIC ${TOVR_GTEST_SRC}/src/gtest-all.cc ${TOVR_GTEST_SRC}/src/gtest_main.cc)
target_include_directories(tovr_gtest SYSTEM PUBLIC ${TOVR_GTEST_SRC}/include PRIVATE ${TOVR_GTEST_SRC})

file(GLOB_RECURSE TOVR_ADAPTER_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
list(FILTER TOVR_ADAPTER_TEST_SOURCES EXCLUDE REGEX "/tests/win32/(saveloop|regview)/")
# With the program's resources: its icon, and the manifest's DPI awareness and common controls.
add_executable(TovraneAdapterTests ${TOVR_ADAPTER_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/res/Tovrane.rc)
target_include_directories(TovraneAdapterTests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${TOVR_GEN_DIR})
target_link_libraries(TovraneAdapterTests PRIVATE tovr_win32 tovr_gtest ws2_32)
target_link_options(TovraneAdapterTests PRIVATE ${TOVR_STATIC_LINK})
tovr_warnings(TovraneAdapterTests)
add_dependencies(TovraneAdapterTests tovr_testdata SaveLoop)

# The process the settings-file kill test (tests/win32/SaveKillTest.cpp) starts and kills: it
# saves the settings file in a loop through the real Win32 file port.
add_executable(SaveLoop ${CMAKE_SOURCE_DIR}/tests/win32/saveloop/SaveLoop.cpp)
target_include_directories(SaveLoop PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(SaveLoop PRIVATE tovr_win32)
target_link_options(SaveLoop PRIVATE -municode ${TOVR_STATIC_LINK})
tovr_warnings(SaveLoop)

# The registry view check, for the 32-bit build under WOW64 (tests/win32/regview/).
add_executable(RegistryViewTest ${CMAKE_SOURCE_DIR}/tests/win32/regview/RegistryViewTest.cpp)
target_include_directories(RegistryViewTest PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(RegistryViewTest PRIVATE tovr_win32)
target_link_options(RegistryViewTest PRIVATE ${TOVR_STATIC_LINK})
tovr_warnings(RegistryViewTest)

# The end-to-end probe: reports windows and sends messages on behalf of the test scripts.
file(GLOB TOVR_PROBE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/probe/*.cpp)
add_executable(probe ${TOVR_PROBE_SOURCES})
target_include_directories(probe PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(probe PRIVATE tovr_core user32 gdi32 shell32 advapi32 ole32 uuid)
target_link_options(probe PRIVATE -municode ${TOVR_STATIC_LINK})
tovr_warnings(probe)

# --- Start-up benchmark (bench/startup-to-tray.sh): a program that only adds a tray icon, the
# yardstick for Tovrane's own start-up to its tray icon.
add_executable(MinimalTray WIN32 ${CMAKE_SOURCE_DIR}/bench/startup/MinimalTray.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/win32/ProcessFigures.cpp)
target_include_directories(MinimalTray PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(MinimalTray PRIVATE user32 shell32)
target_link_options(MinimalTray PRIVATE -municode ${TOVR_STATIC_LINK} $<$<CONFIG:Release>:-s>)
tovr_warnings(MinimalTray)

# --- End-to-end helper (tests/e2e/checks/shortcuts.sh): a program that records the working
# folder and command line it was started with, to check how shortcuts start their targets.
add_executable(recordcwd WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/recordcwd/recordcwd.cpp)
target_link_libraries(recordcwd PRIVATE kernel32)
target_link_options(recordcwd PRIVATE -municode ${TOVR_STATIC_LINK})
tovr_warnings(recordcwd)

# --- Defragmenter benchmark (bench/defrag-under-wine.sh): the defragmenter on the Win32
# allocator side by side with a bare commit, write and release loop.
add_executable(defrag_bench ${CMAKE_SOURCE_DIR}/bench/memory/DefragBench.cpp)
target_link_libraries(defrag_bench PRIVATE tovr_win32)
target_link_options(defrag_bench PRIVATE ${TOVR_STATIC_LINK})
tovr_warnings(defrag_bench)
# --- End-to-end helper (tests/e2e/checks/desktop_icons.sh): a stand-in for the shell's desktop
# with its icon list view, which also reads that list view back from another process.
add_executable(fakedesk ${CMAKE_SOURCE_DIR}/tests/e2e/fakedesk/fakedesk.cpp)
target_link_libraries(fakedesk PRIVATE user32 comctl32 kernel32)
target_link_options(fakedesk PRIVATE -municode ${TOVR_STATIC_LINK})
tovr_warnings(fakedesk)
