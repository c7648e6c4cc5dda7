# The Debian package (cpack -G DEB). The shared libraries that the programs link against are
# found by dpkg-shlibdeps; only what no program links against is named here: the font that
# stands in for the window's Japanese font.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mokepontasu-pagemaker)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "page editor for hyperlinked picture documents")
set(CPACK_PACKAGE_DESCRIPTION
    "もけぽんたす ページメーカー builds one page of a hyperlinked picture document at a time: a\n"
    "background image, 256 image slots and 256 link records. Pictures are imported from BMP,\n"
    "PNG, JPEG, GIF and WebP files and stored as JPEG in a page file (*.pag) that a separate\n"
    "viewer reads.\n"
    "The package holds the editor, pagemaker, and the command-line tool pagetool, which builds\n"
    "and inspects page files.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "mokepontasu-pagemaker developers <developers@mokepontasu.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
# pagetool site draws the document's map with dot when it is installed.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS graphviz)

include(CPack)
