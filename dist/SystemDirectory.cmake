# pelmar_system_directory(OUT CACHE_VARIABLE MODULE VARIABLE SUFFIX FALLBACK DOC)
# Sets OUT to the install destination of a directory that another package
# owns, such as udev's rules directory: the cache variable CACHE_VARIABLE when
# set, else pkg-config's VARIABLE of MODULE followed by SUFFIX, else FALLBACK
# (relative to the prefix). A directory inside the install prefix becomes
# relative to it, so that a prefix given at install time applies; one outside
# (udev's /lib/udev under the prefix /usr) stays absolute, where the owning
# package reads it.
find_package(PkgConfig QUIET)

function(pelmar_system_directory out cache_variable module variable suffix fallback doc)
  if(NOT DEFINED CACHE{${cache_variable}})
    set(found "")
    if(PKG_CONFIG_FOUND)
      pkg_get_variable(found ${module} ${variable})
    endif()
    if(found)
      set(directory "${found}${suffix}")
    else()
      message(STATUS "pkg-config gives no ${variable} of ${module}: ${cache_variable} is ${fallback}")
      set(directory ${fallback})
    endif()
    set(${cache_variable} ${directory} CACHE PATH "${doc}")
  endif()
  set(directory ${${cache_variable}})
  if(IS_ABSOLUTE "${directory}")
    cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX "${directory}" NORMALIZE inside)
    if(inside)
      file(RELATIVE_PATH directory ${CMAKE_INSTALL_PREFIX} ${directory})
    endif()
  endif()
  set(${out} ${directory} PARENT_SCOPE)
endfunction()
