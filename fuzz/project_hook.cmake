# Included after project() (CMAKE_PROJECT_INCLUDE) by tools/fuzz.sh: brings in fuzz/ once every
# other folder has been added, for as long as the top-level list does not add it by itself.
if(CMAKE_CURRENT_SOURCE_DIR STREQUAL CMAKE_SOURCE_DIR)
    set(CRIBBAGE_FUZZ_HOOK_DIR ${CMAKE_CURRENT_LIST_DIR})
    # Deferred code may not add subdirectories, so the list is included into the top level.
    function(cribbage_fuzz_add_late)
        get_property(added GLOBAL PROPERTY CRIBBAGE_FUZZ_ADDED)
        if(NOT added)
            include(${CRIBBAGE_FUZZ_HOOK_DIR}/CMakeLists.txt)
        endif()
    endfunction()
    cmake_language(DEFER CALL cribbage_fuzz_add_late)
endif()
