# cpack -G DEB: brinefall_<version>_<arch>.deb with what cmake --install puts in place.
set(CPACK_PACKAGE_NAME brinefall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time text adventure on an island, for the terminal")
set(CPACK_PACKAGE_CONTACT "Brinefall developers <brinefall@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)
# The dependencies come from the binary itself (dpkg-shlibdeps): the ncurses
# libraries it really links (libncursesw6, libtinfo6), libstdc++ and libc,
# with the lowest versions whose symbols it uses, right for whatever
# release builds it. Without dpkg-shlibdeps the list is given by hand.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libncursesw6, libtinfo6, libstdc++6, libc6")
  message(STATUS "dpkg-shlibdeps not found: the package's dependencies are listed by hand")
endif()
include(CPack)
