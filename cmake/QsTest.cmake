# A Windows build's tests run under Wine, which hands QT_* variables on only as WINEQT_* and reaches this
# tree through drive Z:.
# Qt Test's own output does not reach Wine's standard output, so each suite also writes it to <name>.txt.
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(QS_TEST_DRIVE "Z:")
endif()

# qs_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One Qt Test executable, registered with CTest, run headless.
function(qs_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test qs_testsupport ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(QS_TEST_DRIVE)
        add_test(NAME ${name} COMMAND ${name} -o ${QS_TEST_DRIVE}${CMAKE_BINARY_DIR}/tests/${name}.txt,txt -o -,txt)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;WINEQT_QPA_PLATFORM=offscreen;QS_BIN_DIR=${QS_TEST_DRIVE}${CMAKE_BINARY_DIR}/bin;QS_SOURCE_DIR=${QS_TEST_DRIVE}${CMAKE_SOURCE_DIR}")
endfunction()

# qs_add_test_folder(<libs...>)
# Every tst_*.cpp of the calling folder is one test executable; a folder
# tst_<name>/ with several sources is one too.
function(qs_add_test_folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src ${sources})
        get_filename_component(name ${src} NAME_WE)
        qs_add_test(${name} SOURCES ${src} LIBS ${ARGN})
    endforeach()
    file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*)
    foreach(dir ${dirs})
        if(IS_DIRECTORY ${dir})
            get_filename_component(name ${dir} NAME)
            file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
            qs_add_test(${name} SOURCES ${srcs} LIBS ${ARGN})
        endif()
    endforeach()
endfunction()
