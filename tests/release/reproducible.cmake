# Builds Kestrune.exe and its release ZIP twice, in two build directories of
# different paths, one after the other, and fails unless both pairs are byte
# for byte the same and the ZIP holds exactly the exe, README.md and LICENSE.
#   cmake -DSOURCE_DIR=... -DTOOLCHAIN=... -DWORK_DIR=... -P reproducible.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(builds ${WORK_DIR}/first ${WORK_DIR}/second/at/another/depth)
set(exe_hashes "")
set(zip_hashes "")
foreach(build IN LISTS builds)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} -G Ninja
                          --toolchain ${TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config CPackConfig.cmake WORKING_DIRECTORY ${build}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(SHA256 ${build}/Kestrune.exe exe_hash)
  file(GLOB zip ${build}/Kestrune-*.zip)
  file(SHA256 ${zip} zip_hash)
  message(STATUS "${build}: Kestrune.exe ${exe_hash}, ZIP ${zip_hash}")
  list(APPEND exe_hashes ${exe_hash})
  list(APPEND zip_hashes ${zip_hash})

  execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" listing "${listing}")
  list(REMOVE_ITEM listing "")
  list(SORT listing)
  if(NOT listing STREQUAL "Kestrune.exe;LICENSE;README.md")
    message(FATAL_ERROR "${zip} holds ${listing}, not Kestrune.exe, LICENSE and README.md")
  endif()
  file(READ ${zip}.sha256 checksum)
  if(NOT checksum MATCHES "^${zip_hash}")
    message(FATAL_ERROR "${zip}.sha256 does not hold the ZIP's SHA-256")
  endif()
endforeach()
list(REMOVE_DUPLICATES exe_hashes)
list(REMOVE_DUPLICATES zip_hashes)
list(LENGTH exe_hashes exe_count)
list(LENGTH zip_hashes zip_count)
if(NOT exe_count EQUAL 1 OR NOT zip_count EQUAL 1)
  message(FATAL_ERROR "Two builds of the same sources differ: exe ${exe_hashes}; ZIP ${zip_hashes}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
