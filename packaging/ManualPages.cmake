# The manual pages, section 1, made from their scdoc sources in docs/man/.
find_program(VANTIX_SCDOC scdoc REQUIRED)
set(pages vantix:cli vantix-scanner-sim:simulator)
if(TARGET fernwick-vantix)
  list(APPEND pages fernwick-vantix:application)
endif()
set(manual_pages)
foreach(entry ${pages})
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 page)
  list(GET entry 1 component)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.1.scd)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VANTIX_RELEASE_EPOCH}
      ${CMAKE_CURRENT_SOURCE_DIR}/make-manual-page.sh ${VANTIX_SCDOC} ${source} ${output}
    DEPENDS ${source} ${CMAKE_CURRENT_SOURCE_DIR}/make-manual-page.sh VERBATIM)
  list(APPEND manual_pages ${output})
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
