# Run at install time: writes a model's user service from the template, with
# ExecStart in the bindir under the prefix being installed to, and installs
# it into destination (relative to the prefix, or absolute).
# Takes PELMAR_SERVICE_EXECUTABLE, PELMAR_SERVICE_TITLE and
# PELMAR_SERVICE_BINDIR (relative to the prefix, or absolute).
function(pelmar_install_user_service template work_folder destination)
  if(NOT IS_ABSOLUTE "${PELMAR_SERVICE_BINDIR}")
    set(PELMAR_SERVICE_BINDIR "${CMAKE_INSTALL_PREFIX}/${PELMAR_SERVICE_BINDIR}")
  endif()
  cmake_path(NORMAL_PATH PELMAR_SERVICE_BINDIR)
  # One folder per installation, so that installs of one build tree to
  # different places at the same time do not take each other's unit.
  string(MD5 installation "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
  set(unit "${work_folder}/${installation}/${PELMAR_SERVICE_EXECUTABLE}.service")
  configure_file(${template} ${unit} @ONLY)
  if(IS_ABSOLUTE "${destination}")
    # What install(FILES) does for an absolute destination.
    list(APPEND CMAKE_ABSOLUTE_DESTINATION_FILES "${destination}/${PELMAR_SERVICE_EXECUTABLE}.service")
    set(CMAKE_ABSOLUTE_DESTINATION_FILES "${CMAKE_ABSOLUTE_DESTINATION_FILES}" PARENT_SCOPE)
    if(CMAKE_ERROR_ON_ABSOLUTE_INSTALL_DESTINATION)
      message(FATAL_ERROR "ABSOLUTE path INSTALL DESTINATION forbidden (by caller): ${destination}")
    endif()
  else()
    set(destination "${CMAKE_INSTALL_PREFIX}/${destination}")
  endif()
  file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${unit}")
endfunction()
