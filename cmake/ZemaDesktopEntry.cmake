# zema_install_desktop_entry(TEMPLATE PROGRAM ID): installs the desktop entry TEMPLATE as
# share/applications/ID.desktop, its @PROGRAM@ the installed PROGRAM (relative to the prefix) by
# its absolute path, known only when installing (--prefix may change it), and its @ICON@ the
# game's icon.
include(GNUInstallDirs)
function(zema_install_desktop_entry template program id)
  install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    file(READ \"${template}\" entry)
    string(REPLACE \"@PROGRAM@\" \"\${prefix}/${program}\" entry \"\${entry}\")
    string(REPLACE \"@ICON@\" \"${ZEMA_APP_ID}\" entry \"\${entry}\")
    set(target \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/${id}.desktop\")
    message(STATUS \"Installing: \${target}\")
    file(WRITE \"\${target}\" \"\${entry}\")
  ")
endfunction()
