# build/win/dist: the four files the install copies, side by side as the setup window expects them.
# The program is copied again whenever it is rebuilt, the guide comes from res, and the help file and its
# HTML page are compiled from their source by our help compiler.
set(OBSC32_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(OBSC32_DIST_FILES ${OBSC32_DIST_DIR}/OBSC32.EXE ${OBSC32_DIST_DIR}/OBSC32.TXT)
add_custom_command(OUTPUT ${OBSC32_DIST_FILES}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${OBSC32_DIST_DIR}
                   COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:OBSC32> ${OBSC32_DIST_DIR}/OBSC32.EXE
                   COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/OBSC32.TXT ${OBSC32_DIST_DIR}/OBSC32.TXT
                   DEPENDS OBSC32 ${CMAKE_SOURCE_DIR}/res/OBSC32.TXT
                   COMMENT "Distribution folder ${OBSC32_DIST_DIR}"
                   VERBATIM)

# The help compiler runs here, on the build machine, so it is built with the machine's own compiler rather
# than the cross compiler the rest of this build uses.
find_program(OBSC32_HOST_CXX NAMES c++ g++ REQUIRED)
set(HELPC_EXE ${CMAKE_BINARY_DIR}/helpc)
list(TRANSFORM HELPC_LOGIC_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE _helpc_sources)
list(TRANSFORM HELPC_HEADERS PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE _helpc_headers)
add_custom_command(OUTPUT ${HELPC_EXE}
                   COMMAND ${OBSC32_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}/tools -I${CMAKE_SOURCE_DIR}/src
                           ${_helpc_sources} ${CMAKE_SOURCE_DIR}/${HELPC_MAIN} -o ${HELPC_EXE}
                   DEPENDS ${_helpc_sources} ${_helpc_headers} ${CMAKE_SOURCE_DIR}/${HELPC_MAIN}
                           ${CMAKE_SOURCE_DIR}/src/shell/help_route.hpp
                   COMMENT "Help compiler (for the build machine)"
                   VERBATIM)
add_custom_command(OUTPUT ${OBSC32_DIST_DIR}/OBSC32.HLP ${OBSC32_DIST_DIR}/OBSC32.HTM
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${OBSC32_DIST_DIR}
                   COMMAND ${HELPC_EXE} ${CMAKE_SOURCE_DIR}/${HELP_SOURCE} ${OBSC32_DIST_DIR}/OBSC32.HLP
                           ${OBSC32_DIST_DIR}/OBSC32.HTM
                   DEPENDS ${HELPC_EXE} ${CMAKE_SOURCE_DIR}/${HELP_SOURCE}
                   COMMENT "Help file ${OBSC32_DIST_DIR}/OBSC32.HLP"
                   VERBATIM)
add_custom_target(dist ALL DEPENDS ${OBSC32_DIST_FILES} ${OBSC32_DIST_DIR}/OBSC32.HLP ${OBSC32_DIST_DIR}/OBSC32.HTM)

# The folder as the Windows tests see it (Wine maps / to Z:\).
string(REPLACE "/" "\\" OBSC32_DIST_WINPATH "Z:${OBSC32_DIST_DIR}")
