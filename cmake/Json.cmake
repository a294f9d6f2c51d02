# kiv_json: Debian's header-only JSON library, for kivcli's output and the test driver's answers.
# The cross compiler reaches it through a folder that holds only that library, so that no other
# host header can be picked up.
if(CMAKE_CROSSCOMPILING)
    set(KIV_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
    file(MAKE_DIRECTORY ${KIV_JSON_INCLUDE})
    file(CREATE_LINK /usr/include/nlohmann ${KIV_JSON_INCLUDE}/nlohmann SYMBOLIC)
    add_library(kiv_json INTERFACE)
    target_include_directories(kiv_json SYSTEM INTERFACE ${KIV_JSON_INCLUDE})
else()
    find_package(nlohmann_json 3.10 REQUIRED)
    add_library(kiv_json INTERFACE)
    target_link_libraries(kiv_json INTERFACE nlohmann_json::nlohmann_json)
endif()
