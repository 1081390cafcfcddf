# CPack post-build script: sets every time stamp in the ZIP (modification,
# access and change times) to SOURCE_DATE_EPOCH, or 2000-01-01 00:00 UTC, so
# that the package is byte for byte reproducible. Runs before CPack writes
# the checksum.
find_program(STRIP_NONDETERMINISM strip-nondeterminism REQUIRED)
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  set(epoch 946684800)
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${STRIP_NONDETERMINISM} --type zip --timestamp ${epoch} ${package}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
