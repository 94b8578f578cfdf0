# Removes what the last `cmake --install` from a build folder put in place, by the list CMake
# keeps there (install_manifest.txt), then the game's own folders left empty
# (share/orvela-puzzle and its subfolders, share/doc/orvela-puzzle); shared folders such as
# share/applications stay. Run as `cmake --build build --target uninstall`, or
#   cmake -DMANIFEST=build/install_manifest.txt -P cmake/OrvelaUninstall.cmake
if(NOT MANIFEST)
  set(MANIFEST install_manifest.txt)
endif()
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing. It is written by "
                      "`cmake --install` into the build folder the game was installed from.")
endif()

file(STRINGS "${MANIFEST}" installed)
set(folders)
foreach(file IN LISTS installed)
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    file(REMOVE "${file}")
    message(STATUS "Removed ${file}")
  endif()
  # Every folder between the file and the game's own folder.
  get_filename_component(folder "${file}" DIRECTORY)
  while(folder MATCHES "/orvela-puzzle(/|$)")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()

# Deepest first, so that a folder is empty once its subfolders are gone.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  file(GLOB left "${folder}/*" "${folder}/.*")
  if(IS_DIRECTORY "${folder}" AND NOT left)
    file(REMOVE_RECURSE "${folder}")
    message(STATUS "Removed ${folder}/")
  endif()
endforeach()
