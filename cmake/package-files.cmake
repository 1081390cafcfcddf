# CPack pre-build script: gives every staged file and folder the same
# permissions on every build (whatever the umask), for a reproducible ZIP.
# Times are fixed after packaging by package-zip.cmake.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path IN LISTS staged)
  if(IS_DIRECTORY "${path}" OR path MATCHES "\\.exe$")
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
         GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
