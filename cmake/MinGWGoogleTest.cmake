# Debian ships GoogleTest for the host only. For the cross build it is built once from its
# sources (/usr/src/googletest) with the same toolchain into the build folder, where
# find_package(GTest) then finds it.
if(NOT CMAKE_CROSSCOMPILING OR (DEFINED BUILD_TESTING AND NOT BUILD_TESTING))
    return()
endif()

set(DADIRARAVOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_prefix ${CMAKE_BINARY_DIR}/googletest-install)
if(NOT EXISTS ${gtest_prefix}/lib/cmake/GTest/GTestConfig.cmake)
    message(STATUS "Building GoogleTest for the cross build from ${DADIRARAVOR_GTEST_SOURCE}")
    set(gtest_build ${CMAKE_BINARY_DIR}/googletest-build)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${DADIRARAVOR_GTEST_SOURCE} -B ${gtest_build} -G Ninja
                -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
                -DCMAKE_INSTALL_PREFIX=${gtest_prefix} -DBUILD_GMOCK=OFF
                -Dgtest_disable_pthreads=OFF
        RESULT_VARIABLE failed OUTPUT_QUIET)
    if(NOT failed)
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${gtest_build} --target install -j2
                        RESULT_VARIABLE failed OUTPUT_QUIET)
    endif()
    if(failed)
        message(FATAL_ERROR "GoogleTest could not be built for the cross build (${gtest_build})")
    endif()
endif()
list(APPEND CMAKE_PREFIX_PATH ${gtest_prefix})
