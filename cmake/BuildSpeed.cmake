# What makes a first build quick on two cores: a fast linker, and Qt's and the
# standard library's headers parsed once per library instead of once per file.
# Neither changes what is built; both can be turned off for a comparison
# (-DMX615_FAST_LINKER=OFF -DMX615_PRECOMPILED_HEADERS=OFF).

include(CheckLinkerFlag)

# lld links the programs and test runners several times faster than the
# default linker; gold comes with binutils, so it is there wherever g++ is.
option(MX615_FAST_LINKER "Link with lld, else gold, where the compiler takes it" ON)
if(MX615_FAST_LINKER AND NOT CMAKE_EXE_LINKER_FLAGS MATCHES "-fuse-ld=")
  foreach(linker lld gold)
    check_linker_flag(CXX "-fuse-ld=${linker}" MX615_LINKER_${linker})
    if(MX615_LINKER_${linker})
      add_link_options(-fuse-ld=${linker})
      message(STATUS "Linking with ${linker}")
      break()
    endif()
  endforeach()
endif()

option(MX615_PRECOMPILED_HEADERS "Precompile the Qt and standard headers most files include" ON)

# With the standard headers precompiled, GCC 12 no longer keeps quiet about
# what it finds inside the standard library's inlined code, and reports its
# known false array-bounds and string-overflow warnings on std::string
# concatenation at -O2 (mended in GCC 13) in any file that joins a few
# strings. The sanitized lane catches real out-of-bounds accesses, so these
# three are left to later compilers.
if(MX615_PRECOMPILED_HEADERS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()

# The standard headers the core's files include most; the core has no Qt.
set(MX615_STD_HEADERS <algorithm> <array> <cstdint> <cstdio> <functional> <map> <memory> <optional>
  <string> <string_view> <vector>)
set(MX615_QTCORE_HEADERS <QObject> <QString> <QStringList> <QTimer> <QPointer> <QFile> <QDir>)
set(MX615_QTWIDGETS_HEADERS <QApplication> <QWidget> <QLabel> <QComboBox> <QLineEdit> <QPushButton>
  <QCheckBox> <QGroupBox> <QBoxLayout> <QGridLayout> <QFormLayout> <QKeyEvent> <QMdiArea> <QMdiSubWindow>
  <QTableWidget> <QScrollBar> <QStyle>)
set(MX615_QTTEST_HEADERS <QTest> <QSignalSpy> <QTemporaryDir>)

# mx615_precompile(TARGET HEADER-LIST...): precompiles the named lists'
# headers for TARGET.
function(mx615_precompile target)
  if(NOT MX615_PRECOMPILED_HEADERS)
    return()
  endif()
  set(headers)
  foreach(list ${ARGN})
    list(APPEND headers ${${list}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# mx615_reuse_precompiled(TARGET FROM): TARGET compiles with the headers
# FROM precompiled; the two must be built with the same options, which holds
# for targets that link the same Qt modules.
function(mx615_reuse_precompiled target from)
  if(MX615_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
