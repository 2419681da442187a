# build/win/dist: the three files the install copies, side by side as the setup window expects them.
# The program is copied again whenever it is rebuilt; the guide and the help file come from res.
set(OBSC32_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(OBSC32_DIST_FILES ${OBSC32_DIST_DIR}/OBSC32.EXE ${OBSC32_DIST_DIR}/OBSC32.TXT ${OBSC32_DIST_DIR}/OBSC32.HLP)
add_custom_command(OUTPUT ${OBSC32_DIST_FILES}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${OBSC32_DIST_DIR}
                   COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:OBSC32> ${OBSC32_DIST_DIR}/OBSC32.EXE
                   COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/OBSC32.TXT ${OBSC32_DIST_DIR}/OBSC32.TXT
                   COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/OBSC32.HLP ${OBSC32_DIST_DIR}/OBSC32.HLP
                   DEPENDS OBSC32 ${CMAKE_SOURCE_DIR}/res/OBSC32.TXT ${CMAKE_SOURCE_DIR}/res/OBSC32.HLP
                   COMMENT "Distribution folder ${OBSC32_DIST_DIR}"
                   VERBATIM)
add_custom_target(dist ALL DEPENDS ${OBSC32_DIST_FILES})

# The folder as the Windows tests see it (Wine maps / to Z:\).
string(REPLACE "/" "\\" OBSC32_DIST_WINPATH "Z:${OBSC32_DIST_DIR}")
