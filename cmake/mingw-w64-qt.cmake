# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-builds the whole Windows program: Qt's own toolchain file for the static Qt that
# scripts/qt-mingw.sh builds, chained to our mingw-w64 one. Qt's file names the toolchain it
# was built with, by its path then; this one names ours, wherever the clone is now.
#   POMEREL_QT_MINGW (environment): where that Qt is, /var/cache/pomerel/qt6-mingw-6.4.2
#   by default.
if(DEFINED ENV{POMEREL_QT_MINGW})
    set(POMEREL_QT_MINGW $ENV{POMEREL_QT_MINGW})
else()
    set(POMEREL_QT_MINGW /var/cache/pomerel/qt6-mingw-6.4.2)
endif()
set(qt_toolchain ${POMEREL_QT_MINGW}/lib/cmake/Qt6/qt.toolchain.cmake)
if(NOT EXISTS ${qt_toolchain})
    message(FATAL_ERROR "No Qt for mingw-w64 in ${POMEREL_QT_MINGW}: run scripts/qt-mingw.sh")
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
include(${qt_toolchain})
