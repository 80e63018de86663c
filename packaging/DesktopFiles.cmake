# The application's desktop entry, its icon (the drawing, and PNGs of the usual
# sizes rendered from it at build time) and its AppStream metainfo, all named
# by the application id.
if(NOT TARGET fernwick-vantix)
  return()
endif()
install(TARGETS fernwick-vantix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT application)
install(FILES ${resources}/${VANTIX_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT application)
install(FILES ${resources}/${VANTIX_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT application)

find_program(VANTIX_RSVG_CONVERT rsvg-convert REQUIRED)
set(icons)
foreach(size 16 32 48 64 128 256)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${VANTIX_APP_ID}.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${VANTIX_RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${resources}/${VANTIX_APP_ID}.svg
    DEPENDS ${resources}/${VANTIX_APP_ID}.svg VERBATIM)
  list(APPEND icons ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT application)
endforeach()
add_custom_target(application_icons ALL DEPENDS ${icons})

configure_file(${resources}/${VANTIX_APP_ID}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${VANTIX_APP_ID}.metainfo.xml
  @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VANTIX_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT application)
