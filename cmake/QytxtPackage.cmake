# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install` installs.
set(CPACK_PACKAGE_NAME qytxt)
set(CPACK_PACKAGE_VENDOR "qytxt")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "split long novel text files into parts and merge text files")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop utility for readers of web novels saved as plain-text files, mostly\n\
Chinese in the GBK code page. It splits one long novel into numbered part\n\
files, into a chosen number of parts or into parts of a chosen number of\n\
characters, and merges an ordered list of text files into one, byte for byte.\n\
qytxt is the window, qytxt-cli the same jobs from a terminal.")
set(CPACK_PACKAGE_CONTACT "qytxt maintainers <maintainers@qytxt.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QYTXT_HOMEPAGE})
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads as plugins it cannot see:
# the window needs a platform plugin to open at all, and the SVG plugin to draw its icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QYTXT_BUILD_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
endif()

include(CPack)
