# Packages: "cmake --build BUILD --target package" (or "cpack" in the build folder) packs what
# "cmake --install" puts in place.
#  - Linux: a .deb with the program, its desktop entry and its icon; its dependencies on Qt and
#    the C++ runtime come from dpkg-shlibdeps.
#  - Windows (the preset "mingw" with Qt for Windows): dadiRaravor-1.0.0-win64.zip, one folder
#    with dadiRaravor.exe, the Qt DLLs, the platform plugin, the image readers and the MinGW
#    runtime (cmake/WindowsQt.cmake): unzip and start, nothing to install.
if(APPLE)
    return()
endif()
if(WIN32)
    if(NOT TARGET dadiRaravor)
        return()
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME dadiRaravor)
    set(CPACK_PACKAGE_VENDOR "dadiRaravor-Werkstatt")
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_FILE_NAME "dadiRaravor-${PROJECT_VERSION}-win64")
    set(CPACK_STRIP_FILES ON)
    include(CPack)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dadiraravor)
set(CPACK_PACKAGE_VENDOR "dadiRaravor-Werkstatt")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Ein Kommando für alle Dateien einer Endung in einem Ordnerbaum als Batch-Datei")
set(CPACK_PACKAGE_DESCRIPTION "dadiRaravor listet alle Dateien unter einem Startordner und \
schreibt do.bat: eine Zeile je Datei der gewählten Endung, die ein Konsolenkommando auf sie \
anwendet.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "dadiRaravor-Werkstatt <dadiraravor@users.noreply.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
