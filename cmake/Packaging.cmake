# Packages: in a Linux build, "cmake --build build --target package" (or "cpack" in the build
# folder) makes a .deb of what "cmake --install" puts in place: the program, its desktop entry
# and its icon. Its dependencies on Qt and the C++ runtime come from dpkg-shlibdeps.
if(WIN32 OR APPLE)
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
