# The packages `make package` makes with CPack:
# - on Windows, glyphsmith-VERSION-win64.zip: a folder holding the two
#   programs, the README, the licence and the third-party notice;
# - on Linux, a Debian package of the programs installed under /usr, whose
#   dependencies (the Qt 6 libraries among them) dpkg-shlibdeps reads from
#   the programs themselves.
set(CPACK_PACKAGE_NAME glyphsmith)
set(CPACK_PACKAGE_VENDOR "The Glyphsmith developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the bitmap fonts of adventure-game engines")
set(CPACK_PACKAGE_CONTACT "The Glyphsmith developers <glyphsmith@example.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME glyphsmith-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Glyphsmith edits the small monochrome bitmap fonts of AGS (.wfn) and SCI\n(font.*, *.0) games, converts them and exports them as BMP glyph sheets.")
endif()

include(CPack)
