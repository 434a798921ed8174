# Platform code lives in files named <base>_unix.cpp and <base>_win.cpp; a
# build that is not Unix is a Windows build here. Everything else is common.

if(WIN32)
    set(QS_PLATFORM_SUFFIX _win)
else()
    set(QS_PLATFORM_SUFFIX _unix)
endif()

# qs_platform_sources(<target> <base>...)
# Adds <base>_unix.cpp or <base>_win.cpp of the calling folder to <target>.
# Both halves must exist, so that a Linux configure already misses a Windows
# half that was forgotten (and the other way round).
function(qs_platform_sources target)
    foreach(base ${ARGN})
        foreach(suffix _unix _win)
            if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${base}${suffix}.cpp)
                message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${base}${suffix}.cpp is missing")
            endif()
        endforeach()
        target_sources(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${base}${QS_PLATFORM_SUFFIX}.cpp)
    endforeach()
endfunction()

# qs_folder_library(<target> <libraries>...)
# One static library of every common .cpp and .h of the calling folder plus
# the platform half of every <base>_unix.cpp / <base>_win.cpp pair there;
# the folder is its include path and it links <libraries> publicly.
function(qs_folder_library target)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_unix.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_win.cpp)
    set(bases "")
    foreach(file ${platform})
        get_filename_component(name ${file} NAME)
        string(REGEX REPLACE "_(unix|win)\\.cpp$" "" base ${name})
        list(APPEND bases ${base})
    endforeach()
    list(REMOVE_DUPLICATES bases)
    if(platform)
        list(REMOVE_ITEM sources ${platform})
    endif()
    add_library(${target} STATIC ${sources})
    qs_platform_sources(${target} ${bases})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()
