# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack for each generator: the ZIP and the setup program share the folder's name,
# and the setup program says what it is.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
