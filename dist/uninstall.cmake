# Removes every file the last install wrote, as its manifest lists them
# (below $DESTDIR when the install was staged there), then the game's own data
# and documentation folders, named by how their paths end, and the folders
# beneath them when they are left empty. Shared folders such as
# share/applications or the icon theme's stay.
# Usage: cmake -D MANIFEST=BUILD/install_manifest.txt -D OWNED_DATA=share/zorbulant
#          -D OWNED_DOCUMENTS=share/doc/zorbulant -P uninstall.cmake
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} does not exist: nothing was installed from this build")
endif()
file(STRINGS "${MANIFEST}" files)
set(owned "${OWNED_DATA}" "${OWNED_DOCUMENTS}")
set(folders)
list(TRANSFORM files PREPEND "$ENV{DESTDIR}")
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}" OR EXISTS "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
  foreach(own IN LISTS owned)
    string(FIND "${file}" "/${own}/" at REVERSE)
    if(at EQUAL -1)
      continue()
    endif()
    string(LENGTH "/${own}" length)
    math(EXPR end "${at} + ${length}")
    string(SUBSTRING "${file}" 0 ${end} root)
    get_filename_component(folder "${file}" DIRECTORY)
    while(NOT folder STREQUAL root)
      list(APPEND folders "${folder}")
      get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
    list(APPEND folders "${root}")
  endforeach()
endforeach()
list(REMOVE_DUPLICATES folders)
# A folder sorts after the folders it holds when the order is reversed, so
# they are gone before it is looked at.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  file(GLOB left LIST_DIRECTORIES true "${folder}/*")
  if(IS_DIRECTORY "${folder}" AND NOT left)
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()
