# The Debian package: cpack -G DEB (scripts/package) builds tarnel_<version>_<arch>.deb from the
# install rules, its dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${TARNEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator panel for a device on a serial port")
# The long description below the summary; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tarnel is the operator panel of an industrial device reached over a serial
port. One configuration file, config.xml, declares the device's parameters
and the panel's pages: pictures with buttons, fields, sliders, bar graphs
and a vector diagram, bound to the parameters by small formulas.

The panel follows the device's values five times a second, sends each change
the operator makes and waits for its acknowledgement, saves and loads
parameter sets, and checks configuration files like a compiler. The package
also holds tarnel-sim, a device simulator on a pseudo-terminal, and
tarnel-demo, a demonstration panel connected to it.")
include(CPack)
