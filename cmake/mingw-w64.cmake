# Cross-building for 64-bit Windows with Debian's mingw-w64, posix flavour
# (GCC 12; the posix threading model gives std::thread and std::mutex).
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# Qt for Windows is looked for in the cache folder scripts/windows-qt fills
# (TIRS_WIN_QT_CACHE, default ~/.cache/tirs48/qt-6.4.2-win64). Programs and
# tests run under Wine, so CTest can run the Windows tests on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TIRS_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TIRS_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIRS_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TIRS_MINGW_PREFIX}-windres)

# The Qt cache folder: from the cache variable, else the environment, else the
# default of scripts/windows-qt. Try-compile projects see it too.
if(NOT TIRS_WIN_QT_CACHE)
  if(DEFINED ENV{TIRS_WIN_QT_CACHE})
    set(TIRS_WIN_QT_CACHE "$ENV{TIRS_WIN_QT_CACHE}")
  else()
    set(TIRS_WIN_QT_CACHE "$ENV{HOME}/.cache/tirs48/qt-6.4.2-win64")
  endif()
endif()
set(TIRS_WIN_QT_CACHE "${TIRS_WIN_QT_CACHE}" CACHE PATH "Qt 6 built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TIRS_WIN_QT_CACHE)

# GoogleTest for Windows, built once by scripts/windows beside the Qt cache.
if(NOT TIRS_WIN_GTEST)
  get_filename_component(TIRS_WIN_GTEST "${TIRS_WIN_QT_CACHE}/../googletest-win64" ABSOLUTE)
endif()
set(TIRS_WIN_GTEST "${TIRS_WIN_GTEST}" CACHE PATH "GoogleTest built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TIRS_WIN_GTEST)

# zlib and libxlsxwriter for Windows, built once by scripts/windows-libs.
if(NOT TIRS_WIN_LIBS)
  get_filename_component(TIRS_WIN_LIBS "${TIRS_WIN_QT_CACHE}/../libs-win64" ABSOLUTE)
endif()
set(TIRS_WIN_LIBS "${TIRS_WIN_LIBS}" CACHE PATH "C libraries built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TIRS_WIN_LIBS)
# pkg-config looks only there, never at the build machine's own libraries.
set(ENV{PKG_CONFIG_LIBDIR} "${TIRS_WIN_LIBS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_FIND_ROOT_PATH /usr/${TIRS_MINGW_PREFIX} ${TIRS_WIN_QT_CACHE} ${TIRS_WIN_GTEST} ${TIRS_WIN_LIBS})
# Programs (moc, uic, rcc) come from the build machine; libraries, headers and
# CMake packages only from the Windows roots.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Windows Qt uses the build machine's Qt tools of the same version.
if(NOT QT_HOST_PATH)
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()

# The programs and tests run under Wine, with the runtime and Qt DLLs on its
# path (cmake/wine-run; WINEPREFIX from the caller's environment, if set).
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;--qt=${TIRS_WIN_QT_CACHE}")
