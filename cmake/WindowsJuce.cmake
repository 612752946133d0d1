# The framework for the 32-bit Windows build: a copy of Debian's JUCE modules in the build tree,
# mended by the patches in cmake/windows/, added through JUCE's own module support. Debian's
# modules have their bundled codecs removed, so libpng and libjpeg are built here for the target
# from Debian's source packages, and zlib comes from libz-mingw-w64-dev.

set(ZARN_JUCE_MODULES_SOURCE /usr/share/juce/modules CACHE PATH "Debian's JUCE modules")
find_path(ZARN_JUCE_CMAKE_DIR JUCEModuleSupport.cmake
    PATHS /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 /usr/lib/cmake/JUCE-7.0.5
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

include(${CMAKE_CURRENT_LIST_DIR}/ZarnJuceModules.cmake)

# The copy is made again whenever a patch changes.
file(GLOB zarn_juce_patches ${CMAKE_CURRENT_LIST_DIR}/windows/juce-*.patch)
list(SORT zarn_juce_patches)
set(patch_key "")
foreach(p ${zarn_juce_patches})
    file(SHA256 ${p} hash)
    string(APPEND patch_key "${hash}\n")
endforeach()

set(modules_copy ${CMAKE_BINARY_DIR}/juce-modules)
set(modules_stamp ${modules_copy}/.patched)
set(stamp_text "")
if(EXISTS ${modules_stamp})
    file(READ ${modules_stamp} stamp_text)
endif()
if(NOT stamp_text STREQUAL patch_key)
    message(STATUS "Copying the JUCE modules into ${modules_copy} and applying the patches")
    file(REMOVE_RECURSE ${modules_copy})
    foreach(m ${zarn_juce_modules})
        file(COPY ${ZARN_JUCE_MODULES_SOURCE}/${m} DESTINATION ${modules_copy})
    endforeach()
    foreach(p ${zarn_juce_patches})
        execute_process(COMMAND patch -p1 --forward --quiet -i ${p}
            WORKING_DIRECTORY ${modules_copy} RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "The patch ${p} does not apply to ${ZARN_JUCE_MODULES_SOURCE}")
        endif()
    endforeach()
    file(WRITE ${modules_stamp} "${patch_key}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zarn_juce_patches})

include(${ZARN_JUCE_CMAKE_DIR}/JUCEModuleSupport.cmake)
foreach(m ${zarn_juce_modules})
    juce_add_module(${modules_copy}/${m} ALIAS_NAMESPACE juce)
endforeach()

# libpng and libjpeg-turbo: Debian's source packages (with Debian's patches), fetched with
# apt-get source (a deb-src entry for the archive is needed: tools/install-deps.sh win32 adds it),
# built as static libraries with this build's toolchain and installed into the build tree.
set(image_prefix ${CMAKE_BINARY_DIR}/image-libraries)
set(image_sources ${CMAKE_BINARY_DIR}/debian-sources)

function(zarn_build_debian_source package subdir)
    set(src ${image_sources}/${subdir})
    if(NOT EXISTS ${src}/CMakeLists.txt)
        file(MAKE_DIRECTORY ${image_sources})
        # What an earlier fetch left (perhaps another version) would be unpacked instead.
        file(GLOB earlier ${image_sources}/${package}_*)
        if(earlier)
            file(REMOVE ${earlier})
        endif()
        message(STATUS "Fetching Debian's source package ${package}")
        execute_process(COMMAND apt-get source --download-only ${package}
            WORKING_DIRECTORY ${image_sources} RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
        file(GLOB dsc ${image_sources}/${package}_*.dsc)
        if(failed OR NOT dsc)
            message(FATAL_ERROR "apt-get source ${package} failed (is there a deb-src entry for Debian's archive?):\n${errors}")
        endif()
        file(REMOVE_RECURSE ${src})
        # apt-get has checked every file against the archive's signed index; --no-check skips
        # only the check of the uploader's signature on the .dsc, which needs Debian's keyring.
        execute_process(COMMAND dpkg-source --no-check -x ${dsc} ${src}
            WORKING_DIRECTORY ${image_sources} RESULT_VARIABLE failed OUTPUT_QUIET)
        if(failed)
            message(FATAL_ERROR "dpkg-source could not unpack ${dsc}")
        endif()
    endif()

    message(STATUS "Building ${package} for the target")
    set(bin ${CMAKE_BINARY_DIR}/image-libraries-build/${subdir})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${src} -B ${bin} -G ${CMAKE_GENERATOR}
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_INSTALL_PREFIX=${image_prefix} -DCMAKE_PREFIX_PATH=${image_prefix} ${ARGN}
        RESULT_VARIABLE failed OUTPUT_QUIET)
    if(NOT failed)
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${bin} --target install --parallel 4
            RESULT_VARIABLE failed OUTPUT_QUIET)
    endif()
    if(failed)
        message(FATAL_ERROR "Building ${package} failed (see ${bin})")
    endif()
endfunction()

if(NOT EXISTS ${image_prefix}/lib/libjpeg.a)
    zarn_build_debian_source(libjpeg-turbo jpeg
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
    # The framework defines JPEG_INTERNALS, which reads the library's internal header too.
    file(COPY ${image_sources}/jpeg/jpegint.h DESTINATION ${image_prefix}/include)
    # The installed jconfig.h leaves out its boolean type when rpcndr.h was read before it, but
    # the framework takes boolean from its own namespace around the library: always declare it.
    file(READ ${image_prefix}/include/jconfig.h jconfig)
    string(REGEX REPLACE "#ifndef __RPCNDR_H__[^\n]*" "#if 1 /* always, for the framework */" jconfig "${jconfig}")
    file(WRITE ${image_prefix}/include/jconfig.h "${jconfig}")
endif()
if(NOT EXISTS ${image_prefix}/lib/libpng.a)
    zarn_build_debian_source(libpng1.6 png
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF)
endif()

add_library(zarn_image_libraries INTERFACE)
target_include_directories(zarn_image_libraries INTERFACE ${image_prefix}/include)
target_link_libraries(zarn_image_libraries INTERFACE
    ${image_prefix}/lib/libpng.a ${image_prefix}/lib/libjpeg.a z)
