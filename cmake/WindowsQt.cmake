# Qt in the Windows cross build (preset "mingw"): the Qt for Windows that
# scripts/build-qt-windows.sh builds into a cache outside the repository. When it is there, the
# cross build has the windows too: dadiRaravor.exe, the UI tests and the zip. Every program then
# lands in bin/ of the build folder, beside the Qt DLLs, the platform plugin and the MinGW
# runtime, laid out as windeployqt lays them out and as the zip ships them; so Wine finds them
# however a program is started (ctest, GoogleTest's discovery, by hand) and nothing depends on
# WINEPATH.
#
# In:  DADIRARAVOR_BUILD_UI (ON, OFF or AUTO).
# Out: DADIRARAVOR_WINDOWS_QT_FOUND; CMAKE_PREFIX_PATH and QT_HOST_PATH when it is found.

if(DEFINED ENV{DADIRARAVOR_WINDOWS_QT} AND NOT "$ENV{DADIRARAVOR_WINDOWS_QT}" STREQUAL "")
    set(_dadiraravor_qt_default "$ENV{DADIRARAVOR_WINDOWS_QT}")
elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_dadiraravor_qt_default "$ENV{XDG_CACHE_HOME}/dadiRaravor/qt-6.4.2-mingw")
else()
    set(_dadiraravor_qt_default "$ENV{HOME}/.cache/dadiRaravor/qt-6.4.2-mingw")
endif()
set(DADIRARAVOR_WINDOWS_QT "${_dadiraravor_qt_default}" CACHE PATH
    "Qt for Windows, as scripts/build-qt-windows.sh builds it")

# The build script writes this stamp last: a folder without it is a build that did not finish.
if(EXISTS "${DADIRARAVOR_WINDOWS_QT}/.complete")
    set(DADIRARAVOR_WINDOWS_QT_FOUND TRUE)
    list(PREPEND CMAKE_PREFIX_PATH "${DADIRARAVOR_WINDOWS_QT}")
    # The host's own Qt of the same version runs moc, rcc and uic for the cross build.
    set(QT_HOST_PATH /usr CACHE PATH "Qt host tools for the cross build")
    set(Qt6HostInfo_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo CACHE PATH
        "Qt host info for the cross build")
else()
    set(DADIRARAVOR_WINDOWS_QT_FOUND FALSE)
    if(DADIRARAVOR_BUILD_UI AND NOT DADIRARAVOR_BUILD_UI STREQUAL "AUTO")
        message(FATAL_ERROR "The windows were asked for (DADIRARAVOR_BUILD_UI=ON), but there is "
                            "no Qt for Windows in ${DADIRARAVOR_WINDOWS_QT}: run "
                            "scripts/build-qt-windows.sh (about 30 minutes) or set "
                            "DADIRARAVOR_WINDOWS_QT")
    endif()
endif()

# Every program of the build lands in bin/, beside the DLLs, and they all link the C++ runtime
# as Qt does, from its DLLs (libstdc++-6.dll and its two companions): one runtime in each
# process. (Without Qt the cross build links it statically, see
# mingw-w64-x86_64.cmake.) What the program needs beside it on Windows, as windeployqt lays it
# out, is copied there while configuring, so it is in place before any program is built and
# started (GoogleTest's discovery starts them right after linking): the Qt DLLs, the platform
# plugin in platforms/, the GIF and ICO readers for the pictures and the icon in imageformats/,
# and the MinGW runtime; for the tests also Qt's test library and its offscreen plugin. The
# install rules put the program's share beside the installed program: the zip's contents.
#
# dadiraravor_windows_qt_layout(), before the first program is defined; then
# dadiraravor_deploy_windows_qt(), once Qt is found.
macro(dadiraravor_windows_qt_layout)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    string(REGEX REPLACE "(^| )-static( |$)" " " CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS}")
endmacro()

function(dadiraravor_deploy_windows_qt)
    set(bin "${CMAKE_BINARY_DIR}/bin")
    set(libraries Qt6::Core Qt6::Gui Qt6::Widgets)
    set(platforms Qt6::QWindowsIntegrationPlugin)
    set(imageformats Qt6::QGifPlugin Qt6::QICOPlugin)
    set(copies)
    foreach(target IN LISTS libraries ITEMS Qt6::Test)
        list(APPEND copies "${target}=.")
    endforeach()
    foreach(target IN LISTS platforms ITEMS Qt6::QOffscreenIntegrationPlugin)
        list(APPEND copies "${target}=platforms")
    endforeach()
    foreach(target IN LISTS imageformats)
        list(APPEND copies "${target}=imageformats")
    endforeach()
    foreach(copy IN LISTS copies)
        string(REPLACE "=" ";" copy "${copy}")
        list(GET copy 0 target)
        list(GET copy 1 folder)
        if(NOT TARGET ${target})
            message(FATAL_ERROR "Qt for Windows in ${DADIRARAVOR_WINDOWS_QT} lacks ${target}")
        endif()
        get_target_property(file ${target} IMPORTED_LOCATION_RELEASE)
        if(NOT file)
            get_target_property(file ${target} IMPORTED_LOCATION)
        endif()
        get_filename_component(name "${file}" NAME)
        file(MAKE_DIRECTORY "${bin}/${folder}")
        file(COPY_FILE "${file}" "${bin}/${folder}/${name}" ONLY_IF_DIFFERENT)
        set(location_${target} "${file}")
    endforeach()

    # The compiler's runtime DLLs carry their debug information; the copies go without it.
    set(runtime)
    foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${source}" OR NOT EXISTS "${source}")
            message(FATAL_ERROR "The MinGW runtime ${dll} was not found (${CMAKE_CXX_COMPILER})")
        endif()
        if(NOT EXISTS "${bin}/${dll}" OR "${source}" IS_NEWER_THAN "${bin}/${dll}")
            execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o "${bin}/${dll}" "${source}"
                            RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR "${CMAKE_STRIP} could not copy ${source}")
            endif()
        endif()
        list(APPEND runtime "${bin}/${dll}")
    endforeach()
    # A Qt built anew means copying anew.
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 "${DADIRARAVOR_WINDOWS_QT}/.complete")

    foreach(target IN LISTS libraries)
        install(FILES "${location_${target}}" DESTINATION .)
    endforeach()
    foreach(target IN LISTS platforms)
        install(FILES "${location_${target}}" DESTINATION platforms)
    endforeach()
    foreach(target IN LISTS imageformats)
        install(FILES "${location_${target}}" DESTINATION imageformats)
    endforeach()
    install(FILES ${runtime} DESTINATION .)
    # Qt's licence (LGPL 3) goes with its libraries, which the user may replace.
    file(GLOB licences "${DADIRARAVOR_WINDOWS_QT}/licenses/*")
    if(licences)
        install(FILES ${licences} DESTINATION licenses/qt)
    endif()
endfunction()
