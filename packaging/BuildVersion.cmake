# The version the programs, the about box and the package show.
#
# A build of a release shows the project version ("3.0.0"). A build with
# commits after the release shows "<project version>+git.<commits>.<commit>"
# (e.g. "3.0.0+git.12.1a2b3c4"), so it never passes for the release; the
# suffix sorts after the release in Debian's version order. The release is
# the commit tagged v<project version> or, without that tag, the last commit
# that changed the version in the top CMakeLists.txt. Read from git when
# CMake configures the build; outside a git checkout of this tree (a source
# archive) the plain project version.
#
# moravel_build_version(VERSION DATE): VERSION as above; DATE the commit date
# of such a build (RFC 2822, as Debian's changelog writes it), empty for a
# release.
function(moravel_build_version out out_date)
  set(${out} "${PROJECT_VERSION}" PARENT_SCOPE)
  set(${out_date} "" PARENT_SCOPE)
  find_package(Git QUIET)
  if(NOT GIT_FOUND)
    return()
  endif()
  macro(git_output var)
    execute_process(COMMAND ${GIT_EXECUTABLE} ${ARGN} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE ${var} RESULT_VARIABLE git_result ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT git_result EQUAL 0)
      return()
    endif()
  endmacro()
  # Only this tree's own history counts, not that of a checkout it lies in.
  git_output(top rev-parse --show-toplevel)
  file(REAL_PATH "${top}" top)
  file(REAL_PATH "${PROJECT_SOURCE_DIR}" source)
  if(NOT top STREQUAL source)
    return()
  endif()
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse -q --verify "refs/tags/v${PROJECT_VERSION}^{commit}"
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE release RESULT_VARIABLE tagged
                  ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT tagged EQUAL 0)
    git_output(release log -1 --format=%H "-Gproject.Moravel VERSION" -- CMakeLists.txt)
  endif()
  if(release STREQUAL "")
    return()
  endif()
  git_output(commits rev-list --count "${release}..HEAD")
  git_output(head rev-parse --short=7 HEAD)
  if(NOT commits EQUAL 0)
    set(${out} "${PROJECT_VERSION}+git.${commits}.${head}" PARENT_SCOPE)
    git_output(date log -1 --format=%cd --date=rfc2822 HEAD)
    set(${out_date} "${date}" PARENT_SCOPE)
  endif()
endfunction()
